#include "app/command_line.h"

#include "ui/gbk_qt.h"

namespace yc::app {

WindowOptions parseWindowOptions(const QStringList& arguments) {
    WindowOptions options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        for (const auto& [name, target] :
             {std::pair{QStringLiteral("--registrar"), &options.registrar},
              std::pair{QStringLiteral("--ca-file"), &options.caFile}}) {
            if (arg.startsWith(name + '=')) {
                *target = ui::fromQString(arg.mid(name.size() + 1));
            } else if (arg == name && i + 1 < arguments.size()) {
                *target = ui::fromQString(arguments[++i]);
            }
        }
    }
    return options;
}

}  // namespace yc::app
