// Query runs driven through a recorded view and a scripted exchange: batching, captions, stop
// requests arriving during an exchange, the retry prompts and auto-save.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "host/desktop.h"
#include "query/query_run.h"
#include "query/run_captions.h"
#include "support/gbk_literals.h"
#include "support/scripted_checker.h"
#include "support/scripted_desktop.h"
#include "support/temp_dir.h"
#include "text/charset.h"
#include "text/gbk_edit.h"
#include "text/system_path.h"

namespace yc::query {
namespace {

using test::utf8;

class RecordingView final : public QueryRunView {
  public:
    Text list;
    ReportRows store;
    ExportFilter filter{false, true, false};
    AutoSaveChoice save;
    std::vector<std::string> captions;  // UTF-8, in order
    std::deque<bool> refusalAnswers;
    std::deque<bool> failureAnswers;
    int refusalPrompts = 0;
    int failurePrompts = 0;
    int finished = 0;
    std::vector<Text> unavailable;
    std::vector<Text> incomplete;

    Text listText() override { return list; }
    std::optional<Text> clipboardText() override { return host::desktop().clipboardText(); }
    // The run's events as the window's start button shows them.
    void runStarted(std::string_view, std::size_t total) override {
        captions.push_back(utf8(startedCaption(total)));
    }
    void batchDone(const RunProgress& progress) override {
        captions.push_back(utf8(progressCaption(progress)));
    }
    void runStopping() override { captions.push_back(utf8(stoppingCaption())); }
    void runIdle() override { captions.push_back(utf8(idleCaption())); }
    ReportRows& rows() override { return store; }
    ExportFilter exportFilter() override { return filter; }
    AutoSaveChoice autoSave() override { return save; }
    bool retryAfterRefusal() override { return pop(refusalAnswers, refusalPrompts); }
    bool retryAfterFailure() override { return pop(failureAnswers, failurePrompts); }
    void autoSaveUnavailable(const Text& path, const Text&) override {
        unavailable.push_back(path);
    }
    void autoSaveIncomplete(const Text& path, const Text&) override { incomplete.push_back(path); }
    void runFinished() override { ++finished; }

  private:
    static bool pop(std::deque<bool>& answers, int& count) {
        ++count;
        const bool answer = !answers.empty() && answers.front();
        if (!answers.empty()) {
            answers.pop_front();
        }
        return answer;
    }
};

Text numberedList(int count, const char* suffix = ".com") {
    Text list;
    for (int i = 0; i < count; ++i) {
        list += "n" + std::to_string(i) + suffix + "\r\n";
    }
    return list;
}

class QueryRunTest : public testing::Test {
  protected:
    QueryRunTest() {
        checker.isFree = [](const Text& name) {
            return name.size() > 5 && name.ends_with(".free");
        };
    }

    test::ScriptedDesktop desktop;
    RecordingView view;
    test::ScriptedChecker checker;
    bool stopRequested = false;
    QueryRun run{view, checker, stopRequested};
};

TEST_F(QueryRunTest, SendsBatchesOfFifty) {
    view.list = numberedList(120);
    run.onStartClicked();
    ASSERT_EQ(checker.batches.size(), 3u);
    EXPECT_EQ(checker.batches[0].size(), 50u);
    EXPECT_EQ(checker.batches[1].size(), 50u);
    EXPECT_EQ(checker.batches[2].size(), 20u);
    EXPECT_EQ(view.store.count(), 120u);
    EXPECT_EQ(view.captions.front(), "请稍候。本次查询 120 个域名");
    EXPECT_EQ(view.captions[2], "停止查询\r\n总 120 个，已查 100 个");
    EXPECT_EQ(view.captions.back(), "开始查询");
    EXPECT_EQ(view.finished, 1);
}

TEST_F(QueryRunTest, TrailingEmptyLinesCountInTotalButMakeNoExchange) {
    view.list = numberedList(50) + "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";
    run.onStartClicked();
    ASSERT_EQ(checker.batches.size(), 1u);
    EXPECT_EQ(view.captions.front(), "请稍候。本次查询 60 个域名");
    EXPECT_EQ(view.captions[1], "停止查询\r\n总 60 个，已查 50 个");
}

TEST_F(QueryRunTest, EmptyLastLineJoinsThePendingBatch) {
    view.list = "a.com|b.com||";  // lines a.com, b.com, ""
    run.onStartClicked();
    ASSERT_EQ(checker.batches.size(), 1u);
    EXPECT_EQ(checker.batches[0], (Batch{"a.com", "b.com", ""}));
    EXPECT_EQ(view.store.count(), 2u);
}

TEST_F(QueryRunTest, RowsCarryStateTextAndIcons) {
    view.list = "x.free\r\nY.com\r\n";
    run.onStartClicked();
    ASSERT_EQ(view.store.count(), 2u);
    EXPECT_EQ(view.store.cell(0, kColumnName), "x.free");
    EXPECT_EQ(utf8(Text(view.store.cell(0, kColumnState))), "是");
    EXPECT_EQ(view.store.iconIndex(0), kIconFree);
    EXPECT_EQ(view.store.stateImageIndex(0), kIconFree);
    EXPECT_EQ(view.store.cell(1, kColumnName), "y.com");
    EXPECT_EQ(utf8(Text(view.store.cell(1, kColumnState))), "否");
    EXPECT_EQ(view.store.iconIndex(1), kIconTaken);
}

TEST_F(QueryRunTest, NameListedInAnotherCaseIsTaken) {
    class UpperCasingChecker final : public BatchChecker {
      public:
        BatchOutcome CheckBatch(const Batch&, FreeNames& free) override {
            free = {"ABC.com", "xyz.com"};
            return BatchOutcome::Accepted;
        }
    } upper;
    QueryRun caseRun(view, upper, stopRequested);
    view.list = "abc.com\r\nxyz.com";
    caseRun.onStartClicked();
    ASSERT_EQ(view.store.count(), 2u);
    EXPECT_EQ(view.store.iconIndex(0), kIconTaken);
    EXPECT_EQ(view.store.iconIndex(1), kIconFree);
}

TEST_F(QueryRunTest, StopDuringAnExchangeDropsThatBatch) {
    view.list = numberedList(120);
    checker.duringExchange = [&] {
        if (checker.batches.size() == 2) {
            run.onStartClicked();  // the nested click of a stop request
        }
    };
    run.onStartClicked();
    EXPECT_EQ(checker.batches.size(), 2u);
    EXPECT_EQ(view.store.count(), 50u);
    const std::vector<std::string> tail(view.captions.end() - 2, view.captions.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"正在停止..", "开始查询"}));
    EXPECT_EQ(view.finished, 1);
    EXPECT_TRUE(stopRequested);
}

