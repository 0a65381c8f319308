// One control of a window as the saving and restoring of control state sees it: the window layer
// supplies its controls through this interface, so the settings code stays free of any window
// system.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "settings/item_list_text.h"
#include "settings/state_kind.h"

namespace yc::settings {

/// A window handle, compared only for equality by the parent filters.
using WindowHandle = std::uintptr_t;

/// One control as the save and restore sees it. Name, tag and parent belong to every control;
/// the other properties are read and set only on the kinds that have them, so an adapter
/// overrides just those of its own kind.
class StatefulControl {
  public:
    virtual ~StatefulControl() = default;

    virtual Text name() const = 0;
    virtual Text tag() const = 0;
    virtual void setTag(std::string_view tag) = 0;
    /// The window that contains the control.
    virtual WindowHandle parent() const = 0;
    /// Whether the control really is of `kind`, the kind its name prefix gives.
    virtual bool isKind(StateKind kind) const = 0;

    virtual Text content() const { return {}; }  ///< edit box
    virtual void setContent(std::string_view) {}
    virtual bool checked() const { return false; }  ///< check box, radio button
    virtual void setChecked(bool) {}
    virtual int comboStyle() const { return 0; }  ///< combo box; 2 is the drop-down list
    virtual int selectionIndex() const { return -1; }
    virtual void setSelectionIndex(int) {}
    virtual Text editText() const { return {}; }
    virtual void setEditText(std::string_view) {}
    virtual std::vector<ListItem> listItems() const { return {}; }  ///< combo box, list box
    virtual void setListItems(const std::vector<ListItem>&) {}
    virtual std::vector<CheckListItem> checkListItems() const { return {}; }
    virtual void setCheckListItems(const std::vector<CheckListItem>&) {}
    virtual std::vector<TreeItem> treeItems() const { return {}; }
    virtual void setTreeItems(const std::vector<TreeItem>&) {}
    /// The tree box's whole tree as one text that survives the settings file.
    virtual Text treeValue() const { return {}; }
    virtual void setTreeValue(std::string_view) {}
    virtual int color() const { return 0; }  ///< colour picker
    virtual void setColor(int) {}
    virtual Text fileName() const { return {}; }  ///< common dialog
    virtual void setFileName(std::string_view) {}
};

}  // namespace yc::settings
