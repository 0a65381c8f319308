// The report list's row icons: index 0 marks a free name, index 1 a taken one.
#pragma once

#include <QIcon>
#include <vector>

namespace yc::ui {

std::vector<QIcon> reportStateIcons();

}  // namespace yc::ui