TEST_F(QueryRunTest, RefusalResendsIdenticalBatchOnOkAndEndsOnCancel) {
    view.list = numberedList(60);
    checker.outcomes = {BatchOutcome::Refused, BatchOutcome::Accepted, BatchOutcome::Refused};
    view.refusalAnswers = {true, false};
    run.onStartClicked();
    ASSERT_EQ(checker.batches.size(), 3u);
    EXPECT_EQ(checker.batches[0], checker.batches[1]);
    EXPECT_EQ(view.refusalPrompts, 2);
    EXPECT_EQ(view.store.count(), 50u);  // the refused second batch adds nothing
    EXPECT_EQ(view.captions.back(), "开始查询");
}

TEST_F(QueryRunTest, FailedExchangeNeverProducesRows) {
    view.list = numberedList(10);
    checker.outcomes = {BatchOutcome::Failed, BatchOutcome::Failed};
    view.failureAnswers = {true, false};
    run.onStartClicked();
    EXPECT_EQ(checker.batches.size(), 2u);
    EXPECT_EQ(view.failurePrompts, 2);
    EXPECT_EQ(view.store.count(), 0u);
    EXPECT_EQ(view.finished, 1);
}

TEST_F(QueryRunTest, StopThatCutsAnExchangeShortEndsWithoutTheFailurePrompt) {
    view.list = numberedList(60);
    checker.outcomes = {BatchOutcome::Failed};
    view.failureAnswers = {true};
    checker.duringExchange = [&] { run.onStartClicked(); };
    run.onStartClicked();
    EXPECT_EQ(checker.batches.size(), 1u);
    EXPECT_EQ(view.failurePrompts, 0);
    EXPECT_EQ(view.store.count(), 0u);
    EXPECT_EQ(view.finished, 1);
}

TEST_F(QueryRunTest, EmptyListFallsBackToClipboard) {
    desktop.clipboard = Text("a.free\r\nb.com");
    run.onStartClicked();
    ASSERT_EQ(checker.batches.size(), 1u);
    EXPECT_EQ(view.store.count(), 2u);
}

TEST_F(QueryRunTest, EmptyListAndEmptyClipboardEndAtOnce) {
    run.onStartClicked();
    EXPECT_TRUE(checker.batches.empty());
    EXPECT_EQ(view.captions, (std::vector<std::string>{"请稍候。本次查询 0 个域名", "开始查询"}));
    EXPECT_EQ(view.finished, 1);
}

TEST_F(QueryRunTest, AutoSaveWritesEveryRowUnderTheFilterOfTheMoment) {
    test::TempDir dir;
    view.save = {true, text::fromSystemPath(dir.path() / "查询结果.CSV")};
    view.list = numberedList(50, ".free") + numberedList(2);
    checker.duringExchange = [&] {
        if (checker.batches.size() == 2) {
            view.filter = {true, false, false};
        }
    };
    run.onStartClicked();
    const std::string saved = test::TempDir::read(dir.path() / "查询结果.CSV");
    const std::string expectedStart = text::utf8ToGbk("域名,未注册\r\nn0.free\r\n");
    EXPECT_EQ(saved.substr(0, expectedStart.size()), expectedStart);
    const std::string expectedEnd = text::utf8ToGbk("n49.free\r\nn0.com,否\r\nn1.com,否\r\n");
    ASSERT_GE(saved.size(), expectedEnd.size());
    EXPECT_EQ(saved.substr(saved.size() - expectedEnd.size()), expectedEnd);
}

TEST_F(QueryRunTest, AutoSaveFileThatLosesRowsIsReportedAtTheEnd) {
    view.save = {true, "/dev/full"};
    view.list = "a.free\r\nb.com";
    run.onStartClicked();
    EXPECT_TRUE(view.unavailable.empty());
    EXPECT_EQ(view.incomplete, std::vector<Text>{"/dev/full"});
    EXPECT_EQ(view.store.count(), 2u);
    EXPECT_EQ(view.finished, 1);
}

TEST_F(QueryRunTest, UnopenableAutoSaveFileIsReportedAndTheRunGoesOn) {
    view.save = {true, "/nonexistent-dir/x.txt"};
    view.list = "a.com";
    run.onStartClicked();
    EXPECT_EQ(view.unavailable, std::vector<Text>{"/nonexistent-dir/x.txt"});
    EXPECT_EQ(view.store.count(), 1u);
}

}  // namespace
}  // namespace yc::query
