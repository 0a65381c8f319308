// Saving and restoring the state of a window's controls through the settings store: the window's
// name is the section, each control's name (with a suffix for some kinds) the key, and the
// control's kind comes from its name prefix. The window layer supplies the controls through
// StatefulControl; everything here is free of any window system.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "settings/item_list_text.h"
#include "settings/settings_store.h"
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

/// The optional arguments of SaveRestoreWindow.
struct SaveRestoreOptions {
    /// The section; when not empty (and not fingerprinting) it becomes the current section.
    Text windowName = {};
    std::vector<Text> excludeNames = {};  ///< ignored when includeNames is given
    std::vector<WindowHandle> excludeParents = {};
    bool withItems = false;  ///< combo boxes also carry their item lists
    std::optional<std::vector<Text>> includeNames = std::nullopt;
    std::vector<WindowHandle> includeParents = {};  ///< when not empty, only these parents
    bool fingerprint = false;                       ///< give a checksum of the values instead
    /// Given: the values come from (or, when empty, go to) this text instead of the store.
    std::optional<Text> snapshotText = std::nullopt;
};

/// Saves (restore false) or restores every control of `controls`, in order, skipping controls
/// without a name or a known kind, tagged "禁止保存", or filtered out by name or parent.
/// Returns the snapshot text when one was asked for with an empty snapshotText, the checksum in
/// fingerprint mode, and an empty text otherwise.
Text SaveRestoreWindow(SettingsStore& store, std::span<StatefulControl* const> controls,
                       bool restore, const SaveRestoreOptions& options = {});

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
