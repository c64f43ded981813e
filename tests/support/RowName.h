#pragma once
// The name of a table row in a parameterised test: the row's own `name`
// field, with every character a test name cannot hold turned into '_', so
// that CTest names stay the same from build to build and `ctest -R` finds
// them.
//
//   INSTANTIATE_TEST_SUITE_P(Rows, Splitter, testing::ValuesIn(k_rows), test::RowName{});

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace pendrel::test {

[[nodiscard]] std::string test_name_of(std::string_view text);

struct RowName {
    template <class Row> std::string operator()(const testing::TestParamInfo<Row>& info) const
    {
        return test_name_of(info.param.name);
    }
};

} // namespace pendrel::test
