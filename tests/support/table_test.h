// Table-driven cases: the base that gives each case its label, how a case prints (its label,
// in failure messages), and ByLabel, which names the cases after their labels for CTest.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

namespace yc::test {

/// The first member of every table case.
struct TableCase {
    const char* label;
};

/// Found for every case type through its base, so GoogleTest prints a case as its label instead
/// of its raw bytes.
inline std::ostream& operator<<(std::ostream& out, const TableCase& c) {
    return out << c.label;
}

struct ByLabel {
    template <class Case>
    std::string operator()(const testing::TestParamInfo<Case>& param) const {
        std::string name;
        for (const char c : std::string(param.param.label)) {
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name + "_" + std::to_string(param.index);
    }
};

}  // namespace yc::test
