// The input dialog as designed: prompt, body, the bar of helper buttons, OK and Cancel. Its
// layout replaces these positions whenever the window is sized.
#pragma once

#include "ui/window_description.h"

namespace yc::app {

ui::WindowDescription inputDialogDescription();

}  // namespace yc::app
