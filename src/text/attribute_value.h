// Reading and replacing one attribute's value in the text of an element as HTML pages write it:
// in double quotes, in apostrophes or bare, the attribute name matched whatever its case.
#pragma once

#include <string_view>

#include "text/gbk_text.h"

namespace yc::text {

/// The value of attribute `name`, trimmed of spaces; "" when it is absent or empty. An attribute
/// preceded by a space is preferred; failing that, the name may follow anything.
Text readAttribute(std::string_view element, std::string_view name);

/// `element` with the value of attribute `name` (the one readAttribute reads) replaced by
/// `newValue`, inside its quotes if it has them. A missing attribute is first added as name=""
/// in front of the tag's "/>" or ">".
Text replaceAttribute(std::string_view element, std::string_view name, std::string_view newValue);

}  // namespace yc::text
