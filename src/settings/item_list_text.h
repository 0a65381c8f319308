// The item-list texts of list-like controls: items joined with "{H}", the fields of one item
// joined with "{G}", booleans as "真"/"假" and numbers in decimal. Nothing is escaped, so an item
// text holding "{H}" or "{G}" does not come back whole.
#pragma once

#include <string_view>
#include <vector>

#include "text/gbk_text.h"

namespace yc::settings {

/// An item of a combo box or a list box: its text and its attached integer.
struct ListItem {
    Text text;
    int value = 0;
    friend bool operator==(const ListItem&, const ListItem&) = default;
};

/// An item of a checked list box.
struct CheckListItem {
    Text text;
    int value = 0;
    bool checked = false;
    friend bool operator==(const CheckListItem&, const CheckListItem&) = default;
};

/// An item of a tree box, in the tree's own item order; `parent` indexes that order.
struct TreeItem {
    int parent = -1;  ///< -1 for a top-level item
    Text text;
    int image = 0;
    int selectedImage = 0;
    int value = 0;
    bool bold = false;
    int stateImage = -1;  ///< the state image index minus 1; -1 for none
    bool expanded = false;
    friend bool operator==(const TreeItem&, const TreeItem&) = default;
};

/// Save forms (ComboItemsText and ListItemsText share the list form).
Text listItemsText(const std::vector<ListItem>& items);
Text checkListItemsText(const std::vector<CheckListItem>& items);
Text treeItemsText(const std::vector<TreeItem>& items);

/// Restore forms: one item per "{H}" part (an empty part after the last separator is dropped, so
/// an empty text gives no items); missing fields are empty, extra ones are dropped, and an
/// empty or non-numeric number field gives 0.
std::vector<ListItem> parseListItems(std::string_view text);
std::vector<CheckListItem> parseCheckListItems(std::string_view text);
std::vector<TreeItem> parseTreeItems(std::string_view text);

/// The values of a snapshot text, split at every "┊*┊" by the same rule.
std::vector<Text> splitSnapshot(std::string_view text);

}  // namespace yc::settings
