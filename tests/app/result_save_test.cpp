// Saving the report list through the main window's buttons, and auto-save during a run, with the
// written bytes read back: filters, TXT and CSV, failures, the path button and the file manager.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>
#include <filesystem>
#include <functional>

#include "app/main_window.h"
#include "support/counting_event_pump.h"
#include "support/gbk_literals.h"
#include "support/scripted_checker.h"
#include "support/scripted_desktop.h"
#include "support/table_test.h"
#include "support/temp_dir.h"
#include "text/charset.h"
#include "text/gbk_edit.h"
#include "text/system_path.h"
#include "ui/qt_event_pump.h"

namespace yc::app {
namespace {

using test::gbk;
std::string utf8(std::string_view gbkText) {
    return text::gbkToUtf8(gbkText);
}

class ResultSaveTest : public testing::Test {
  protected:
    ResultSaveTest() {
        state.dataFolder = text::fromSystemPath(dir.path());
        state.registrarEndpoint = "http://127.0.0.1:9/domain/bulkregister_submit.php";
        pump.setDispatchOnEveryCall(true);
        // Every name that starts with "free" is free.
        checker.isFree = [](const Text& name) { return name.starts_with("free"); };
    }

    ui::Control& control(const char* name) { return window.window().control(gbk(name)); }
    void click(const char* name) {
        qobject_cast<QAbstractButton*>(control(name).widget())->click();
    }
    void addRows() {
        window.rows().append("a.com", gbk("是"), query::kIconFree, query::kIconFree);
        window.rows().append("b.com", gbk("否"), query::kIconTaken, query::kIconTaken);
    }
    Text pathIn(const char* utf8Name) const {
        return text::fromSystemPath(dir.path()) + "/" + gbk(utf8Name);
    }
    /// Saves through the save button to `gbkPath` and returns the file's bytes as UTF-8.
    std::string saveTo(const Text& gbkPath) {
        desktop.saveFileResults = {gbkPath};
        click("按钮保存查询结果");
        return utf8(test::TempDir::read(text::toSystemPath(gbkPath)));
    }

