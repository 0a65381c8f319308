// The input dialog under the offscreen platform, driven from inside its modal loop: layout and
// preparation, the discard question, OK / Cancel / restore / paste / file import, and the main
// window's domain list button that opens it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>

#include "app/input_dialog.h"
#include "app/input_dialog_description.h"
#include "app/main_window.h"
#include "support/context_menu_pick.h"
#include "support/counting_event_pump.h"
#include "support/gbk_literals.h"
#include "support/scripted_checker.h"
#include "support/scripted_desktop.h"
#include "support/table_test.h"
#include "support/temp_dir.h"
#include "text/charset.h"
#include "text/system_path.h"
#include "ui/qt_event_pump.h"
#include "ui/window.h"

namespace yc::app {
namespace {

using test::gbk;
using test::utf8;

using Step = std::function<void(ui::Window&)>;

ui::Control& control(ui::Window& w, const char* name) {
    return w.control(gbk(name));
}
void click(ui::Window& w, const char* name) {
    qobject_cast<QAbstractButton*>(control(w, name).widget())->click();
}
QPlainTextEdit* editBox(ui::Window& w, const char* name) {
    return qobject_cast<QPlainTextEdit*>(control(w, name).widget());
}
Text body(ui::Window& w) {
    return control(w, "编辑框正文").content();
}
void setBody(ui::Window& w, const char* utf8Text) {
    control(w, "编辑框正文").setContent(gbk(utf8Text));
}

// Runs `steps` one event-loop turn apart inside whatever modal loop the test starts next. A
// dialog still open after the last step is destroyed, so no test can hang; the script's pending
// turns die with it, so none leaks into a later test.
class DialogScript {
  public:
    explicit DialogScript(std::vector<Step> steps) : steps_(std::move(steps)) { schedule(0); }

    bool stillOpenAfterSteps() const { return stillOpen_; }
    /// True when every step ran inside the dialog.
    bool finished() const { return ran_ == steps_.size(); }

  private:
    void schedule(std::size_t i) {
        QTimer::singleShot(0, context_.get(), [this, i] {
            ui::Window* w = openInputDialog();
            if (w == nullptr) {
                return;
            }
            if (i == steps_.size()) {
                stillOpen_ = true;
                w->destroy();
                return;
            }
            steps_[i](*w);
            ++ran_;
            schedule(i + 1);
        });
    }

    std::vector<Step> steps_;
    std::unique_ptr<QObject> context_ = std::make_unique<QObject>();
    std::size_t ran_ = 0;
    bool stillOpen_ = false;
};

class InputDialogTest : public testing::Test {
  protected:
    InputDialogTest() { pump.setDispatchOnEveryCall(true); }

    /// Opens the dialog with `arguments` and runs `steps` inside it; true when OK was pressed.
    bool open(const InputDialogArguments& arguments, std::vector<Step> steps) {
        DialogScript script(std::move(steps));
        const bool accepted = ShowInputDialog(state, arguments);
        stillOpenAfterSteps = script.stillOpenAfterSteps();
        EXPECT_TRUE(script.finished());
        return accepted;
    }

    InputDialogArguments withOutput(const char* initial) {
        InputDialogArguments arguments;
        arguments.initialText = gbk(initial);
        arguments.output = &output;
        return arguments;
    }

