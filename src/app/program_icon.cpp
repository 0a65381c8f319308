// The program's icon from the bundled pictures.
#include "app/program_icon.h"

namespace yc::app {

QIcon programIcon() {
    QIcon icon;
    for (const int size : {48, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/yuchaling-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace yc::app
