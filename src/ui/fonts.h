// The designed face "宋体" at a pixel height, falling back to an installed CJK face.
#pragma once

#include <QFont>

#include "ui/window_description.h"

namespace yc::ui {

QFont designFont(const FontDescription& font);

}  // namespace yc::ui
