// Names table-driven cases after their `label` field, so CTest lists readable case names.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace yc::test {

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
