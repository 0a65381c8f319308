// A control made for tests: every property of every kind is a plain field, so one class can
// stand for a button, an edit box, a combo box or any other kind the save and restore handles.
#pragma once

#include <memory>
#include <vector>

#include "settings/stateful_control.h"

namespace yc::test {

class FakeControl final : public settings::StatefulControl {
  public:
    FakeControl(Text controlName, settings::StateKind controlKind)
        : name_(std::move(controlName)), kind_(controlKind) {}

    Text name() const override { return name_; }
    Text tag() const override { return tag_; }
    void setTag(std::string_view t) override { tag_ = Text(t); }
    settings::WindowHandle parent() const override { return parent_; }
    bool isKind(settings::StateKind k) const override { return k == kind_; }
    Text content() const override { return content_; }
    void setContent(std::string_view c) override { content_ = Text(c); }
    bool checked() const override { return checked_; }
    void setChecked(bool c) override { checked_ = c; }
    int comboStyle() const override { return style_; }
    int selectionIndex() const override { return index_; }
    void setSelectionIndex(int i) override { index_ = i; }
    Text editText() const override { return editText_; }
    void setEditText(std::string_view t) override { editText_ = Text(t); }
    std::vector<settings::ListItem> listItems() const override { return items_; }
    void setListItems(const std::vector<settings::ListItem>& i) override { items_ = i; }
    std::vector<settings::CheckListItem> checkListItems() const override { return checks_; }
    void setCheckListItems(const std::vector<settings::CheckListItem>& i) override { checks_ = i; }
    std::vector<settings::TreeItem> treeItems() const override { return tree_; }
    void setTreeItems(const std::vector<settings::TreeItem>& i) override { tree_ = i; }
    Text treeValue() const override { return treeValue_; }
    void setTreeValue(std::string_view v) override { treeValue_ = Text(v); }
    int color() const override { return color_; }
    void setColor(int c) override { color_ = c; }
    Text fileName() const override { return fileName_; }
    void setFileName(std::string_view f) override { fileName_ = Text(f); }

    Text name_;
    settings::StateKind kind_;
    Text tag_;
    settings::WindowHandle parent_ = 1;
    Text content_;
    bool checked_ = false;
    int style_ = 0;
    int index_ = -1;
    Text editText_;
    std::vector<settings::ListItem> items_;
    std::vector<settings::CheckListItem> checks_;
    std::vector<settings::TreeItem> tree_;
    Text treeValue_;
    int color_ = 0;
    Text fileName_;
};

/// Controls in window order, owned together, with the pointer list SaveRestoreWindow takes.
class FakeWindow {
  public:
    FakeControl& add(std::string_view utf8Name, settings::StateKind kind);
    std::vector<settings::StatefulControl*> controls() const;
    FakeControl& operator[](std::string_view utf8Name);

  private:
    std::vector<std::unique_ptr<FakeControl>> controls_;
};

}  // namespace yc::test
