// Tests write their texts in UTF-8 and compare in GBK, the program's own text form.
#pragma once

#include <string>
#include <string_view>

#include "text/charset.h"

namespace yc::test {

inline Text gbk(std::string_view utf8) {
    return text::utf8ToGbk(utf8);
}
inline std::string utf8(std::string_view gbk) {
    return text::gbkToUtf8(gbk);
}

}  // namespace yc::test
