// The main window under the offscreen platform: designed geometry, the banner timer, and query
// runs driven by real button clicks with a scripted exchange and scripted message boxes.
#include <gtest/gtest.h>

#include <stdexcept>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QTreeView>
#include <functional>

#include "app/main_window.h"
#include "support/context_menu_pick.h"
#include "support/gbk_literals.h"
#include "support/scripted_checker.h"
#include "support/scripted_desktop.h"
#include "support/table_test.h"
#include "support/temp_dir.h"
#include "text/charset.h"
#include "text/gbk_edit.h"
#include "text/system_path.h"
#include "ui/caption_button.h"
#include "ui/qt_event_pump.h"

namespace yc::app {
namespace {

using test::gbk;
using test::utf8;

class MainWindowTest : public testing::Test {
  protected:
    MainWindowTest() {
        state.programFolder = text::fromSystemPath(folder.path());
        state.dataFolder = state.programFolder;
        state.registrarEndpoint = "http://127.0.0.1:9/domain/bulkregister_submit.php";
        pump.setDispatchOnEveryCall(true);
        // Every name that starts with "free" is free.
        checker.isFree = [](const Text& name) { return name.starts_with("free"); };
    }

    ui::Control& control(const char* name) { return window.window().control(gbk(name)); }
    void click(const char* name) {
        qobject_cast<QAbstractButton*>(control(name).widget())->click();
    }
    void enterList(const Text& list) { control("按钮输入域名列表").setTag(list); }

