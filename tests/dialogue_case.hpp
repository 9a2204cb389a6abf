// A row of a program's dialogue table: what the user types and how the
// output ends, everything before it being the same in every row.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace calculators {

struct dialogue_case {
    const char* name;
    std::string input;
    // Expected output after the part every run shares, as readable UTF-8.
    std::u8string ending;
};

inline void PrintTo(const dialogue_case& row, std::ostream* out) {
    *out << row.name;
}

// Names each instantiated row after its name field.
struct case_name {
    template <typename row_type>
    std::string operator()(const testing::TestParamInfo<row_type>& row) const {
        return row.param.name;
    }
};

}  // namespace calculators
