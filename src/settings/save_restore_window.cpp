// SaveRestoreWindow: the walk over a window's controls in normal, snapshot and fingerprint mode.
#include "settings/save_restore_window.h"

#include <algorithm>

#include "host/event_pump.h"
#include "settings/control_operations.h"
#include "settings/crc32.h"

namespace yc::settings {
namespace {

bool listed(const std::vector<Text>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool skippedByName(const SaveRestoreOptions& options, std::string_view name) {
    if (options.includeNames) {
        return !listed(*options.includeNames, name);
    }
    return listed(options.excludeNames, name);
}

bool comboShowsIndex(const StatefulControl& control) {
    return control.comboStyle() == kDropDownListStyle;
}

/// The control's value as a snapshot value (and as the bytes of its fingerprint).
Text valueText(StatefulControl& control, StateKind kind) {
    switch (kind) {
        case StateKind::Button:
            return control.tag();
        case StateKind::EditBox:
            return control.content();
        case StateKind::CheckBox:
        case StateKind::RadioButton:
            return formatBool(control.checked());
        case StateKind::ComboBox:
            return comboShowsIndex(control) ? formatNumber(control.selectionIndex())
                                            : control.editText();
        case StateKind::ListBox:
            return ListItemsText(control, {}, false);
        case StateKind::CheckListBox:
            return CheckListItemsText(control, {}, false);
        case StateKind::ColorPicker:
            return formatNumber(control.color());
        case StateKind::CommonDialog:
            return control.fileName();
        case StateKind::TreeBox:
            return TreeItemsText(control, {}, false);
    }
    return {};
}

/// Sets the control from one snapshot value (a combo box's item list comes separately).
void applyValue(StatefulControl& control, StateKind kind, std::string_view value) {
    switch (kind) {
        case StateKind::Button:
            control.setTag(value);
            break;
        case StateKind::EditBox:
            control.setContent(value);
            break;
        case StateKind::CheckBox:
        case StateKind::RadioButton:
            control.setChecked(value == trueText());
            break;
        case StateKind::ComboBox:
            if (comboShowsIndex(control)) {
                control.setSelectionIndex(toInteger(parseNumber(value)));
            } else {
                control.setEditText(value);
            }
            break;
        case StateKind::ListBox:
            ListItemsText(control, value, true);
            break;
        case StateKind::CheckListBox:
            CheckListItemsText(control, value, true);
            break;
        case StateKind::ColorPicker:
            control.setColor(toInteger(parseNumber(value)));
            break;
        case StateKind::CommonDialog:
            control.setFileName(value);
            break;
        case StateKind::TreeBox:
            TreeItemsText(control, value, true);
            break;
    }
}

void saveOrRestore(SettingsStore& store, StatefulControl& control, StateKind kind, bool restore,
                   bool withItems) {
    const bool byteMode = isByteModeTag(control.tag());
    switch (kind) {
        case StateKind::Button:
            restore ? RestoreButtonTag(store, control, byteMode)
                    : void(SaveButtonTag(store, control, byteMode));
            break;
        case StateKind::EditBox:
            restore ? RestoreEditBox(store, control, byteMode)
                    : void(SaveEditBox(store, control, byteMode));
            break;
        case StateKind::CheckBox:
            restore ? RestoreCheckBox(store, control) : void(SaveCheckBox(store, control));
            break;
        case StateKind::RadioButton:
            restore ? RestoreRadioButton(store, control) : void(SaveRadioButton(store, control));
            break;
        case StateKind::ComboBox:
            if (comboShowsIndex(control)) {
                restore ? RestoreComboIndex(store, control) : void(SaveComboIndex(store, control));
            } else {
                restore ? RestoreComboText(store, control) : void(SaveComboText(store, control));
            }
            if (withItems) {
                restore ? RestoreComboItems(store, control) : void(SaveComboItems(store, control));
            }
            break;
        case StateKind::ListBox:
            restore ? RestoreListBox(store, control) : void(SaveListBox(store, control));
            break;
        case StateKind::CheckListBox:
            restore ? RestoreCheckListBox(store, control) : void(SaveCheckListBox(store, control));
            break;
        case StateKind::ColorPicker:
            restore ? RestoreColorPicker(store, control) : void(SaveColorPicker(store, control));
            break;
        case StateKind::CommonDialog:
            if (restore) {
                control.setFileName(store.ReadText(control.name(), control.fileName()));
            } else {
                store.WriteText(control.name(), control.fileName());
            }
            break;
        case StateKind::TreeBox:
            restore ? RestoreTreeBox(store, control) : void(SaveTreeBox(store, control));
            break;
    }
}

}  // namespace

Text SaveRestoreWindow(SettingsStore& store, std::span<StatefulControl* const> controls,
                       bool restore, const SaveRestoreOptions& options) {
    if (!options.windowName.empty() && !options.fingerprint) {
        store.SetSection(options.windowName);
    }
    const bool snapshot = options.snapshotText.has_value();
    const std::vector<Text> values =
        snapshot ? splitSnapshot(*options.snapshotText) : std::vector<Text>();
    const bool fromValues = snapshot && !options.snapshotText->empty();
    if (fromValues && values.empty()) {
        return {};
    }
    std::size_t v = 0;  // the value in use, counted from 0
    Text collected;
    for (StatefulControl* control : controls) {
        host::processPendingEvents();
        const Text name = control == nullptr ? Text() : control->name();
        if (name.empty() || skippedByName(options, name)) {
            continue;
        }
        const std::optional<StateKind> kind = stateKindOf(name);
        if (!kind || !control->isKind(*kind) || isNoSaveTag(control->tag()) ||
            ParentExcluded(control->parent(), options.excludeParents) ||
            ParentNotIncluded(control->parent(), options.includeParents)) {
            continue;
        }
        const bool comboItems = *kind == StateKind::ComboBox && options.withItems;
        if (options.fingerprint) {
            collected += crc32Text(valueText(*control, *kind));
            if (comboItems) {
                collected += crc32Text(ComboItemsText(*control, {}, false));
            }
        } else if (snapshot && !fromValues) {
            collected.append(valueText(*control, *kind)).append(lineBreakEscape());
            if (comboItems) {
                collected.append(ComboItemsText(*control, {}, false)).append(lineBreakEscape());
            }
        } else if (fromValues) {
            applyValue(*control, *kind, values[v]);
            if (comboItems) {
                if (++v >= values.size()) {
                    break;
                }
                ComboItemsText(*control, values[v], true);
            }
        } else {
            saveOrRestore(store, *control, *kind, restore, options.withItems);
        }
        if (fromValues && ++v >= values.size()) {
            break;
        }
    }
    if (options.fingerprint) {
        return crc32Text(collected);
    }
    return fromValues ? Text() : collected;
}

}  // namespace yc::settings
