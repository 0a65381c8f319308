// SaveRestoreWindow of a window shaped like the main window (eight stored controls among
// others), saving into and restoring from a settings file held in bind mode 0.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>

#include "fake_control.h"
#include "settings/save_restore_window.h"
#include "text/charset.h"

namespace {

using yc::settings::StateKind;

void addMainWindow(yc::test::FakeWindow& window) {
    window.add("标签1", StateKind::Button);
    window.add("按钮输入域名列表", StateKind::Button).tag_ =
        "example.com\r\nexample.net\r\nexample.org";
    window.add("单选框未注册", StateKind::RadioButton).checked_ = true;
    window.add("单选框已注册", StateKind::RadioButton);
    window.add("单选框全部", StateKind::RadioButton);
    window.add("按钮自动保存路径", StateKind::Button).tag_ = "/opt/yc/result.txt";
    window.add("选择框查询时自动保存", StateKind::CheckBox);
    window.add("超级列表框", StateKind::ListBox);
    window.add("按钮保存查询结果", StateKind::Button);
    window.add("按钮开始查询", StateKind::Button);
}

class BoundStore {
  public:
    BoundStore() {
        std::string pattern = (std::filesystem::temp_directory_path() / "yc-bench-XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string(".");
        bound_ = store.Bind((folder_ / "settings.ini").string(), 0);
    }
    ~BoundStore() {
        store.Destroy();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    BoundStore(const BoundStore&) = delete;
    BoundStore& operator=(const BoundStore&) = delete;
    bool bound() const { return bound_; }

    yc::settings::SettingsStore store;

  private:
    std::filesystem::path folder_;
    bool bound_ = false;
};

void runMainWindow(benchmark::State& state, bool restore) {
    BoundStore bound;
    if (!bound.bound()) {
        state.SkipWithError("cannot hold the settings file");
        return;
    }
    yc::test::FakeWindow window;
    addMainWindow(window);
    const auto controls = window.controls();
    yc::settings::SaveRestoreOptions options;
    options.windowName = yc::text::utf8ToGbk("主界面");
    yc::settings::SaveRestoreWindow(bound.store, controls, false, options);
    int round = 0;
    for (auto _ : state) {
        // A changed list each round, so that every save really rewrites an entry.
        window["按钮输入域名列表"].tag_ = "example" + std::to_string(round++) + ".com";
        yc::settings::SaveRestoreWindow(bound.store, controls, restore, options);
    }
}

void BM_SaveMainWindow(benchmark::State& state) {
    runMainWindow(state, false);
}
void BM_RestoreMainWindow(benchmark::State& state) {
    runMainWindow(state, true);
}

BENCHMARK(BM_SaveMainWindow)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_RestoreMainWindow)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
