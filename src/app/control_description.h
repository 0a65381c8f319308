// Shorthand for the window descriptions of the program: a control record from UTF-8 source
// literals, in the designed font.
#pragma once

#include "ui/window_description.h"

namespace yc::app {

/// The designed text font: 15-pixel characters, normal weight.
inline constexpr ui::FontDescription kNormalFont{15, false};

/// A control named `utf8Name` at `rect`, with its caption and its container's name given in UTF-8.
ui::ControlDescription describeControl(const char* utf8Name, ui::ControlKind kind, ui::Rect rect,
                                       const char* utf8Caption = "", const char* utf8Parent = "");

}  // namespace yc::app
