// Start-up of the window program: shared state, the desktop services, the main window and the
// event loop.
#include <QApplication>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/program_files.h"
#include "text/charset.h"
#include "ui/qt_desktop.h"
#include "ui/qt_event_pump.h"

namespace {

// Answers every batch with no free names until a registrar is configured.
class NoRegistrarChecker final : public yc::query::BatchChecker {
  public:
    yc::query::BatchOutcome CheckBatch(const yc::Text&, yc::Text& available) override {
        available.clear();
        return yc::query::BatchOutcome::Accepted;
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    yc::ui::QtDesktop desktop;
    yc::ui::QtEventPump pump;

    yc::app::AppState state;
    state.programName = YC_GBK("翎杉·域查灵");
    state.programFolder = yc::app::programFolder();
    state.dataFolder = yc::app::dataFolder(state.programFolder);

    NoRegistrarChecker checker;
    yc::app::MainWindow window(state, checker);
    desktop.setDialogOwner(window.window().widget());
    window.show();
    return QApplication::exec();
}
