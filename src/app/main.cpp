// Start-up of the window program: its command line, the desktop services, the program's shared
// state and main window, the requests to end it, and the event loop.
#include <QApplication>
#include <QSessionManager>
#include <cstdio>

#include "app/command_line.h"
#include "app/program.h"
#include "app/program_icon.h"
#include "app/termination_requests.h"
#include "host/program_files.h"
#include "ui/qt_desktop.h"
#include "ui/qt_event_pump.h"
#include "ui/qt_translations.h"

namespace {

constexpr int kExitUsage = 2;

QStringList rawArguments(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

// Prints what a help, version or error line asks for; the exit status.
int answer(const yc::app::ParsedCommandLine& parsed) {
    using Action = yc::app::ParsedCommandLine::Action;
    switch (parsed.action) {
        case Action::Help:
            std::fputs(yc::app::windowUsage().toLocal8Bit().constData(), stdout);
            return 0;
        case Action::Version:
            std::printf("yuchaling %s\n", YC_VERSION);
            return 0;
        case Action::Error:
            std::fprintf(stderr, "yuchaling: %s\nTry 'yuchaling --help' for the options.\n",
                         parsed.error.toLocal8Bit().constData());
            return kExitUsage;
        case Action::Run:
            break;
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    using yc::app::ParsedCommandLine;
    // Help, version and usage errors answer before a display is opened or any file is touched.
    const ParsedCommandLine parsed = yc::app::parseWindowCommandLine(rawArguments(argc, argv));
    if (parsed.action != ParsedCommandLine::Action::Run) {
        return answer(parsed);
    }
    QApplication application(argc, argv);
    // The desktop entry names the icon and the menu entry the running window belongs to.
    QApplication::setWindowIcon(yc::app::programIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("yuchaling"));
    yc::ui::installChineseTranslations(application);
    yc::ui::QtDesktop desktop;
    yc::ui::QtEventPump pump;

    yc::app::Program program(yc::host::programFolder(), parsed.options);
    yc::app::MainWindow& window = program.mainWindow();
    desktop.setDialogOwner(window.window().widget());
    // Logging out, shutting down and Ctrl-C save the window's state as its close button does.
    const yc::app::TerminationRequests termination([&window] { window.endSession(); });
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &application,
                     [&window](QSessionManager& /*manager*/) { window.saveState(); });
    program.show();
    return QApplication::exec();
}
