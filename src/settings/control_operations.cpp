// The per-kind save and restore operations, the item-list conversions on controls and the
// parent filters.
#include "settings/control_operations.h"

#include <algorithm>

namespace yc::settings {
namespace {

Text withSuffix(std::string_view name, const Text& suffix) {
    return Text(name).append(suffix);
}

/// A byte file is read back as text up to its first zero byte.
Text textOfBytes(const ByteBuffer& bytes) {
    return bytes.substr(0, bytes.find('\0'));
}

}  // namespace

Text ComboItemsText(StatefulControl& control, std::string_view text, bool restore) {
    return ListItemsText(control, text, restore);
}

Text ListItemsText(StatefulControl& control, std::string_view text, bool restore) {
    if (!restore) {
        return listItemsText(control.listItems());
    }
    control.setListItems(parseListItems(text));
    return {};
}

Text CheckListItemsText(StatefulControl& control, std::string_view text, bool restore) {
    if (!restore) {
        return checkListItemsText(control.checkListItems());
    }
    control.setCheckListItems(parseCheckListItems(text));
    return {};
}

Text TreeItemsText(StatefulControl& control, std::string_view text, bool restore) {
    if (!restore) {
        return treeItemsText(control.treeItems());
    }
    control.setTreeItems(parseTreeItems(text));
    return {};
}

bool ParentExcluded(WindowHandle parent, std::span<const WindowHandle> list) {
    return std::find(list.begin(), list.end(), parent) != list.end();
}

bool ParentNotIncluded(WindowHandle parent, std::span<const WindowHandle> list) {
    return !list.empty() && !ParentExcluded(parent, list);
}

bool SaveCheckBox(SettingsStore& store, const StatefulControl& control) {
    return store.WriteBool(control.name(), control.checked());
}

void RestoreCheckBox(SettingsStore& store, StatefulControl& control) {
    control.setChecked(store.ReadBool(control.name(), control.checked()));
}

bool SaveEditBox(SettingsStore& store, const StatefulControl& control, bool byteMode) {
    return byteMode ? store.WriteBytes(control.name(), control.content())
                    : store.WriteText(control.name(), control.content());
}

void RestoreEditBox(SettingsStore& store, StatefulControl& control, bool byteMode) {
    control.setContent(byteMode ? textOfBytes(store.ReadBytes(control.name(), control.content()))
                                : store.ReadText(control.name(), control.content()));
}

bool SaveCheckListBox(SettingsStore& store, StatefulControl& control) {
    return store.WriteText(control.name(), CheckListItemsText(control, {}, false));
}

void RestoreCheckListBox(SettingsStore& store, StatefulControl& control) {
    const Text stored = store.ReadText(control.name(), CheckListItemsText(control, {}, false));
    CheckListItemsText(control, stored, true);
}

bool SaveTreeBox(SettingsStore& store, const StatefulControl& control) {
    return store.WriteText(withSuffix(control.name(), treeKeySuffix()), control.treeValue());
}

void RestoreTreeBox(SettingsStore& store, StatefulControl& control) {
    control.setTreeValue(
        store.ReadText(withSuffix(control.name(), treeKeySuffix()), control.treeValue()));
}

bool SaveComboItems(SettingsStore& store, StatefulControl& control) {
    return store.WriteText(withSuffix(control.name(), comboItemsKeySuffix()),
                           ComboItemsText(control, {}, false));
}

void RestoreComboItems(SettingsStore& store, StatefulControl& control) {
    const Text stored = store.ReadText(withSuffix(control.name(), comboItemsKeySuffix()),
                                       ComboItemsText(control, {}, false));
    ComboItemsText(control, stored, true);
}

bool SaveListBox(SettingsStore& store, StatefulControl& control) {
    return store.WriteText(control.name(), ListItemsText(control, {}, false));
}

void RestoreListBox(SettingsStore& store, StatefulControl& control) {
    const Text stored = store.ReadText(control.name(), ListItemsText(control, {}, false));
    ListItemsText(control, stored, true);
}

bool SaveComboIndex(SettingsStore& store, const StatefulControl& control) {
    return store.WriteNumber(control.name(), control.selectionIndex());
}

void RestoreComboIndex(SettingsStore& store, StatefulControl& control) {
    control.setSelectionIndex(
        toInteger(store.ReadNumber(control.name(), control.selectionIndex())));
}

bool SaveComboText(SettingsStore& store, const StatefulControl& control) {
    return store.WriteText(withSuffix(control.name(), comboTextKeySuffix()), control.editText());
}

void RestoreComboText(SettingsStore& store, StatefulControl& control) {
    control.setEditText(
        store.ReadText(withSuffix(control.name(), comboTextKeySuffix()), control.editText()));
}

bool SaveButtonTag(SettingsStore& store, const StatefulControl& control, bool byteMode) {
    const Text key = withSuffix(control.name(), tagKeySuffix());
    return byteMode ? store.WriteBytes(key, control.tag()) : store.WriteText(key, control.tag());
}

void RestoreButtonTag(SettingsStore& store, StatefulControl& control, bool byteMode) {
    const Text key = withSuffix(control.name(), tagKeySuffix());
    control.setTag(byteMode ? textOfBytes(store.ReadBytes(key, control.tag()))
                            : store.ReadText(key, control.tag()));
}

bool SaveColorPicker(SettingsStore& store, const StatefulControl& control) {
    return store.WriteNumber(control.name(), control.color());
}

void RestoreColorPicker(SettingsStore& store, StatefulControl& control) {
    control.setColor(toInteger(store.ReadNumber(control.name(), control.color())));
}

// A radio button keeps its checked state exactly as a check box does.
bool SaveRadioButton(SettingsStore& store, const StatefulControl& control) {
    return SaveCheckBox(store, control);
}

void RestoreRadioButton(SettingsStore& store, StatefulControl& control) {
    RestoreCheckBox(store, control);
}

}  // namespace yc::settings