    test::TempDir folder;
    test::ScriptedDesktop desktop;
    ui::QtEventPump pump;
    AppState state;
    test::ScriptedChecker checker;
    MainWindow window{state, checker};
};

TEST_F(MainWindowTest, ControlsSitAtTheirDesignedGeometry) {
    // One representative control: the description is data, and the window places every
    // control from it the same way.
    const ui::Control& report = control("超级列表框");
    EXPECT_EQ(std::vector<int>({report.left(), report.top(), report.width(), report.height()}),
              std::vector<int>({8, 152, 712, 416}));
}

TEST_F(MainWindowTest, WindowAndControlsStartAsDesigned) {
    ui::Window& w = window.window();
    EXPECT_EQ(utf8(w.title()), "翎杉·域查灵 v1.0.3.0");
    EXPECT_EQ(w.width(), 744);
    EXPECT_EQ(w.height(), 614);
    EXPECT_EQ(utf8(control("按钮开始查询").caption()), "开始查询");
    EXPECT_TRUE(control("单选框未注册").checked());
    EXPECT_FALSE(control("单选框全部").checked());
    EXPECT_TRUE(control("选择框查询时自动保存").checked());
    window.show();
    EXPECT_FALSE(control("按钮自动保存路径").disabled());
}

TEST_F(MainWindowTest, AMisspeltControlNameIsAnErrorNotANullControl) {
    EXPECT_THROW(window.window().control(YC_GBK("按钮开始查寻")), std::logic_error);
}

TEST_F(MainWindowTest, RadioButtonsFormOneGroup) {
    click("单选框全部");
    EXPECT_TRUE(control("单选框全部").checked());
    EXPECT_FALSE(control("单选框未注册").checked());
    EXPECT_FALSE(control("单选框已注册").checked());
}

TEST_F(MainWindowTest, AutoSaveCheckBoxEnablesThePathButton) {
    window.show();
    click("选择框查询时自动保存");
    EXPECT_TRUE(control("按钮自动保存路径").disabled());
    click("选择框查询时自动保存");
    EXPECT_FALSE(control("按钮自动保存路径").disabled());
}

TEST_F(MainWindowTest, LogoTurnsAtBothEnds) {
    QTimer* timer = control("时钟官网").timer();
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 20);
    const auto tick = [&](int n) {
        for (int i = 0; i < n; ++i) {
            QMetaObject::invokeMethod(timer, "timeout");
        }
    };
    tick(258);
    EXPECT_EQ(control("图片翎杉软件").left(), 362);
    tick(1);
    EXPECT_EQ(control("图片翎杉软件").left(), 361);
    tick(342);
    EXPECT_EQ(control("图片翎杉软件").left(), 19);
    tick(1);
    EXPECT_EQ(control("图片翎杉软件").left(), 20);
}

TEST_F(MainWindowTest, RunListsEveryNameAndEndsWithTheFinishedMessage) {
    Text list;
    for (int i = 0; i < 120; ++i) {
        list += (i % 3 == 0 ? "free" : "taken") + std::to_string(i) + ".com\r\n";
    }
    enterList(list);
    click("按钮开始查询");
    ASSERT_EQ(checker.batches.size(), 3u);
    query::ReportRows& rows = window.rows();
    ASSERT_EQ(rows.count(), 120u);
    EXPECT_EQ(rows.cell(0, 0), "free0.com");
    EXPECT_EQ(utf8(Text(rows.cell(0, 1))), "是");
    EXPECT_EQ(utf8(Text(rows.cell(1, 1))), "否");
    EXPECT_EQ(rows.iconIndex(1), query::kIconTaken);
    EXPECT_EQ(utf8(control("按钮开始查询").caption()), "开始查询");
    EXPECT_EQ(desktop.messageTextsUtf8(), std::vector<std::string>{"查询完成！"});
    EXPECT_TRUE(desktop.messages.back().caption.empty());  // the default "信息："
}

TEST_F(MainWindowTest, WithoutARegistrarTheStartButtonExplainsHowToSetOneAndRunsNothing) {
    state.registrarEndpoint.clear();
    state.settingsPath = text::fromSystemPath(folder.path() / "设置.ini");
    enterList("a.com");
    click("按钮开始查询");
    EXPECT_TRUE(checker.batches.empty());
    ASSERT_EQ(desktop.messages.size(), 1u);
    const std::string message = utf8(desktop.messages[0].text);
    EXPECT_NE(message.find("--registrar"), std::string::npos);
    EXPECT_NE(message.find("[连接]"), std::string::npos);
    EXPECT_NE(message.find("GBK"), std::string::npos);
    EXPECT_NE(message.find(utf8(state.settingsPath)), std::string::npos);
    EXPECT_EQ(utf8(control("按钮开始查询").caption()), "开始查询");
}

TEST_F(MainWindowTest, StopClickDuringAnExchangeDropsItsRows) {
    Text list;
    for (int i = 0; i < 120; ++i) {
        list += "n" + std::to_string(i) + ".com\r\n";
    }
    enterList(list);
    std::vector<std::string> captionsSeen;
    checker.duringExchange = [&] {
        if (checker.batches.size() == 2) {
            click("按钮开始查询");
            captionsSeen.push_back(utf8(control("按钮开始查询").caption()));
        }
    };
    click("按钮开始查询");
    EXPECT_EQ(checker.batches.size(), 2u);
    EXPECT_EQ(window.rows().count(), 50u);
    EXPECT_EQ(captionsSeen, std::vector<std::string>{"正在停止.."});
    EXPECT_EQ(utf8(control("按钮开始查询").caption()), "开始查询");
    EXPECT_EQ(desktop.messageTextsUtf8(), std::vector<std::string>{"查询完成！"});
}

TEST_F(MainWindowTest, LimitPromptResendsOnOkAndEndsOnCancel) {
    enterList("a.com\r\nb.com");
    checker.outcomes = {query::BatchOutcome::Refused, query::BatchOutcome::Refused};
    desktop.answers = {host::MessageAnswer::Ok, host::MessageAnswer::Cancel};
    click("按钮开始查询");
    ASSERT_EQ(checker.batches.size(), 2u);
    EXPECT_EQ(checker.batches[0], checker.batches[1]);
    ASSERT_EQ(desktop.messages.size(), 3u);
    EXPECT_EQ(utf8(desktop.messages[0].text),
              "可能查询过多已经被限制，建议更换下IP，如需继续采集请点击确定按钮，或者取消按钮退出");
    EXPECT_EQ(desktop.messages[0].buttons, host::MessageButtons::OkCancel);
    EXPECT_TRUE(desktop.messages[0].systemModal);
    EXPECT_EQ(window.rows().count(), 0u);
    EXPECT_EQ(utf8(desktop.messages[2].text), "查询完成！");
}

TEST_F(MainWindowTest, ClosingDuringARunStopsItKeepsRowsAndClosesAfterwards) {
    Text list;
    for (int i = 0; i < 120; ++i) {
        list += "n" + std::to_string(i) + ".com\r\n";
    }
    enterList(list);
    window.show();
    checker.duringExchange = [&] {
        if (checker.batches.size() == 2) {
            window.window().requestClose();
            EXPECT_TRUE(window.window().isOpen());
        }
    };
    click("按钮开始查询");
    EXPECT_EQ(window.rows().count(), 50u);
    EXPECT_TRUE(desktop.messages.empty());
    QApplication::processEvents();
    EXPECT_FALSE(window.window().isOpen());
    EXPECT_FALSE(window.runActive());
}

TEST_F(MainWindowTest, DoubleClickOpensRegistrarPageOnlyWithASelection) {
    state.registrarEndpoint = "https://registrar.test/domain/bulkregister_submit.php";
    auto* view = qobject_cast<QTreeView*>(control("超级列表框").widget());
    ASSERT_NE(view, nullptr);
    const auto doubleClick = [&] {
        const QPointF at(10, 10);
        QMouseEvent event(QEvent::MouseButtonDblClick, at, view->viewport()->mapToGlobal(at),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &event);
    };
    doubleClick();
    EXPECT_TRUE(desktop.openedAddresses.empty());

    enterList("a.com\r\nb.com");
    click("按钮开始查询");
    view->selectionModel()->select(view->model()->index(1, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    doubleClick();
    EXPECT_EQ(desktop.openedAddresses,
              std::vector<Text>{"http://registrar.test/domain/bulkregister_submit.php"});
}

Text numberedList(int count) {
    Text list;
    for (int i = 0; i < count; ++i) {
        list += "n" + std::to_string(i) + ".com\r\n";
    }
    return list;
}

TEST_F(MainWindowTest, ClosingWhileTheFinishedMessageShowsClosesTheWindow) {
    enterList("a.com");
    window.show();
    desktop.onMessage = [&](const host::MessageRequest& request) {
        if (utf8(request.text) == "查询完成！") {
            window.window().requestClose();
        }
    };
    click("按钮开始查询");
    QApplication::processEvents();
    EXPECT_FALSE(window.window().isOpen());
    EXPECT_EQ(utf8(control("按钮开始查询").caption()), "开始查询");
}

TEST_F(MainWindowTest, AutoSaveRowsReachTheFileAsTheyAreListed) {
    Text list;
    std::string firstBatchLines;
    for (int i = 0; i < 60; ++i) {
        list += "free" + std::to_string(i) + ".com\r\n";
        if (i < 50) {
            firstBatchLines += "free" + std::to_string(i) + ".com\r\n";
        }
    }
    enterList(list);
    const auto file = folder.path() / "查询结果.txt";
    std::string duringSecondExchange;
    checker.duringExchange = [&] {
        if (checker.batches.size() == 2) {
            duringSecondExchange = test::TempDir::read(file);
        }
    };
    click("按钮开始查询");
    ASSERT_EQ(checker.batches.size(), 2u);
    EXPECT_EQ(duringSecondExchange, firstBatchLines);
}

TEST_F(MainWindowTest, BannerLogoSlidesOnItsOwnTimer) {
    window.show();
    const int start = control("图片翎杉软件").left();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 400) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_GT(control("图片翎杉软件").left(), start + 5);
}

TEST_F(MainWindowTest, EscapeNeitherClosesTheWindowNorStopsARun) {
    enterList(numberedList(120));
    window.show();
    const auto pressEscape = [&] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(window.window().widget(), &press);
    };
    checker.duringExchange = pressEscape;
    click("按钮开始查询");
    pressEscape();
    QApplication::processEvents();
    EXPECT_TRUE(window.window().isOpen());
    EXPECT_EQ(window.rows().count(), 120u);
}

TEST_F(MainWindowTest, AStartClickWhileARunPreparesStartsNoSecondRun) {
    enterList(numberedList(60));
    control("按钮自动保存路径").setTag(text::fromSystemPath(folder.path() / "无此目录" / "r.txt"));
    desktop.onMessage = [&](const host::MessageRequest& request) {
        if (utf8(request.text).starts_with("本次查询不会自动保存")) {
            click("按钮开始查询");
        }
    };
    click("按钮开始查询");
    EXPECT_EQ(checker.batches.size(), 2u);
    EXPECT_EQ(window.rows().count(), 60u);
}

TEST_F(MainWindowTest, EveryRunCaptionIsFullyVisibleOnTheStartButton) {
    auto* button = dynamic_cast<ui::CaptionButton*>(control("按钮开始查询").widget());
    ASSERT_NE(button, nullptr);
    const QFont designed = button->font();
    // The captions of a common run, and the longest ones a 1,000,000-name run sets. Those that
    // fit at the designed font keep it.
    for (const auto& [caption, keepsDesignedFont] :
         {std::pair{"开始查询", true}, std::pair{"正在停止..", true},
          std::pair{"请稍候。本次查询 120 个域名", true},
          std::pair{"停止查询\r\n总 120 个，已查 50 个", true},
          std::pair{"请稍候。本次查询 1000000 个域名", true},
          std::pair{"停止查询\r\n总 1000000 个，已查 1000000 个", false}}) {
        control("按钮开始查询").setCaption(gbk(caption));
        const QRect area = button->captionRect();
        const QFont font = button->captionFont();
        const QRect needed =
            QFontMetrics(font).boundingRect(area, ui::CaptionButton::kCaptionFlags, button->text());
        EXPECT_TRUE(area.contains(needed)) << caption << " needs " << needed.width() << "x"
                                           << needed.height() << " at " << font.pixelSize();
        if (keepsDesignedFont) {
            EXPECT_EQ(font.pixelSize(), designed.pixelSize()) << caption;
        } else {
            EXPECT_GE(font.pixelSize(), 12) << caption;
        }
    }
}

TEST_F(MainWindowTest, ReportListMenuCopiesAndRechecksTheChosenRows) {
    enterList("free1.com\r\ntaken2.com\r\nfree3.com\r\ntaken4.com");
    click("按钮开始查询");
    ASSERT_EQ(window.rows().count(), 4u);
    window.window().widget()->show();
    auto* view = qobject_cast<QTreeView*>(control("超级列表框").widget());
    QApplication::processEvents();
    for (const int row : {1, 2}) {
        view->selectionModel()->select(view->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    const auto pick = [&](const char* caption) { test::pickContextMenuItem(view, caption); };
    pick("复制选中的域名");
    EXPECT_EQ(desktop.clipboard, Text("taken2.com\r\nfree3.com\r\n"));
    pick("复制全部可注册域名");
    EXPECT_EQ(desktop.clipboard, Text("free1.com\r\nfree3.com\r\n"));
    pick("复制全部");
    EXPECT_EQ(utf8(*desktop.clipboard),
              "free1.com,是\r\ntaken2.com,否\r\nfree3.com,是\r\ntaken4.com,否\r\n");

    // The registrar now offers every name: the rechecked rows change, the others stay.
    const auto freeCount = [&] {
        int free = 0;
        for (std::size_t row = 0; row < window.rows().count(); ++row) {
            free += window.rows().iconIndex(row) == query::kIconFree ? 1 : 0;
        }
        return free;
    };
    checker.isFree = [](const Text&) { return true; };
    pick("重新查询选中的域名");
    ASSERT_EQ(checker.batches.size(), 2u);
    EXPECT_EQ(checker.batches.back(), (query::Batch{"taken2.com", "free3.com"}));
    EXPECT_EQ(utf8(Text(window.rows().cell(1, 1))), "是");
    EXPECT_EQ(window.rows().iconIndex(1), query::kIconFree);
    EXPECT_EQ(utf8(Text(window.rows().cell(3, 1))), "否");
    EXPECT_EQ(freeCount(), 3);
}

}  // namespace
}  // namespace yc::app
