#include "platform/vb/Strings.h"

#include <gtest/gtest.h>

#include "support/VbError.h"

namespace {

TEST(Strings, PositionsCountCharactersNotBytes)
{
    const std::string s = "Zürich Łódź";
    EXPECT_EQ(vb::Len(s), 11);
    EXPECT_EQ(vb::Left(s, 2), "Zü");
    EXPECT_EQ(vb::Right(s, 4), "Łódź");
    EXPECT_EQ(vb::Mid(s, 2, 3), "üri");
    EXPECT_EQ(vb::Mid(s, 8), "Łódź");
    EXPECT_EQ(vb::InStr(1, s, "Łó"), 8);
    EXPECT_EQ(vb::byte_offset(s, 2), 3U);
    // an invalid byte counts as one character
    const std::string bad = "a\xC3"
                            "b\xFF";
    EXPECT_EQ(vb::Len(bad), 4);
    EXPECT_EQ(vb::Mid(bad, 2, 1), "\xC3");
}

TEST(Strings, EdgesReplaceAndNegativeArguments)
{
    EXPECT_EQ(vb::Left("abc", 10), "abc");
    EXPECT_EQ(vb::Right("abc", 0), "");
    EXPECT_EQ(vb::Mid("abc", 4), "");
    EXPECT_EQ(vb::Mid("abc", 2, 0), "");
    EXPECT_EQ(vb::InStr(1, "abc", ""), 1);
    EXPECT_EQ(vb::InStr(4, "abc", ""), 4);
    EXPECT_EQ(vb::InStr(5, "abc", ""), 0);
    EXPECT_EQ(vb::InStr(2, "abab", "ab"), 3);
    // Replace scans left to right without overlap
    EXPECT_EQ(vb::Replace("aaaa", "aa", "b"), "bb");
    EXPECT_EQ(vb::Replace("aaa", "aa", "b"), "ba");
    EXPECT_EQ(vb::Replace("abc", "", "x"), "abc");
    // negative arguments raise 5
    constexpr vb::Long k_invalid = vb::err::InvalidProcedureCall;
    EXPECT_VB_ERROR((void)vb::Left("a", -1), k_invalid);
    EXPECT_VB_ERROR((void)vb::Right("a", -1), k_invalid);
    EXPECT_VB_ERROR((void)vb::Mid("a", 0), k_invalid);
    EXPECT_VB_ERROR((void)vb::Mid("a", 1, -2), k_invalid);
    EXPECT_VB_ERROR((void)vb::InStr(0, "a", "a"), k_invalid);
}

} // namespace
