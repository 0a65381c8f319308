// The program-wide state shared by the start-up code, the main window and the query run.
#pragma once

#include "settings/settings_store.h"
#include "text/gbk_text.h"

namespace yc::app {

struct AppState {
    /// The program's name; the settings file is named after it.
    Text programName;
    /// The folder holding the executable, without a trailing separator.
    Text programFolder;
    /// The one settings store of the process, bound to the settings file at start-up.
    settings::SettingsStore settings;
    /// Set by a stop click or by Cancel on a retry prompt; cleared when a run starts.
    bool stopRequested = false;
    /// The full address of the registrar's bulk-check form; empty when none is configured.
    Text registrarEndpoint;
};

}  // namespace yc::app
