// SaveRestoreWindow over windows made for the test: what goes into the settings file, what comes
// back, and which controls take part.
#include <gtest/gtest.h>

#include "fake_control.h"
#include "settings/crc32.h"
#include "settings/save_restore_window.h"
#include "store_fixture.h"

namespace yc::test {
namespace {

using settings::SaveRestoreOptions;
using settings::SaveRestoreWindow;
using settings::StateKind;

/// The main window's controls in the order of its description, with some that are not stored.
void addMainWindow(FakeWindow& window) {
    window.add("标签1", StateKind::Button);  // a label: its prefix matches no kind
    window.add("按钮输入域名列表", StateKind::Button);
    window.add("单选框未注册", StateKind::RadioButton).checked_ = true;
    window.add("单选框已注册", StateKind::RadioButton);
    window.add("单选框全部", StateKind::RadioButton);
    window.add("按钮自动保存路径", StateKind::Button).tag_ = gbk("/程序/查询结果.txt");
    window.add("选择框查询时自动保存", StateKind::CheckBox);
    window.add("超级列表框", StateKind::ListBox);
    window.add("按钮保存查询结果", StateKind::Button);
    window.add("按钮开始查询", StateKind::Button);
}

class ControlStateTest : public BoundStoreTest {
  protected:
    void SetUp() override { fileName = "翎杉·域查灵.ini"; }
    Text run(FakeWindow& window, bool restore, SaveRestoreOptions options = {}) {
        if (options.windowName.empty() && !options.snapshotText && !options.fingerprint) {
            options.windowName = gbk("主界面");
        }
        const auto controls = window.controls();
        return SaveRestoreWindow(store, controls, restore, options);
    }
};

TEST_F(ControlStateTest, FirstRunSaveWritesOneEntryPerControlInWindowOrder) {
    ASSERT_TRUE(bindTo("", 0, false));
    FakeWindow window;
    addMainWindow(window);
    EXPECT_EQ(run(window, true), "");
    EXPECT_EQ(window["按钮自动保存路径"].tag_, gbk("/程序/查询结果.txt"));
    EXPECT_TRUE(window["单选框未注册"].checked_);
    EXPECT_EQ(store.ContentText(), "");

    window["按钮输入域名列表"].tag_ = "a.com\r\nb.com";
    window["选择框查询时自动保存"].checked_ = true;
    EXPECT_EQ(run(window, false), "");
    EXPECT_EQ(fileContent(), gbk("[主界面]\r\n"
                                 "按钮输入域名列表.标记=a.com┊*┊b.com\r\n"
                                 "单选框未注册=真\r\n"
                                 "单选框已注册=假\r\n"
                                 "单选框全部=假\r\n"
                                 "按钮自动保存路径.标记=/程序/查询结果.txt\r\n"
                                 "选择框查询时自动保存=真\r\n"
                                 "按钮保存查询结果.标记=\r\n"
                                 "按钮开始查询.标记="));
}

TEST_F(ControlStateTest, RestoreAfterARestartBringsEverythingBack) {
    ASSERT_TRUE(bindTo("", 0, false));
    {
        FakeWindow window;
        addMainWindow(window);
        window["按钮输入域名列表"].tag_ = "a.com\r\nb.com\r\n";
        window["单选框未注册"].checked_ = false;
        window["单选框全部"].checked_ = true;
        window["按钮自动保存路径"].tag_ = gbk("/别处/结果.csv");
        window["选择框查询时自动保存"].checked_ = true;
        run(window, false);
    }
    store.Destroy();
    ASSERT_TRUE(store.Bind(gbkPath(), 0));
    FakeWindow window;
    addMainWindow(window);
    run(window, true);
    EXPECT_EQ(window["按钮输入域名列表"].tag_, "a.com\r\nb.com\r\n");
    EXPECT_FALSE(window["单选框未注册"].checked_);
    EXPECT_FALSE(window["单选框已注册"].checked_);
    EXPECT_TRUE(window["单选框全部"].checked_);
    EXPECT_EQ(window["按钮自动保存路径"].tag_, gbk("/别处/结果.csv"));
    EXPECT_TRUE(window["选择框查询时自动保存"].checked_);
}

TEST_F(ControlStateTest, EmptyStoredValueLeavesTheControlUnchanged) {
    ASSERT_TRUE(bindTo(gbk("[主界面]\r\n按钮开始查询.标记=\r\n编辑框1=")));
    FakeWindow window;
    window.add("按钮开始查询", StateKind::Button).tag_ = "designed";
    window.add("编辑框1", StateKind::EditBox).content_ = "text";
    run(window, true);
    EXPECT_EQ(window["按钮开始查询"].tag_, "designed");
    EXPECT_EQ(window["编辑框1"].content_, "text");
}

TEST_F(ControlStateTest, NoSaveTagSkipsTheControlBothWays) {
    ASSERT_TRUE(bindTo(gbk("[主界面]\r\n选择框1=真\r\n选择框2=真")));
    FakeWindow window;
    window.add("选择框1", StateKind::CheckBox).tag_ = gbk("禁止保存");
    window.add("选择框2", StateKind::CheckBox).tag_ = gbk("请勿禁止保存");
    run(window, true);
    EXPECT_FALSE(window["选择框1"].checked_);
    EXPECT_TRUE(window["选择框2"].checked_);
    store.SetContent("", false);
    run(window, false);
    EXPECT_EQ(store.ContentText(), gbk("[主界面]\r\n选择框2=真"));
}

TEST_F(ControlStateTest, IncludeNamesOverrideExcludeNames) {
    ASSERT_TRUE(bindTo(""));
    FakeWindow window;
    window.add("选择框1", StateKind::CheckBox);
    window.add("选择框2", StateKind::CheckBox);
    run(window, false, {.excludeNames = {gbk("选择框1")}});
    EXPECT_EQ(store.ContentText(), gbk("[主界面]\r\n选择框2=假"));
    store.SetContent("", false);
    run(window, false, {.excludeNames = {gbk("选择框1")}, .includeNames = {{gbk("选择框1")}}});
    EXPECT_EQ(store.ContentText(), gbk("[主界面]\r\n选择框1=假"));
    store.SetContent("", false);
    run(window, false, {.includeNames = std::vector<Text>{}});
    EXPECT_EQ(store.ContentText(), "");
}

TEST_F(ControlStateTest, ParentFilters) {
    ASSERT_TRUE(bindTo(""));
    FakeWindow window;
    window.add("选择框1", StateKind::CheckBox).parent_ = 10;
    window.add("选择框2", StateKind::CheckBox).parent_ = 20;
    run(window, false, {.excludeParents = {10}});
    EXPECT_EQ(store.ContentText(), gbk("[主界面]\r\n选择框2=假"));
    store.SetContent("", false);
    run(window, false, {.includeParents = {10}});
    EXPECT_EQ(store.ContentText(), gbk("[主界面]\r\n选择框1=假"));
}

TEST_F(ControlStateTest, ByteModeEditBoxWritesItsOwnFile) {
    ASSERT_TRUE(bindTo("", 0, false));
    FakeWindow window;
    FakeControl& edit = window.add("编辑框正文", StateKind::EditBox);
    edit.tag_ = gbk("字节集方式");
    edit.content_ = gbk("第一行\r\n第二行");
    run(window, false);
    EXPECT_EQ(store.ContentText(), "");
    EXPECT_EQ(TempDir::read(dir.path() / u8"inibin" / u8"主界面-编辑框正文.ibn"),
              gbk("第一行\r\n第二行"));
    edit.content_ = "changed";
    dir.write("inibin/主界面-编辑框正文.ibn", std::string("kept\0dropped", 12));
    run(window, true);
    EXPECT_EQ(edit.content_, "kept");  // read as text up to the first zero byte
}

TEST_F(ControlStateTest, ComboBoxStoresIndexOrTextByStyle) {
    ASSERT_TRUE(bindTo(""));
    FakeWindow window;
    FakeControl& list = window.add("组合框列表", StateKind::ComboBox);
    list.style_ = 2;
    list.index_ = 3;
    list.editText_ = "ignored";
    FakeControl& editable = window.add("组合框编辑", StateKind::ComboBox);
    editable.editText_ = gbk("文字");
    editable.index_ = 1;
    run(window, false);
    EXPECT_EQ(store.ContentText(), gbk("[主界面]\r\n组合框列表=3\r\n组合框编辑.内容=文字"));
    list.index_ = 0;
    editable.editText_.clear();
    run(window, true);
    EXPECT_EQ(list.index_, 3);
    EXPECT_EQ(editable.editText_, gbk("文字"));
}

TEST_F(ControlStateTest, ComboBoxItemsWhenAskedFor) {
    ASSERT_TRUE(bindTo(""));
    FakeWindow window;
    FakeControl& combo = window.add("组合框1", StateKind::ComboBox);
    combo.items_ = {{"x", 1}, {"y", 2}};
    run(window, false, {.windowName = "W", .withItems = true});
    EXPECT_EQ(store.ContentText(), gbk("[W]\r\n组合框1.内容=\r\n组合框1.项目=x{G}1{H}y{G}2"));
    combo.items_.clear();
    run(window, true, {.windowName = "W", .withItems = true});
    EXPECT_EQ(combo.items_, (std::vector<settings::ListItem>{{"x", 1}, {"y", 2}}));
}

TEST_F(ControlStateTest, ListLikeControlsAndTheRest) {
    ASSERT_TRUE(
        bindTo(gbk("[主界面]\r\n列表框1=first{G}1{H}second{G}2\r\n"
                   "选择列表框1=a{G}0{G}真\r\n颜色选择器1=255\r\n"
                   "通用对话框1=/tmp/f.txt\r\n树型框1.列表=whole tree")));
    FakeWindow window;
    FakeControl& list = window.add("列表框1", StateKind::ListBox);
    list.items_ = {{"old", 9}};
    FakeControl& checks = window.add("选择列表框1", StateKind::CheckListBox);
    FakeControl& colour = window.add("颜色选择器1", StateKind::ColorPicker);
    FakeControl& dialog = window.add("通用对话框1", StateKind::CommonDialog);
    FakeControl& tree = window.add("树型框1", StateKind::TreeBox);
    run(window, true);
    EXPECT_EQ(list.items_, (std::vector<settings::ListItem>{{"first", 1}, {"second", 2}}));
    EXPECT_EQ(checks.checks_, (std::vector<settings::CheckListItem>{{"a", 0, true}}));
    EXPECT_EQ(colour.color_, 255);
    EXPECT_EQ(dialog.fileName_, "/tmp/f.txt");
    EXPECT_EQ(tree.treeValue_, "whole tree");
    const Text saved = store.ContentText();
    store.SetContent("", false);
    run(window, false);
    EXPECT_EQ(store.ContentText(), saved);
}

TEST_F(ControlStateTest, ControlOfAnotherKindThanItsNameSaysIsSkipped) {
    ASSERT_TRUE(bindTo(""));
    FakeWindow window;
    window.add("按钮1", StateKind::CheckBox);
    run(window, false);
    EXPECT_EQ(store.ContentText(), "");
}

TEST_F(ControlStateTest, SnapshotCollectsAndRestoresValuesWithoutTheStore) {
    FakeWindow window;
    window.add("按钮1", StateKind::Button).tag_ = "tag";
    window.add("标签1", StateKind::Button);
    window.add("选择框1", StateKind::CheckBox).checked_ = true;
    FakeControl& combo = window.add("组合框1", StateKind::ComboBox);
    combo.style_ = 2;
    combo.index_ = 4;
    combo.items_ = {{"p", 1}};
    const SaveRestoreOptions collect{.withItems = true, .snapshotText = Text()};
    const Text snapshot = run(window, false, collect);
    EXPECT_EQ(snapshot, gbk("tag┊*┊真┊*┊4┊*┊p{G}1┊*┊"));
    EXPECT_EQ(store.ContentText(), "");

    FakeWindow other;
    other.add("按钮1", StateKind::Button);
    other.add("选择框1", StateKind::CheckBox);
    FakeControl& otherCombo = other.add("组合框1", StateKind::ComboBox);
    otherCombo.style_ = 2;
    EXPECT_EQ(run(other, true, {.withItems = true, .snapshotText = snapshot}), "");
    EXPECT_EQ(other["按钮1"].tag_, "tag");
    EXPECT_TRUE(other["选择框1"].checked_);
    EXPECT_EQ(otherCombo.index_, 4);
    EXPECT_EQ(otherCombo.items_, (std::vector<settings::ListItem>{{"p", 1}}));
}

TEST_F(ControlStateTest, SnapshotWithFewerValuesStopsEarly) {
    FakeWindow window;
    window.add("按钮1", StateKind::Button);
    window.add("按钮2", StateKind::Button).tag_ = "unchanged";
    run(window, true, {.snapshotText = Text("only")});
    EXPECT_EQ(window["按钮1"].tag_, "only");
    EXPECT_EQ(window["按钮2"].tag_, "unchanged");
}

TEST_F(ControlStateTest, FingerprintFollowsTheValues) {
    FakeWindow window;
    window.add("按钮1", StateKind::Button).tag_ = "abc";
    window.add("选择框1", StateKind::CheckBox);
    const Text first = run(window, false, {.fingerprint = true});
    EXPECT_EQ(first,
              settings::crc32Text(settings::crc32Text("abc") + settings::crc32Text(gbk("假"))));
    window["选择框1"].checked_ = true;
    EXPECT_NE(run(window, false, {.fingerprint = true}), first);
    EXPECT_EQ(store.ContentText(), "");
    EXPECT_EQ(store.CurrentSection(), "");
}

}  // namespace
}  // namespace yc::test
