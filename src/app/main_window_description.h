// The main window "主界面" as designed: every control with its position, size, font and
// properties. The persisted controls come in the order their settings entries are written.
#pragma once

#include "ui/window_description.h"

namespace yc::app {

ui::WindowDescription mainWindowDescription();

}  // namespace yc::app
