#include <gtest/gtest.h>

#include "platform/ado/CaseFold.h"
#include "support/RowName.h"

namespace {

struct FoldRow {
    const char* name;
    std::string a;
    std::string b;
};

class CaseFoldPairs : public ::testing::TestWithParam<FoldRow> {};

TEST_P(CaseFoldPairs, FoldToTheSameText)
{
    EXPECT_EQ(ado::case_fold(GetParam().a), ado::case_fold(GetParam().b));
}

INSTANTIATE_TEST_SUITE_P(Letters, CaseFoldPairs,
    ::testing::Values(FoldRow{"Ascii", "Amsterdam", "aMSTERDAM"},
        FoldRow{"Umlaut", "Zürich", "ZÜRICH"}, FoldRow{"Polish", "Łódź", "łÓdŹ"},
        FoldRow{"Greek", "ΣΟΦΙΑ", "σοφια"}, FoldRow{"Cyrillic", "МОСКВА", "москва"},
        FoldRow{"SharpS", "Straße", "STRASSE"}, FoldRow{"Decomposed", "Zu\u0308rich", "Zürich"},
        FoldRow{"Ligature", "ﬁle", "FILE"}, FoldRow{"FullWidth", "ＡＢＣ", "abc"},
        FoldRow{"DottedCapitalI", "İ", "i\u0307"}),
    pendrel::test::RowName{});

TEST(CaseFold, AsciiFastPathAgreesWithTheLibrary)
{
    // Each ASCII byte alone and inside a non-ASCII text (which goes through
    // the library) folds the same way.
    for (int c = 0; c < 128; ++c) {
        const std::string ch(1, static_cast<char>(c));
        const std::string alone = ado::case_fold(ch);
        const std::string inside = ado::case_fold("é" + ch);
        EXPECT_EQ(inside, "é" + alone) << c;
    }
}

TEST(CaseFold, KeepsLettersApartPrefixesIntactAndBadUtf8Bytewise)
{
    EXPECT_NE(ado::case_fold("Zürich"), ado::case_fold("Zurich"));
    EXPECT_NE(ado::case_fold("Łódź"), ado::case_fold("Lodz"));
    EXPECT_TRUE(ado::case_fold("Zürich").starts_with(ado::case_fold("ZÜ")));
    EXPECT_TRUE(ado::case_fold("Łódź").starts_with(ado::case_fold("ŁÓ")));
    EXPECT_EQ(ado::case_fold("AB\xff\xfe"), "ab\xff\xfe");
}

} // namespace
