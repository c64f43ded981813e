#include <gtest/gtest.h>

#include "platform/gfx/Utf8.h"
#include "support/RowName.h"

namespace {

using namespace std::string_literals;

struct Utf8Case {
    const char* name;
    std::string text;
    bool valid;
    std::string repaired;
    int chars;
};

class Utf8Text : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Text, ValidatesRepairsAndCounts)
{
    const auto& c = GetParam();
    EXPECT_EQ(gfx::is_valid_utf8(c.text), c.valid);
    EXPECT_EQ(gfx::valid_utf8(c.text), c.repaired);
    EXPECT_TRUE(gfx::is_valid_utf8(gfx::valid_utf8(c.text)));
    EXPECT_EQ(gfx::char_count(c.text), c.chars);
}

const std::string k_fffd = "\xEF\xBF\xBD";

INSTANTIATE_TEST_SUITE_P(Table, Utf8Text,
    ::testing::Values(Utf8Case{"Empty", "", true, "", 0},
        Utf8Case{"Umlaut", "Z\xC3\xBCrich", true, "Z\xC3\xBCrich", 6},
        Utf8Case{"FourByte", "\xF0\x9F\x98\x80", true, "\xF0\x9F\x98\x80", 1},
        Utf8Case{"NulIsValidButRepaired", "a\0b"s, true, "a" + k_fffd + "b", 3},
        Utf8Case{"LoneContinuation", "a\x80z", false, "a" + k_fffd + "z", 3},
        Utf8Case{"TruncatedSequence", "a\xC3", false, "a" + k_fffd, 2},
        Utf8Case{"Overlong", "\xC0\xAF", false, k_fffd, 1},
        Utf8Case{"Surrogate", "\xED\xA0\x80", false, k_fffd, 1},
        Utf8Case{"Latin1Byte", "caf\xE9!", false, "caf" + k_fffd + "!", 5}),
    pendrel::test::RowName{});

} // namespace
