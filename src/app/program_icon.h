// The program's icon: the feather of the maker's logo, at the sizes the icon theme gets too.
#pragma once

#include <QIcon>

namespace yc::app {

/// The icon built into the executable (48, 128 and 256 pixels), for the program's windows.
QIcon programIcon();

}  // namespace yc::app
