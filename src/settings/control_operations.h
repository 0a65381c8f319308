// The operations SaveRestoreWindow applies to one control: the per-kind saves and restores in the
// store's current section, the item-list conversions on controls and the parent filters.
#pragma once

#include <span>
#include <string_view>

#include "settings/settings_store.h"
#include "settings/stateful_control.h"

namespace yc::settings {

/// The item-list conversions: with restore false they give the control's items as text; with
/// restore true they rebuild the items from `text` and give an empty text.
Text ComboItemsText(StatefulControl& control, std::string_view text, bool restore);
Text ListItemsText(StatefulControl& control, std::string_view text, bool restore);
Text CheckListItemsText(StatefulControl& control, std::string_view text, bool restore);
Text TreeItemsText(StatefulControl& control, std::string_view text, bool restore);

/// True when `parent` is one of `list`.
bool ParentExcluded(WindowHandle parent, std::span<const WindowHandle> list);
/// True when `list` is not empty and `parent` is none of it.
bool ParentNotIncluded(WindowHandle parent, std::span<const WindowHandle> list);

/// The per-kind operations, in the store's current section. Each save returns the typed write's
/// result; each restore passes the control's current state as the default, so a missing or
/// empty entry leaves the control unchanged. byteMode keeps the value in a byte file.
bool SaveCheckBox(SettingsStore& store, const StatefulControl& control);
void RestoreCheckBox(SettingsStore& store, StatefulControl& control);
bool SaveEditBox(SettingsStore& store, const StatefulControl& control, bool byteMode);
void RestoreEditBox(SettingsStore& store, StatefulControl& control, bool byteMode);
bool SaveCheckListBox(SettingsStore& store, StatefulControl& control);
void RestoreCheckListBox(SettingsStore& store, StatefulControl& control);
bool SaveTreeBox(SettingsStore& store, const StatefulControl& control);
void RestoreTreeBox(SettingsStore& store, StatefulControl& control);
bool SaveComboItems(SettingsStore& store, StatefulControl& control);
void RestoreComboItems(SettingsStore& store, StatefulControl& control);
bool SaveListBox(SettingsStore& store, StatefulControl& control);
void RestoreListBox(SettingsStore& store, StatefulControl& control);
bool SaveComboIndex(SettingsStore& store, const StatefulControl& control);
void RestoreComboIndex(SettingsStore& store, StatefulControl& control);
bool SaveComboText(SettingsStore& store, const StatefulControl& control);
void RestoreComboText(SettingsStore& store, StatefulControl& control);
bool SaveButtonTag(SettingsStore& store, const StatefulControl& control, bool byteMode);
void RestoreButtonTag(SettingsStore& store, StatefulControl& control, bool byteMode);
bool SaveColorPicker(SettingsStore& store, const StatefulControl& control);
void RestoreColorPicker(SettingsStore& store, StatefulControl& control);
bool SaveRadioButton(SettingsStore& store, const StatefulControl& control);
void RestoreRadioButton(SettingsStore& store, StatefulControl& control);

}  // namespace yc::settings
