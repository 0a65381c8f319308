// The program's life: the start routine (shared state, the settings store bound to its file, the
// registrar settings, the main window), and the exit hook that destroys the store.
#pragma once

#include <memory>

#include "app/app_state.h"
#include "app/command_line.h"
#include "app/main_window.h"
#include "query/batch_check.h"

namespace yc::sim {
class DemoRegistrar;
}

namespace yc::app {

class Program {
  public:
    /// Runs the start routine with `folder` as the program folder; the main window is built but
    /// not shown.
    Program(Text folder, const WindowOptions& options);
    /// The exit hook.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    /// Shows the main window; its created handler restores the saved control states.
    void show() { window_->show(); }
    MainWindow& mainWindow() { return *window_; }
    AppState& state() { return state_; }

    /// The settings file: the settings folder (programFiles()) + "/" + program name + ".ini".
    static Text settingsPath(const Text& folder);

  private:
    /// Starts the demo registrar (and its registries) for the chosen source; false when it could
    /// not be started.
    bool startDemo();
    /// Sets the checker to the registry source, or says in the state why there is none.
    void openRegistrySource(const WindowOptions& options, const Text& proxy);

    AppState state_;
    std::unique_ptr<sim::DemoRegistrar> demo_;
    std::unique_ptr<query::BatchChecker> checker_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace yc::app
