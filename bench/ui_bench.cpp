// The window layer's hot paths: appending a million report rows while events are pumped, and
// the cost of *process pending events* when nothing is waiting.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QApplication>
#include <QCoreApplication>
#include <QTreeView>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/program.h"
#include "text/charset.h"
#include "text/system_path.h"
#include "ui/control_state_adapter.h"
#include "ui/qt_event_pump.h"
#include "ui/report_list_model.h"
#include "ui/state_icons.h"

namespace {

double residentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

void BM_ReportListMillionRows(benchmark::State& state) {
    const auto rows = static_cast<std::size_t>(state.range(0));
    const yc::Text free = yc::text::utf8ToGbk("是");
    for (auto _ : state) {
        QTreeView view;
        auto* model = new yc::ui::ReportListModel(
            {{yc::text::utf8ToGbk("域名"), 300}, {yc::text::utf8ToGbk("可注册"), 110}},
            yc::ui::reportStateIcons(), &view);
        view.setModel(model);
        view.setUniformRowHeights(true);
        view.setRootIsDecorated(false);
        view.resize(712, 416);
        view.show();
        QCoreApplication::processEvents();
        const double before = residentMegabytes();
        const auto start = std::chrono::steady_clock::now();
        for (std::size_t i = 0; i < rows; ++i) {
            model->rows().append("name" + std::to_string(i) + ".com", free, 0, 0);
            if (i % 50 == 49) {
                QCoreApplication::processEvents();
            }
        }
        model->publish();
        QCoreApplication::processEvents();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        state.counters["rss_growth_MB"] = residentMegabytes() - before;
        state.counters["rows_in_view"] = model->rowCount();
    }
}
BENCHMARK(BM_ReportListMillionRows)
    ->Arg(1000000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The real main window bound to a settings file, as at start-up and close.
void mainWindowSaveRestore(benchmark::State& state, bool restore) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "yc-ui-bench-settings";
    std::filesystem::create_directories(folder);
    {
        yc::app::Program program(yc::text::fromSystemPath(folder), {});
        program.mainWindow()
            .window()
            .control(yc::text::utf8ToGbk("按钮输入域名列表"))
            .setTag("a.com\r\nb.com\r\nc.com");
        yc::settings::SettingsStore& store = program.state().settings;
        yc::ui::Window& window = program.mainWindow().window();
        const yc::settings::SaveRestoreOptions options{.windowName = window.name()};
        yc::ui::saveRestoreRealisedWindow(store, window, false, options);
        bool checked = false;
        for (auto _ : state) {
            // Each save changes one entry, so every round really writes the file.
            checked = !checked;
            window.control(yc::text::utf8ToGbk("选择框查询时自动保存")).setChecked(checked);
            yc::ui::saveRestoreRealisedWindow(store, window, restore, options);
        }
    }
    std::filesystem::remove_all(folder);
}

void BM_MainWindowSave(benchmark::State& state) {
    mainWindowSaveRestore(state, false);
}
void BM_MainWindowRestore(benchmark::State& state) {
    mainWindowSaveRestore(state, true);
}
BENCHMARK(BM_MainWindowSave)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MainWindowRestore)->Unit(benchmark::kMicrosecond);

void BM_ProcessPendingEventsIdle(benchmark::State& state) {
    yc::ui::QtEventPump pump;
    for (auto _ : state) {
        yc::host::processPendingEvents();
    }
}
BENCHMARK(BM_ProcessPendingEventsIdle);

void BM_BareQtProcessEventsIdle(benchmark::State& state) {
    for (auto _ : state) {
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_BareQtProcessEventsIdle);

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
