// Real Qt controls of every persisted kind, saved to and restored from a settings file: the
// kinds the program's own windows do not use are carried too.
#include <gtest/gtest.h>

#include "settings/settings_store.h"
#include "support/gbk_literals.h"
#include "support/scripted_desktop.h"
#include "support/temp_dir.h"
#include "text/charset.h"
#include "text/system_path.h"
#include "ui/control_state_adapter.h"

namespace yc::ui {
namespace {

using test::gbk;

ControlDescription describe(const char* name, ControlKind kind, int comboStyle = 0) {
    ControlDescription d;
    d.name = gbk(name);
    d.kind = kind;
    d.rect = {0, 0, 100, 24};
    d.comboStyle = comboStyle;
    return d;
}

WindowDescription testWindow() {
    WindowDescription w;
    w.name = gbk("测试窗口");
    w.outerWidth = 400;
    w.outerHeight = 300;
    w.resizable = true;
    w.controls = {describe("组合框列表", ControlKind::ComboBox, 2),
                  describe("组合框编辑", ControlKind::ComboBox, 0),
                  describe("列表框", ControlKind::ListBox),
                  describe("选择列表框", ControlKind::CheckedListBox),
                  describe("颜色选择器", ControlKind::ColorPicker),
                  describe("树型框", ControlKind::TreeBox),
                  describe("编辑框正文", ControlKind::EditBox),
                  describe("单选框甲", ControlKind::RadioButton),
                  describe("选择框乙", ControlKind::CheckBox)};
    return w;
}

class ControlStateAdapterTest : public testing::Test {
  protected:
    settings::SettingsStore& bind() {
        store.Bind(text::fromSystemPath(dir.path() / "t.ini"), 0);
        return store;
    }
    Control& c(Window& w, const char* name) { return w.control(gbk(name)); }
    std::string file() const { return test::TempDir::read(dir.path() / "t.ini"); }

    test::ScriptedDesktop desktop;
    test::TempDir dir;
    settings::SettingsStore store;
    const settings::SaveRestoreOptions options{.windowName = gbk("测试窗口")};
};

TEST_F(ControlStateAdapterTest, EveryKindRoundTripsThroughTheFile) {
    bind();
    {
        Window w(testWindow());
        c(w, "组合框列表").setListItems({{"x", 1}, {"y", 2}});
        c(w, "组合框列表").setSelectionIndex(1);
        c(w, "组合框编辑").setEditText("typed");
        c(w, "列表框").setListItems({{gbk("甲"), 1}, {"b", 2}});
        c(w, "选择列表框").setCheckListItems({{"p", 7, true}, {"q", 8, false}});
        c(w, "颜色选择器").setColor(0x336699);
        c(w, "树型框").setTreeItems({{-1, "root", 1, 2, 3, true, -1, true}, {0, "leaf", 0, 0, 4}});
        c(w, "编辑框正文").setContent("line1\r\nline2");
        c(w, "单选框甲").setChecked(true);
        saveRestoreRealisedWindow(store, w, false, options);
    }
    EXPECT_NE(file().find(gbk("组合框列表=1")), std::string::npos);
    EXPECT_NE(file().find(gbk("组合框编辑.内容=typed")), std::string::npos);
    EXPECT_NE(file().find(gbk("列表框=甲{G}1{H}b{G}2")), std::string::npos);

    Window restored(testWindow());
    c(restored, "组合框列表").setListItems({{"x", 1}, {"y", 2}});
    saveRestoreRealisedWindow(store, restored, true, options);
    EXPECT_EQ(c(restored, "组合框列表").selectionIndex(), 1);
    EXPECT_EQ(c(restored, "组合框编辑").editText(), "typed");
    EXPECT_EQ(c(restored, "列表框").listItems(),
              (std::vector<settings::ListItem>{{gbk("甲"), 1}, {"b", 2}}));
    EXPECT_EQ(c(restored, "选择列表框").checkListItems(),
              (std::vector<settings::CheckListItem>{{"p", 7, true}, {"q", 8, false}}));
    EXPECT_EQ(c(restored, "颜色选择器").color(), 0x336699);
    const auto tree = c(restored, "树型框").treeItems();
    ASSERT_EQ(tree.size(), 2u);
    EXPECT_EQ(tree[0].text, "root");
    EXPECT_TRUE(tree[0].bold);
    EXPECT_EQ(tree[1].parent, 0);
    EXPECT_EQ(tree[1].value, 4);
    EXPECT_EQ(c(restored, "编辑框正文").content(), "line1\r\nline2");
    EXPECT_TRUE(c(restored, "单选框甲").checked());
}

TEST_F(ControlStateAdapterTest, NoSaveTagSkipsAControlBothWays) {
    bind();
    Window w(testWindow());
    c(w, "选择框乙").setTag(gbk("禁止保存"));
    c(w, "选择框乙").setChecked(true);
    saveRestoreRealisedWindow(store, w, false, options);
    EXPECT_EQ(file().find(gbk("选择框乙")), std::string::npos);
}

TEST_F(ControlStateAdapterTest, MaximisedPlacementComesBackWithoutBounds) {
    bind();
    Window w(testWindow());
    w.show();
    w.setMaximised(true);
    store.SaveWindowPlacement(placementOf(w), gbk("测试窗口"));
    EXPECT_EQ(file().find(gbk("左边")), std::string::npos);

    Window again(testWindow());
    again.show();
    applyPlacement(again, store.RestoreWindowPlacement(placementOf(again), gbk("测试窗口")));
    EXPECT_TRUE(again.maximised());
}

}  // namespace
}  // namespace yc::ui
