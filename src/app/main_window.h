// The main window: builds "主界面" from its description, binds its events and serves the query
// run as its view (list, captions, rows, filter, auto-save, prompts).
#pragma once

#include <memory>
#include <vector>

#include "app/app_state.h"
#include "query/batch_check.h"
#include "query/query_run.h"
#include "query/query_run_view.h"
#include "ui/window.h"

namespace yc::app {

class MainWindow final : public query::QueryRunView {
  public:
    MainWindow(AppState& state, query::BatchChecker& checker);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    void show();
    /// Saves every control's state to the settings, as a close does.
    void saveState();
    /// The session is ending (logout, shutdown, a termination signal): closes as the close
    /// button does, saving the state at once when a run would hold the close back.
    void endSession();
    ui::Window& window() { return *window_; }
    bool runActive() const { return run_.running(); }

    /// The auto-save path the user chose, or the default file in the data folder.
    Text autoSavePath() const;

    // query::QueryRunView
    Text listText() override;
    std::optional<Text> clipboardText() override;
    void runStarted(std::string_view list, std::size_t total) override;
    void batchDone(const query::RunProgress& progress) override;
    void runStopping() override;
    void runIdle() override;
    query::ReportRows& rows() override;
    query::ExportFilter exportFilter() override;
    query::AutoSaveChoice autoSave() override;
    bool retryAfterRefusal() override;
    bool retryAfterFailure() override;
    void autoSaveUnavailable(const Text& path, const Text& reason) override;
    void autoSaveIncomplete(const Text& path, const Text& reason) override;
    void namesUnchecked(query::UncheckedNames names) override;
    void runFinished() override;

  private:
    /// Where the default auto-save file lives: the data folder, or the program folder when the
    /// start-up left it unset.
    const Text& dataFolder() const;
    void bindEvents();
    void setUpBanner();
    void applyAutoSaveRule();
    void slideLogo();
    void openRegistrarPage();
    void onStartClicked();
    void editDomainList();
    std::vector<std::size_t> selectedRows() const;
    std::vector<std::size_t> freeRows();
    /// The names of the rows, one per line, to the clipboard.
    void copyNames(const std::vector<std::size_t>& which);
    /// Every row as the export writes it with the filter "全部", to the clipboard.
    void copyAllLines();
    void copyText(const Text& text);
    void saveResults();
    void chooseAutoSavePath();
    void showAutoSaveFile();
    bool onCloseRequested();
    /// After a run: says how many names could not be checked and offers to copy them.
    void offerUncheckedNames();

    /// The controls the handlers use, found by their names once, when the window is built: a
    /// name missing from the description fails there, not in a handler.
    struct Controls {
        static Controls of(const ui::Window& window);
        ui::Control& startButton;
        ui::Control& listButton;
        ui::Control& report;
        ui::Control& autoSave;
        ui::Control& autoSavePath;
        ui::Control& filterAll;
        ui::Control& filterFree;
        ui::Control& filterTaken;
        ui::Control& logo;
        ui::Control& homepageIcon;
        ui::Control& contactIcon;
        ui::Control& advertIcon;
        ui::Control& homepageLink;
        ui::Control& advertLink;
        ui::Control& contactLink;
    };

    AppState& state_;
    std::unique_ptr<ui::Window> window_;
    Controls controls_;
    query::QueryRun run_;
    bool logoMovingLeft_ = false;
    bool closeAfterRun_ = false;
    bool demoNoticeShown_ = false;
    /// The names the last run could not check, until the end of the run reports them.
    query::UncheckedNames unchecked_;
};

}  // namespace yc::app
