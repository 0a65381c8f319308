// A control of a realised window: its widget (or timer) and the properties the program reads and
// writes by name. Texts cross into Qt here and nowhere else.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

#include "settings/item_list_text.h"
#include "ui/window_description.h"

class QTimer;
class QPixmap;

namespace yc::ui {

class ReportListModel;

class Control {
  public:
    Control(const ControlDescription& description, QWidget* widget, QTimer* timer,
            ReportListModel* listModel);

    const Text& name() const { return name_; }
    ControlKind kind() const { return kind_; }
    /// The widget, or nullptr for a timer.
    QWidget* widget() const { return widget_; }
    QTimer* timer() const { return timer_; }

    int left() const;
    int top() const;
    int width() const;
    int height() const;
    void setLeft(int left);
    void setTop(int top);
    void setWidth(int width);
    void setHeight(int height);
    void setGeometry(const Rect& rect);

    const Text& tag() const { return tag_; }
    void setTag(Text tag) { tag_ = std::move(tag); }
    bool visible() const;
    void setVisible(bool visible);
    bool disabled() const;
    void setDisabled(bool disabled);

    /// Button, check box, radio button, label and hyperlink caption; an edit box's content.
    const Text& caption() const;
    void setCaption(Text caption);
    /// Edit box content (lines separated by CR LF).
    Text content() const;
    void setContent(std::string_view content);
    /// Adds `text` at the end of an edit box's content, wherever the caret is.
    void appendContent(std::string_view text);
    void setReadOnly(bool readOnly);
    void setBothScrollBars(bool both);
    /// 0xRRGGBB, or none for the system's window colour.
    void setBackground(std::optional<std::uint32_t> rgb);
    void setBold(bool bold);
    void setDefaultButton(bool isDefault);
    void focus();

    bool checked() const;
    void setChecked(bool checked);

    const Text& address() const { return address_; }
    void setAddress(Text address);
    void setPicture(const QPixmap& picture);

    /// List view: the current selection, -1 for none.
    int currentSelection() const;
    /// A list view's selected rows (Ctrl and Shift extend the selection), in row order.
    std::vector<std::size_t> selectedRows() const;

    // List-like kinds (control_items.cpp).
    int comboStyle() const { return comboStyle_; }
    /// Combo box: the selected item, -1 for none.
    int selectionIndex() const;
    void setSelectionIndex(int index);
    /// Combo box: the text in its edit field (the selected item's text in drop-down-list style).
    Text editText() const;
    void setEditText(std::string_view text);
    /// Combo box and list box items.
    std::vector<settings::ListItem> listItems() const;
    void setListItems(const std::vector<settings::ListItem>& items);
    std::vector<settings::CheckListItem> checkListItems() const;
    void setCheckListItems(const std::vector<settings::CheckListItem>& items);
    /// Tree box items in the tree's own order (depth first), parents by index in that order.
    std::vector<settings::TreeItem> treeItems() const;
    void setTreeItems(const std::vector<settings::TreeItem>& items);
    /// Colour picker: 0xRRGGBB.
    int color() const { return color_; }
    void setColor(int rgb);
    /// Common dialog: the chosen file name.
    const Text& fileName() const { return fileName_; }
    void setFileName(Text fileName) { fileName_ = std::move(fileName); }
    /// List view rows; nullptr for other kinds.
    ReportListModel* listModel() const { return listModel_; }

  private:
    Text name_;
    ControlKind kind_;
    QPointer<QWidget> widget_;
    QTimer* timer_ = nullptr;
    ReportListModel* listModel_ = nullptr;
    Text tag_;
    Text caption_;
    Text address_;
    bool hidden_ = false;
    /// A timer's own enabled state: whether it runs once its window is created.
    bool timerDisabled_ = false;
    int comboStyle_ = 0;
    int color_ = 0;
    Text fileName_;
};

}  // namespace yc::ui
