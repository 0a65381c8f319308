// The program-wide state shared by the start-up code, the main window, the input dialog and the
// query run.
#pragma once

#include "registry/registry_source.h"
#include "settings/settings_store.h"
#include "text/gbk_text.h"

namespace yc::app {

/// The options of the next opening of the input dialog; each opening overwrites them.
struct InputDialogRequest {
    Text prompt;
    Text title;
    /// Put into the body on opening; what restore puts back and what the discard question
    /// compares with.
    Text initialText;
    /// The body's input mode: 0 normal, 1 read-only.
    int bodyInputMode = 0;
    /// When not 0, the window is sized so that the body gets this width or height.
    int bodyWidth = 0;
    int bodyHeight = 0;
    /// True when the caller wants no text back: no OK button, a read-only body.
    bool displayOnly = false;
    bool bothScrollBars = false;
    /// Gap in pixels used by the layout; values below 1 mean 5.
    int margin = 0;
    bool maximised = false;
    /// 0 none, 1 the contents button, 2 the file name button, 3 both.
    int fileButtons = 0;
};

/// What the input dialog hands back: set only by OK.
struct InputDialogResult {
    bool accepted = false;
    Text text;
};

struct AppState {
    /// The program's name; the settings file is named after it.
    Text programName;
    /// The folder holding the executable, without a trailing separator.
    Text programFolder;
    /// Where the settings file lives (programFiles() in program_files.h).
    Text settingsFolder;
    /// Where the default auto-save file lives (programFiles() in program_files.h).
    Text dataFolder;
    /// The one settings store of the process, bound to the settings file at start-up.
    settings::SettingsStore settings;
    /// Set by a stop click or by Cancel on a retry prompt; cleared when a run starts.
    bool stopRequested = false;
    /// The full address of the registrar's bulk-check form; empty when none is configured.
    Text registrarEndpoint;
    /// Where the run's answers come from.
    registry::AnswerSource source = registry::AnswerSource::Registrar;
    /// Why no run can start (the registry source could not be set up); empty when one can.
    Text sourceProblem;
    /// The run asks the demo registrar started inside the program: its answers are not real.
    bool demoMode = false;
    /// The settings file's full path, for the messages that tell the user where to configure.
    Text settingsPath;
    InputDialogRequest inputDialogRequest;
    InputDialogResult inputDialogResult;
};

}  // namespace yc::app
