// Saving and restoring the state of a window's controls through the settings store: the window's
// name is the section, each control's name (with a suffix for some kinds) the key, and the
// control's kind comes from its name prefix. The window layer supplies the controls through
// StatefulControl (settings/stateful_control.h).
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "settings/settings_store.h"
#include "settings/stateful_control.h"

namespace yc::settings {

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

}  // namespace yc::settings