    test::ScriptedDesktop desktop;
    ui::QtEventPump pump;
    AppState state;
    Text output = "caller's text";
    bool stillOpenAfterSteps = false;
};

TEST_F(InputDialogTest, YesOnTheDiscardQuestionKeepsTheEditsAndNoCloses) {
    desktop.answers = {host::MessageAnswer::Yes, host::MessageAnswer::No};
    std::vector<Text> bodiesAfterYes;
    const bool accepted = open(withOutput("a.com"), {
                                                        [](ui::Window& w) {
                                                            setBody(w, "edited.com");
                                                            w.requestClose();
                                                        },
                                                        [&](ui::Window& w) {
                                                            EXPECT_TRUE(w.isOpen());
                                                            bodiesAfterYes.push_back(body(w));
                                                            w.requestClose();
                                                        },
                                                    });
    EXPECT_FALSE(accepted);
    EXPECT_FALSE(stillOpenAfterSteps);
    EXPECT_EQ(bodiesAfterYes, std::vector<Text>{"edited.com"});
    EXPECT_EQ(output, "caller's text");
    ASSERT_EQ(desktop.messages.size(), 2u);
    const host::MessageRequest& question = desktop.messages[0];
    EXPECT_EQ(utf8(question.text), "内容已被改动，是否要放弃？");
    EXPECT_EQ(utf8(question.caption), "翎杉：");
    EXPECT_EQ(question.buttons, host::MessageButtons::YesNo);
    EXPECT_EQ(question.icon, host::MessageIcon::Information);
    EXPECT_TRUE(question.systemModal);
}

TEST_F(InputDialogTest, ExpandingBySuffixesReplacesTheBodyWithTheNamesToCheck) {
    desktop.textAnswers = {Text("com, net")};
    EXPECT_TRUE(open(
        withOutput("hello\r\nworld.cn\r\nshop"),
        {[](ui::Window& w) { test::pickContextMenuItem(editBox(w, "编辑框正文"), "按后缀展开…"); },
         [](ui::Window& w) { click(w, "按钮确定"); }}));
    EXPECT_EQ(utf8(output), "hello.com\r\nhello.net\r\nworld.cn\r\nshop.com\r\nshop.net\r\n");
    ASSERT_EQ(desktop.textQuestions.size(), 1u);
}

TEST_F(InputDialogTest, CancelClosesWithoutAsking) {
    const bool accepted = open(withOutput("a.com"), {[](ui::Window& w) {
                                   setBody(w, "edited.com");
                                   click(w, "按钮取消");
                               }});
    EXPECT_FALSE(accepted);
    EXPECT_FALSE(stillOpenAfterSteps);
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(output, "caller's text");
}

TEST_F(InputDialogTest, ClosingUnchangedAsksNothing) {
    const bool accepted = open(withOutput("a.com"), {[](ui::Window& w) { w.requestClose(); }});
    EXPECT_FALSE(accepted);
    EXPECT_FALSE(stillOpenAfterSteps);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(InputDialogTest, OkUnchangedReturnsTheSameText) {
    const bool accepted =
        open(withOutput("a.com\r\nb.com\r\n"), {[](ui::Window& w) { click(w, "按钮确定"); }});
    EXPECT_TRUE(accepted);
    EXPECT_EQ(output, "a.com\r\nb.com\r\n");
    EXPECT_TRUE(state.inputDialogResult.accepted);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(InputDialogTest, BareLineFeedsInTheInitialTextCountAsUnchanged) {
    EXPECT_FALSE(open(withOutput("a.com\nb.com"), {[](ui::Window& w) { w.requestClose(); }}));
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_TRUE(open(withOutput("a.com\nb.com"), {[](ui::Window& w) { click(w, "按钮确定"); }}));
    EXPECT_EQ(output, "a.com\nb.com");
}

TEST_F(InputDialogTest, OkReturnsTheEditedBody) {
    const bool accepted = open(withOutput("a.com"), {[](ui::Window& w) {
                                   setBody(w, "x.com\r\ny.com");
                                   click(w, "按钮确定");
                               }});
    EXPECT_TRUE(accepted);
    EXPECT_EQ(output, "x.com\r\ny.com");
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(InputDialogTest, RestoreWithAnEmptyInitialTextSaysSo) {
    std::vector<Text> bodies;
    open(withOutput(""), {[&](ui::Window& w) {
             setBody(w, "typed");
             click(w, "按钮恢复");
             bodies.push_back(body(w));
             click(w, "按钮取消");
         }});
    EXPECT_EQ(bodies, std::vector<Text>{"typed"});
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(utf8(desktop.messages[0].text), "启动值为空！");
    EXPECT_EQ(utf8(desktop.messages[0].caption), "翎杉：");
    EXPECT_EQ(desktop.messages[0].buttons, host::MessageButtons::Ok);
    EXPECT_EQ(desktop.messages[0].icon, host::MessageIcon::Information);
    EXPECT_TRUE(desktop.messages[0].systemModal);
}

TEST_F(InputDialogTest, RestoreClearAndPasteReplaceTheWholeBody) {
    desktop.clipboard = "p1.com\r\np2.com";
    std::vector<Text> bodies;
    const auto record = [&](ui::Window& w) { bodies.push_back(body(w)); };
    open(withOutput("a.com"), {[&](ui::Window& w) {
             setBody(w, "typed");
             click(w, "按钮清空");
             record(w);
             click(w, "按钮恢复");
             record(w);
             click(w, "按钮粘贴");
             record(w);
             desktop.clipboard.reset();
             click(w, "按钮粘贴");
             record(w);
             click(w, "按钮取消");
         }});
    EXPECT_EQ(bodies, (std::vector<Text>{"", "a.com", "p1.com\r\np2.com", ""}));
    EXPECT_TRUE(desktop.messages.empty());
}

class InputDialogImportTest : public InputDialogTest {
  protected:
    Text file(const char* name, std::string_view bytes) {
        return text::fromSystemPath(dir.write(name, bytes));
    }
    test::TempDir dir;
};

TEST_F(InputDialogImportTest, TwoFilesIntoAnEmptyBodyAreJoinedByOneLineBreak) {
    const Text one = file("one.txt", "a.com\r\nb.com");
    const Text two = file("two.txt", std::string_view("c.com\0ignored", 13));
    desktop.openFileResults = {{one, two}};
    InputDialogArguments arguments = withOutput("");
    arguments.fileButtons = 1;
    std::vector<Text> bodies;
    std::vector<int> pumped;
    open(arguments, {[&](ui::Window& w) {
             test::CountingEventPump counter;
             click(w, "按钮文件");
             pumped.push_back(counter.calls);  // once per file
             bodies.push_back(body(w));
             click(w, "按钮取消");
         }});
    EXPECT_EQ(bodies, std::vector<Text>{"a.com\r\nb.com\r\nc.com"});
    EXPECT_EQ(pumped, std::vector<int>{2});
    ASSERT_EQ(desktop.dialogs.size(), 1u);
    EXPECT_EQ(utf8(desktop.dialogs[0].title), "选择多个文件，将导入其文件内容");
    EXPECT_EQ(utf8(desktop.dialogs[0].filter),
              "文本文本|*.txt;*.text;*.ini;*.htn;*.html|全部文件|*.*");
    EXPECT_EQ(desktop.dialogs[0].filterIndex, 1);
}

TEST_F(InputDialogImportTest, IntoAFilledBodyEveryFileGetsALineBreakFirst) {
    const Text one = file("one.txt", "b.com");
    const Text missing = text::fromSystemPath(dir.path() / "missing.txt");
    desktop.openFileResults = {{one, missing, one}, {one}, {}};
    InputDialogArguments arguments = withOutput("a.com");
    arguments.fileButtons = 3;
    std::vector<Text> bodies;
    open(arguments, {[&](ui::Window& w) {
             click(w, "按钮文件");
             bodies.push_back(body(w));
             setBody(w, "x");
             click(w, "按钮文件名");
             bodies.push_back(body(w));
             click(w, "按钮文件名");  // cancelled: nothing added
             bodies.push_back(body(w));
             click(w, "按钮取消");
         }});
    ASSERT_EQ(bodies.size(), 3u);
    EXPECT_EQ(bodies[0], "a.com\r\nb.com\r\n\r\nb.com");
    EXPECT_EQ(bodies[1], "x\r\n" + one);
    EXPECT_EQ(bodies[2], bodies[1]);
    ASSERT_EQ(desktop.dialogs.size(), 3u);
    EXPECT_EQ(utf8(desktop.dialogs[1].title), "选择多个文件，将导入其文件路径");
}

TEST_F(InputDialogImportTest, ContentsStopAtTheFirstZeroByteEvenOfAnEndlessFile) {
    if (!std::filesystem::exists("/dev/zero")) {
        GTEST_SKIP() << "no /dev/zero";
    }
    desktop.openFileResults = {{"/dev/zero", file("one.txt", "a.com")}};
    InputDialogArguments arguments = withOutput("");
    arguments.fileButtons = 1;
    std::vector<Text> bodies;
    open(arguments, {[&](ui::Window& w) {
             click(w, "按钮文件");
             bodies.push_back(body(w));
             click(w, "按钮取消");
         }});
    EXPECT_EQ(bodies, std::vector<Text>{"\r\na.com"});
}

struct FileButtonsCase : test::TableCase {
    int fileButtons;
    bool contents;
    bool names;
};

class InputDialogFileButtonsTest : public InputDialogTest,
                                   public testing::WithParamInterface<FileButtonsCase> {};

TEST_P(InputDialogFileButtonsTest, ShowsTheRequestedFileButtons) {
    const FileButtonsCase& c = GetParam();
    InputDialogArguments arguments = withOutput("");
    arguments.fileButtons = c.fileButtons;
    open(arguments, {[&](ui::Window& w) {
             EXPECT_EQ(control(w, "按钮文件").widget()->isVisible(), c.contents);
             EXPECT_EQ(control(w, "按钮文件名").widget()->isVisible(), c.names);
         }});
}

INSTANTIATE_TEST_SUITE_P(Requested, InputDialogFileButtonsTest,
                         testing::Values(FileButtonsCase{"none", 0, false, false},
                                         FileButtonsCase{"contents", 1, true, false},
                                         FileButtonsCase{"names", 2, false, true},
                                         FileButtonsCase{"both", 3, true, true},
                                         FileButtonsCase{"unknown", 7, false, false}),
                         test::ByLabel());

TEST_F(InputDialogTest, DesignedSizeIsCentredAndLaidOutWithTheDefaultMargin) {
    desktop.screen = {1280, 1024};
    open(withOutput(""), {[](ui::Window& w) {
             EXPECT_EQ(w.width(), 495);
             EXPECT_EQ(w.height(), 393);
             EXPECT_EQ(w.left(), 392);  // 640 - 247.5
             EXPECT_EQ(w.top(), 300);   // 497 - 196.5
             const auto geometry = [&](const char* name) {
                 const ui::Control& c = control(w, name);
                 return std::vector<int>{c.left(), c.top(), c.width(), c.height()};
             };
             // Client 489 x 365; no prompt, so its box has no rows.
             EXPECT_EQ(geometry("编辑框提示"), (std::vector<int>{5, 5, 479, 0}));
             EXPECT_EQ(geometry("编辑框正文"), (std::vector<int>{5, 10, 479, 321}));
             EXPECT_EQ(geometry("外形框"), (std::vector<int>{5, 331, 336, 34}));
             EXPECT_EQ(geometry("按钮取消"), (std::vector<int>{420, 336, 64, 24}));
             EXPECT_EQ(geometry("按钮确定"), (std::vector<int>{356, 336, 64, 24}));
             EXPECT_EQ(w.widget()->focusWidget(), control(w, "编辑框正文").widget());
         }});
}

TEST_F(InputDialogTest, HundredBytePromptInA400PixelClientTakesTwoRows) {
    InputDialogArguments arguments = withOutput("");
    arguments.prompt = Text(100, 'p');
    arguments.margin = 5;
    arguments.bodyWidth = 390;  // client 390 + 2 x 5
    open(arguments, {[](ui::Window& w) {
             EXPECT_EQ(w.clientWidth(), 400);
             const ui::Control& prompt = control(w, "编辑框提示");
             EXPECT_EQ(prompt.height(), 24);
             EXPECT_EQ(prompt.width(), 390);
             EXPECT_EQ(control(w, "编辑框正文").top(), 5 + 24 + 5);
         }});
}

TEST_F(InputDialogTest, LayoutFollowsEveryResize) {
    InputDialogArguments arguments = withOutput("");
    arguments.margin = 8;
    open(arguments, {[](ui::Window& w) {
             w.setOuterGeometry(10, 10, 606, 428);  // client 600 x 400
             const ui::Control& bodyBox = control(w, "编辑框正文");
             EXPECT_EQ(bodyBox.width(), 584);
             EXPECT_EQ(bodyBox.top(), 16);
             EXPECT_EQ(bodyBox.height(), 400 - 16 - 34);
             EXPECT_EQ(control(w, "外形框").top(), 366);
             EXPECT_EQ(control(w, "按钮取消").left(), 600 - 8 - 64);
             EXPECT_EQ(control(w, "按钮确定").left(), 600 - 8 - 128);
             EXPECT_EQ(control(w, "按钮确定").top(), 371);
         }});
}

TEST_F(InputDialogTest, BodySizeSetsTheWindowSize) {
    InputDialogArguments arguments = withOutput("");
    arguments.margin = 10;
    arguments.bodyWidth = 300;
    arguments.bodyHeight = 200;
    open(arguments, {[](ui::Window& w) {
             EXPECT_EQ(w.width(), 6 + 300 + 2 * 10);
             // Frame, the designed prompt box, 2 margins, body, 3 margins, OK's height.
             EXPECT_EQ(w.height(), 28 + 33 + 20 + 200 + 30 + 24);
         }});
}

TEST_F(InputDialogTest, MaximisedAndBodyOptionsApply) {
    InputDialogArguments arguments = withOutput("");
    arguments.maximised = true;
    arguments.bodyInputMode = 1;
    arguments.bothScrollBars = true;
    open(arguments, {[](ui::Window& w) {
             EXPECT_TRUE(w.maximised());
             QPlainTextEdit* bodyBox = editBox(w, "编辑框正文");
             EXPECT_TRUE(bodyBox->isReadOnly());
             EXPECT_EQ(bodyBox->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
         }});
}

TEST_F(InputDialogTest, WithoutAnOutputTheDialogOnlyShowsTheText) {
    InputDialogArguments arguments;
    arguments.initialText = gbk("details");
    arguments.prompt = Text();
    const bool accepted =
        open(arguments, {[](ui::Window& w) {
                 EXPECT_EQ(utf8(w.title()), "信息：");
                 EXPECT_EQ(utf8(control(w, "编辑框提示").content()), "以下为信息详情：");
                 EXPECT_TRUE(control(w, "编辑框提示").widget()->font().bold());
                 EXPECT_FALSE(control(w, "按钮确定").widget()->isVisible());
                 EXPECT_FALSE(control(w, "外形框").widget()->isVisible());
                 EXPECT_TRUE(editBox(w, "编辑框正文")->isReadOnly());
                 const ui::Control& close = control(w, "按钮取消");
                 EXPECT_EQ(utf8(close.caption()), "关闭(&G)");
                 auto* button = qobject_cast<QPushButton*>(close.widget());
                 EXPECT_TRUE(button->isDefault());
                 setBody(w, "changed");
                 w.requestClose();
             }});
    EXPECT_FALSE(accepted);
    EXPECT_FALSE(stillOpenAfterSteps);
    EXPECT_TRUE(desktop.messages.empty());
}

struct TextsCase : test::TableCase {
    bool output;
    std::optional<const char*> prompt;
    std::optional<const char*> title;
    const char* wantPrompt;
    const char* wantTitle;
};

class InputDialogTextsTest : public InputDialogTest,
                             public testing::WithParamInterface<TextsCase> {};

TEST_P(InputDialogTextsTest, PromptAndTitleDefaults) {
    const TextsCase& c = GetParam();
    InputDialogArguments arguments;
    arguments.output = c.output ? &output : nullptr;
    if (c.prompt) {
        arguments.prompt = gbk(*c.prompt);
    }
    if (c.title) {
        arguments.title = gbk(*c.title);
    }
    open(arguments, {[&](ui::Window& w) {
             EXPECT_EQ(utf8(control(w, "编辑框提示").content()), c.wantPrompt);
             EXPECT_EQ(utf8(w.title()), c.wantTitle);
         }});
    EXPECT_EQ(utf8(state.inputDialogRequest.prompt), c.wantPrompt);
    EXPECT_EQ(state.inputDialogRequest.displayOnly, !c.output);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, InputDialogTextsTest,
    testing::Values(TextsCase{"input no prompt", true, std::nullopt, std::nullopt, "", "输入："},
                    TextsCase{"input empty prompt", true, "", "", "请输入数据：", "输入："},
                    TextsCase{"input given", true, "名单", "标题", "名单", "标题"},
                    TextsCase{"display no prompt", false, std::nullopt, std::nullopt, "", "信息："},
                    TextsCase{"display empty prompt", false, "", std::nullopt, "以下为信息详情：",
                              "信息："}),
    test::ByLabel());

TEST_F(InputDialogTest, ExtremeSizesAndMarginsOpenAndClose) {
    InputDialogArguments arguments = withOutput("a.com");
    arguments.prompt = Text(100000, 'p');
    arguments.bodyWidth = std::numeric_limits<int>::max();
    arguments.bodyHeight = std::numeric_limits<int>::min();
    arguments.margin = std::numeric_limits<int>::max();
    desktop.screen = {0, 0};
    EXPECT_TRUE(open(arguments, {[](ui::Window& w) { click(w, "按钮确定"); }}));
    EXPECT_EQ(output, "a.com");
}

TEST_F(InputDialogTest, AnOpenOwnerWindowOwnsTheDialog) {
    ui::Window owner(ui::WindowDescription{});
    InputDialogArguments arguments = withOutput("");
    arguments.owner = &owner;
    std::vector<QWidget*> parents;
    const auto recordParent = [&](ui::Window& w) { parents.push_back(w.widget()->parentWidget()); };
    open(arguments, {recordParent});  // not open: no owner
    owner.show();
    open(arguments, {recordParent});
    EXPECT_EQ(parents, (std::vector<QWidget*>{nullptr, owner.widget()}));
    owner.destroy();
}

TEST_F(InputDialogTest, OpeningWhileOpenReturnsFalseAndChangesNothing) {
    InputDialogArguments arguments = withOutput("first");
    arguments.title = gbk("第一");
    bool nested = true;
    open(arguments, {[&](ui::Window& w) {
             Text other;
             InputDialogArguments second;
             second.title = gbk("第二");
             second.output = &other;
             nested = ShowInputDialog(state, second);
             EXPECT_EQ(openInputDialog(), &w);
             EXPECT_EQ(utf8(state.inputDialogRequest.title), "第一");
         }});
    EXPECT_FALSE(nested);
    EXPECT_EQ(openInputDialog(), nullptr);
}

TEST(InputDialogDesignTest, ControlsAreDescribedAtTheirDesignedGeometry) {
    const ui::WindowDescription d = inputDialogDescription();
    EXPECT_EQ(d.outerWidth, 495);
    EXPECT_EQ(d.outerHeight, 393);
    EXPECT_TRUE(d.resizable);
    // One representative control: the description is data, read the same way for every control.
    const auto body =
        std::find_if(d.controls.begin(), d.controls.end(),
                     [](const ui::ControlDescription& x) { return x.name == gbk("编辑框正文"); });
    ASSERT_NE(body, d.controls.end());
    EXPECT_EQ(
        std::vector<int>({body->rect.left, body->rect.top, body->rect.width, body->rect.height}),
        std::vector<int>({5, 56, 411, 168}));
    EXPECT_TRUE(body->visible);
}

struct PromptCase : test::TableCase {
    const char* prompt;
    int width;
    int height;
};

class PromptHeightTest : public testing::TestWithParam<PromptCase> {};

TEST_P(PromptHeightTest, RowsOfTwelvePixels) {
    EXPECT_EQ(PromptHeight(GetParam().prompt, GetParam().width), GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(Estimates, PromptHeightTest,
                         testing::Values(PromptCase{"empty", "", 390, 0},
                                         PromptCase{"one row", "abc", 390, 12},
                                         PromptCase{"exactly full", "aaaaaa", 36, 12},
                                         PromptCase{"one over", "aaaaaaa", 36, 24},
                                         PromptCase{"empty middle line", "a\r\n\r\nb", 390, 36},
                                         PromptCase{"narrower than a character", "abc", 3, 36},
                                         PromptCase{"negative width", "ab", -20, 24}),
                         test::ByLabel());

class EditDomainListTest : public InputDialogTest {
  protected:
    EditDomainListTest() { state.dataFolder = "/tmp"; }
    ui::Control& listButton() { return window.window().control(gbk("按钮输入域名列表")); }
    void clickListButton() { qobject_cast<QAbstractButton*>(listButton().widget())->click(); }

    test::ScriptedChecker noChecks;  // every name taken
    MainWindow window{state, noChecks};
};

TEST_F(EditDomainListTest, OkStoresTheEditedListInTheButton) {
    listButton().setTag("old.com");
    DialogScript script({[](ui::Window& w) {
        EXPECT_EQ(utf8(w.title()), "输入：");
        EXPECT_EQ(utf8(control(w, "编辑框提示").content()), "输入域名列表，一行一个");
        EXPECT_EQ(body(w), "old.com");
        EXPECT_FALSE(control(w, "按钮文件").widget()->isVisible());
        EXPECT_FALSE(control(w, "按钮文件名").widget()->isVisible());
        EXPECT_EQ(w.width(), 495);
        EXPECT_FALSE(w.maximised());
        setBody(w, "new.com\r\nnext.com");
        click(w, "按钮确定");
    }});
    clickListButton();
    EXPECT_TRUE(script.finished());
    EXPECT_FALSE(script.stillOpenAfterSteps());
    EXPECT_EQ(listButton().tag(), "new.com\r\nnext.com");
}

TEST_F(EditDomainListTest, AcceptingAnEmptyBodyStoresAnEmptyList) {
    listButton().setTag("old.com");
    DialogScript script({[](ui::Window& w) {
        click(w, "按钮清空");
        click(w, "按钮确定");
    }});
    clickListButton();
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(listButton().tag(), "");
}

TEST_F(EditDomainListTest, NoOnTheDiscardQuestionKeepsTheOldList) {
    listButton().setTag("old.com");
    desktop.answers = {host::MessageAnswer::No};
    DialogScript script({[](ui::Window& w) {
        setBody(w, "new.com");
        w.requestClose();
    }});
    clickListButton();
    EXPECT_TRUE(script.finished());
    EXPECT_FALSE(script.stillOpenAfterSteps());
    EXPECT_EQ(listButton().tag(), "old.com");
    EXPECT_EQ(desktop.messageTextsUtf8(), std::vector<std::string>{"内容已被改动，是否要放弃？"});
}

}  // namespace
}  // namespace yc::app
