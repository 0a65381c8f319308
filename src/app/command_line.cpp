// The window program's options, parsed with QCommandLineParser.
#include "app/command_line.h"

#include <QCommandLineParser>

#include "ui/gbk_qt.h"

namespace yc::app {
namespace {

struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")}};
    QCommandLineOption registrar{QStringLiteral("registrar"), QString(), QStringLiteral("URL")};
    QCommandLineOption caFile{QStringLiteral("ca-file"), QString(), QStringLiteral("PATH")};
    QCommandLineOption demo{QStringLiteral("demo")};
    QCommandLineOption demoIfUnconfigured{QStringLiteral("demo-if-unconfigured")};
};

// Qt's own options, which QApplication takes out of the command line. They are known here so that
// the line can be checked before a display is opened.
void addQtOptions(QCommandLineParser& parser) {
    for (const char* name :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
          "qwindowicon", "qwindowtitle", "display", "geometry", "name", "title", "visual",
          "session", "style", "stylesheet", "qmljsdebugger"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"}) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

}  // namespace

QString windowUsage() {
    return QStringLiteral(
        "usage: yuchaling [options]\n"
        "Checks in bulk which domain names are free to register (the window program).\n"
        "\n"
        "  --registrar URL          the registrar's bulk-check form, e.g.\n"
        "                           https://REGISTRAR/domain/bulkregister_submit.php\n"
        "                           (default: [连接] 查询地址 in the settings file)\n"
        "  --ca-file PATH           also trust the CA certificates in PATH for HTTPS\n"
        "                           (default: [连接] 证书文件)\n"
        "  --demo                   ask a local simulated registrar started inside the\n"
        "                           program: a name is free exactly when its first label\n"
        "                           ends in 7 (abc7.com, 7.cn); the answers are not real\n"
        "  --demo-if-unconfigured   the demo, unless a registrar is given or configured\n"
        "  -h, --help               print this help and exit\n"
        "  -v, --version            print the version and exit\n"
        "\n"
        "Qt's own options (-platform NAME, ...) are accepted as well.\n");
}

ParsedCommandLine parseWindowCommandLine(const QStringList& arguments) {
    const Options o;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({o.help, o.version, o.registrar, o.caFile, o.demo, o.demoIfUnconfigured});
    addQtOptions(parser);
    ParsedCommandLine parsed;
    if (!parser.parse(arguments)) {
        parsed.action = ParsedCommandLine::Action::Error;
        parsed.error = parser.errorText();
        return parsed;
    }
    if (!parser.positionalArguments().isEmpty()) {
        parsed.action = ParsedCommandLine::Action::Error;
        parsed.error =
            QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments()[0]);
        return parsed;
    }
    if (parser.isSet(o.help)) {
        parsed.action = ParsedCommandLine::Action::Help;
    } else if (parser.isSet(o.version)) {
        parsed.action = ParsedCommandLine::Action::Version;
    }
    WindowOptions& options = parsed.options;
    if (parser.isSet(o.registrar)) {
        options.registrar = ui::fromQString(parser.value(o.registrar));
    }
    if (parser.isSet(o.caFile)) {
        options.caFile = ui::fromQString(parser.value(o.caFile));
    }
    options.demo = parser.isSet(o.demo);
    options.demoIfUnconfigured = parser.isSet(o.demoIfUnconfigured);
    return parsed;
}

}  // namespace yc::app
