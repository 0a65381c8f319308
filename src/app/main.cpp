// Start-up of the window program: the desktop services, the program's shared state and main
// window, and the event loop.
#include <QApplication>

#include "app/command_line.h"
#include "app/program.h"
#include "app/program_files.h"
#include "app/program_icon.h"
#include "ui/qt_desktop.h"
#include "ui/qt_event_pump.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // The desktop entry names the icon and the menu entry the running window belongs to.
    QApplication::setWindowIcon(yc::app::programIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("yuchaling"));
    yc::ui::QtDesktop desktop;
    yc::ui::QtEventPump pump;

    yc::app::Program program(yc::app::programFolder(),
                             yc::app::parseWindowOptions(QApplication::arguments()));
    desktop.setDialogOwner(program.mainWindow().window().widget());
    program.show();
    return QApplication::exec();
}
