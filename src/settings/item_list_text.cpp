// Joining and splitting the item-list texts of list-like controls.
#include "settings/item_list_text.h"

#include <array>

#include "settings/stored_forms.h"
#include "text/gbk_edit.h"

namespace yc::settings {
namespace {

constexpr std::string_view kItemSeparator = "{H}";
constexpr std::string_view kFieldSeparator = "{G}";

/// Integer fields read like stored numbers.
int toInt(std::string_view field) {
    return toInteger(parseNumber(field));
}

Text joinFields(std::initializer_list<std::string_view> fields) {
    Text out;
    bool first = true;
    for (const std::string_view field : fields) {
        if (!first) {
            out.append(kFieldSeparator);
        }
        out.append(field);
        first = false;
    }
    return out;
}

template <class Item, class Format>
Text joinItems(const std::vector<Item>& items, Format format) {
    Text out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            out.append(kItemSeparator);
        }
        out.append(format(items[i]));
    }
    return out;
}

/// The first `count` fields of one item, missing ones empty.
template <std::size_t count>
std::array<Text, count> fieldsOf(std::string_view part) {
    std::array<Text, count> fields;
    std::vector<Text> pieces = text::split(part, kFieldSeparator);
    for (std::size_t i = 0; i < count && i < pieces.size(); ++i) {
        fields[i] = std::move(pieces[i]);
    }
    return fields;
}

template <std::size_t count, class Build>
auto parseItems(std::string_view text, Build build) {
    std::vector<decltype(build(std::array<Text, count>{}))> items;
    for (const Text& part : text::split(text, kItemSeparator)) {
        items.push_back(build(fieldsOf<count>(part)));
    }
    return items;
}

Text number(int value) {
    return std::to_string(value);
}

}  // namespace

Text listItemsText(const std::vector<ListItem>& items) {
    return joinItems(items, [](const ListItem& item) {
        return joinFields({item.text, number(item.value)});
    });
}

Text checkListItemsText(const std::vector<CheckListItem>& items) {
    return joinItems(items, [](const CheckListItem& item) {
        return joinFields({item.text, number(item.value), formatBool(item.checked)});
    });
}

Text treeItemsText(const std::vector<TreeItem>& items) {
    return joinItems(items, [](const TreeItem& item) {
        return joinFields({number(item.parent), item.text, number(item.image),
                           number(item.selectedImage), number(item.value), formatBool(item.bold),
                           number(item.stateImage), formatBool(item.expanded)});
    });
}

std::vector<ListItem> parseListItems(std::string_view text) {
    return parseItems<2>(text, [](const std::array<Text, 2>& f) {
        return ListItem{f[0], toInt(f[1])};
    });
}

std::vector<CheckListItem> parseCheckListItems(std::string_view text) {
    return parseItems<3>(text, [](const std::array<Text, 3>& f) {
        return CheckListItem{f[0], toInt(f[1]), f[2] == trueText()};
    });
}

std::vector<TreeItem> parseTreeItems(std::string_view text) {
    return parseItems<8>(text, [](const std::array<Text, 8>& f) {
        return TreeItem{
            toInt(f[0]),        f[1],        toInt(f[2]),       toInt(f[3]), toInt(f[4]),
            f[5] == trueText(), toInt(f[6]), f[7] == trueText()};
    });
}

std::vector<Text> splitSnapshot(std::string_view text) {
    return text::split(text, lineBreakEscape());
}

}  // namespace yc::settings