    test::TempDir dir;
    test::ScriptedDesktop desktop;
    ui::QtEventPump pump;
    AppState state;
    test::ScriptedChecker checker;
    MainWindow window{state, checker};
};

struct SaveCase : test::TableCase {
    const char* filter;  // the radio button to check
    const char* file;
    const char* bytes;  // UTF-8 of the expected GBK file
};

class SaveFilterTest : public ResultSaveTest, public testing::WithParamInterface<SaveCase> {};

TEST_P(SaveFilterTest, WritesTheFilteredLinesInGbkWithCrLf) {
    const SaveCase& c = GetParam();
    addRows();
    click(c.filter);
    EXPECT_EQ(saveTo(pathIn(c.file)), c.bytes);
    EXPECT_EQ(desktop.messageTextsUtf8(), std::vector<std::string>{"保存OK！"});
}

INSTANTIATE_TEST_SUITE_P(
    Filters, SaveFilterTest,
    testing::Values(
        SaveCase{"all txt", "单选框全部", "r.txt", "a.com,是\r\nb.com,否\r\n"},
        SaveCase{"all csv", "单选框全部", "r.csv", "域名,未注册\r\na.com,是\r\nb.com,否\r\n"},
        SaveCase{"free txt", "单选框未注册", "r.txt", "a.com\r\n"},
        SaveCase{"free csv", "单选框未注册", "r.csv", "域名,未注册\r\na.com\r\n"},
        SaveCase{"taken txt", "单选框已注册", "r.txt", "b.com\r\n"},
        SaveCase{"taken csv", "单选框已注册", "r.csv", "域名,未注册\r\nb.com\r\n"},
        SaveCase{"upper case csv", "单选框全部", "results.CSV",
                 "域名,未注册\r\na.com,是\r\nb.com,否\r\n"},
        SaveCase{"no extension", "单选框全部", "results", "a.com,是\r\nb.com,否\r\n"},
        SaveCase{"csv only inside", "单选框全部", "results.csv.txt", "a.com,是\r\nb.com,否\r\n"},
        SaveCase{"chinese name", "单选框未注册", "查询结果.csv", "域名,未注册\r\na.com\r\n"}),
    test::ByLabel());

TEST_F(ResultSaveTest, EmptyListGivesHeaderOnlyCsvAndEmptyTxt) {
    EXPECT_EQ(saveTo(pathIn("empty.csv")), "域名,未注册\r\n");
    const Text txt = pathIn("empty.txt");
    EXPECT_EQ(saveTo(txt), "");
    EXPECT_TRUE(std::filesystem::exists(text::toSystemPath(txt)));
    EXPECT_EQ(desktop.messageTextsUtf8(), (std::vector<std::string>{"保存OK！", "保存OK！"}));
}

TEST_F(ResultSaveTest, EventsArePumpedOncePerRow) {
    addRows();
    addRows();
    test::CountingEventPump counter;
    saveTo(pathIn("r.txt"));
    EXPECT_EQ(counter.calls, 4);
}

TEST_F(ResultSaveTest, SaveDialogAsksForAResultsFile) {
    click("按钮保存查询结果");
    ASSERT_EQ(desktop.dialogs.size(), 1u);
    const host::FileDialogRequest& d = desktop.dialogs[0];
    EXPECT_EQ(utf8(d.title), "选择一个保存查询结果的文件地址：");
    EXPECT_EQ(utf8(d.filter), "txt文件|*.txt|csv文件|*.csv|全部文件|*.*");
    EXPECT_EQ(d.filterIndex, 1);
    EXPECT_TRUE(d.initialFolder.empty());
    EXPECT_TRUE(desktop.messages.empty());  // cancelled: nothing written, nothing said
}

TEST_F(ResultSaveTest, UnopenablePathIsNamed) {
    addRows();
    const Text path = pathIn("missing-folder/r.txt");
    saveTo(path);
    EXPECT_EQ(desktop.messageTextsUtf8(),
              std::vector<std::string>{"无法保存，请检查这个路径：" + utf8(path)});
}

TEST_F(ResultSaveTest, FailingWritesAreReportedNotCalledOk) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    addRows();
    desktop.saveFileResults = {"/dev/full"};
    click("按钮保存查询结果");
    ASSERT_EQ(desktop.messages.size(), 1u);
    const std::string message = utf8(desktop.messages[0].text);
    EXPECT_TRUE(message.starts_with("保存失败：/dev/full（")) << message;
    EXPECT_TRUE(message.ends_with("）")) << message;
    EXPECT_GT(message.size(), std::string("保存失败：/dev/full（）").size()) << message;
}

TEST_F(ResultSaveTest, PathButtonStartsInTheDataFolderThenAtTheChosenFile) {
    window.show();
    click("按钮自动保存路径");  // cancelled
    EXPECT_TRUE(control("按钮自动保存路径").tag().empty());
    const Text chosen = pathIn("auto.csv");
    desktop.saveFileResults = {chosen};
    click("按钮自动保存路径");
    EXPECT_EQ(control("按钮自动保存路径").tag(), chosen);
    click("按钮自动保存路径");  // cancelled: the old path stays
    EXPECT_EQ(control("按钮自动保存路径").tag(), chosen);

    ASSERT_EQ(desktop.dialogs.size(), 3u);
    EXPECT_EQ(utf8(desktop.dialogs[0].title),
              "选择一个在查询时自动保存的文件地址（你也可以查询好后再保存查询结果）：");
    EXPECT_EQ(utf8(desktop.dialogs[0].filter), "txt文件|*.txt|csv文件|*.csv|全部文件|*.*");
    EXPECT_EQ(desktop.dialogs[0].filterIndex, 1);
    EXPECT_EQ(desktop.dialogs[0].initialFolder, state.dataFolder);
    EXPECT_EQ(desktop.dialogs[2].initialFolder, chosen);
}

TEST_F(ResultSaveTest, RightClickShowsTheAutoSaveFileOrTheDefaultOne) {
    QWidget* button = control("按钮自动保存路径").widget();
    const auto rightClick = [&] {
        const QPointF at(5, 5);
        QMouseEvent event(QEvent::MouseButtonPress, at, button->mapToGlobal(at), Qt::RightButton,
                          Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(button, &event);
    };
    rightClick();
    control("按钮自动保存路径").setTag(pathIn("mine.txt"));
    rightClick();
    EXPECT_EQ(desktop.shownFiles, (std::vector<Text>{pathIn("查询结果.txt"), pathIn("mine.txt")}));
}

TEST_F(ResultSaveTest, RunAutoSavesToTheDefaultFileInTheDataFolder) {
    control("按钮输入域名列表").setTag("free1.com\r\ntaken2.com\r\nfree3.com");
    click("按钮开始查询");
    EXPECT_EQ(test::TempDir::read(dir.path() / u8"查询结果.txt"), "free1.com\r\nfree3.com\r\n");
    EXPECT_EQ(desktop.messageTextsUtf8(), std::vector<std::string>{"查询完成！"});
}

TEST_F(ResultSaveTest, FilterChangeDuringARunChangesTheLinesWrittenFromThenOn) {
    Text list;
    for (int i = 0; i < 50; ++i) {
        list += "free" + std::to_string(i) + ".com\r\n";
    }
    list += "taken.com\r\nfree.com";
    control("按钮输入域名列表").setTag(list);
    const Text path = pathIn("run.csv");
    control("按钮自动保存路径").setTag(path);
    checker.duringExchange = [&] {
        if (checker.batches.size() == 2) {
            click("单选框全部");
        }
    };
    click("按钮开始查询");
    const std::string saved = utf8(test::TempDir::read(text::toSystemPath(path)));
    std::string expected = "域名,未注册\r\n";
    for (int i = 0; i < 50; ++i) {
        expected += "free" + std::to_string(i) + ".com\r\n";
    }
    expected += "taken.com,否\r\nfree.com,是\r\n";
    EXPECT_EQ(saved, expected);
}

TEST_F(ResultSaveTest, UnopenableAutoSaveFileIsToldOnceAndTheRunGoesOn) {
    control("按钮输入域名列表").setTag("free1.com\r\nfree2.com");
    const Text path = pathIn("missing-folder/auto.txt");
    control("按钮自动保存路径").setTag(path);
    click("按钮开始查询");
    EXPECT_EQ(window.rows().count(), 2u);
    const std::vector<std::string> messages = desktop.messageTextsUtf8();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[0].starts_with("本次查询不会自动保存：无法打开文件 " + utf8(path)))
        << messages[0];
    EXPECT_EQ(messages[1], "查询完成！");
}

TEST_F(ResultSaveTest, UncheckedAutoSaveWritesNoFile) {
    window.show();
    click("选择框查询时自动保存");
    control("按钮输入域名列表").setTag("free1.com");
    click("按钮开始查询");
    EXPECT_EQ(window.rows().count(), 1u);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / u8"查询结果.txt"));
}

}  // namespace
}  // namespace yc::app
