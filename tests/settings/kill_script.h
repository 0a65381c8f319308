// A fixed sequence of edits on a settings store, run by the crash-safety test's writer process
// and replayed by the test itself to know every content the file may hold.
#pragma once

#include "settings/settings_store.h"
#include "text/gbk_text.h"

namespace yc::test {

inline constexpr int kKillScriptSteps = 3000;

Text killScriptInitialContent();

/// Performs edit number `step` (0-based) on `store`.
void performKillScriptStep(settings::SettingsStore& store, int step);

}  // namespace yc::test
