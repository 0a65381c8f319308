// Saving and restoring a realised window's controls through the settings store: each control is
// seen through a StatefulControl adapter, and the window's placement through WindowPlacement.
#pragma once

#include "settings/save_restore_window.h"
#include "ui/window.h"

namespace yc::ui {

/// settings::SaveRestoreWindow over every control of `window` that has a window of its own, in
/// description order (or over `options`' own choice of names and parents).
Text saveRestoreRealisedWindow(settings::SettingsStore& store, Window& window, bool restore,
                               const settings::SaveRestoreOptions& options = {});

/// The handle the parent filters compare: the control's containing widget.
settings::WindowHandle parentHandleOf(const Control& control);

settings::WindowPlacement placementOf(const Window& window);
void applyPlacement(Window& window, const settings::WindowPlacement& placement);

}  // namespace yc::ui
