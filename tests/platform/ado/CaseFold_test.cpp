#include <gtest/gtest.h>

#include "platform/ado/CaseFold.h"
#include "support/RowName.h"

namespace {

struct FoldRow {
    const char* name;
    std::string a;
    std::string b;
    bool same = true;
};

class CaseFoldPairs : public ::testing::TestWithParam<FoldRow> {};

TEST_P(CaseFoldPairs, FoldAlikeOnlyWhenTheLettersAreTheSame)
{
    EXPECT_EQ(ado::case_fold(GetParam().a) == ado::case_fold(GetParam().b), GetParam().same);
}

INSTANTIATE_TEST_SUITE_P(Letters, CaseFoldPairs,
    ::testing::Values(FoldRow{"Ascii", "Amsterdam", "aMSTERDAM"},
        FoldRow{"Umlaut", "Zürich", "ZÜRICH"}, FoldRow{"Polish", "Łódź", "łÓdŹ"},
        FoldRow{"Greek", "ΣΟΦΙΑ", "σοφια"}, FoldRow{"Cyrillic", "МОСКВА", "москва"},
        FoldRow{"SharpS", "Straße", "STRASSE"}, FoldRow{"Decomposed", "Zu\u0308rich", "Zürich"},
        FoldRow{"Ligature", "ﬁle", "FILE"}, FoldRow{"FullWidth", "ＡＢＣ", "abc"},
        FoldRow{"DottedCapitalI", "İ", "i\u0307"},
        FoldRow{"UmlautIsKept", "Zürich", "Zurich", false},
        FoldRow{"StrokeIsKept", "Łódź", "Lodz", false}),
    pendrel::test::RowName{});

TEST(CaseFold, AsciiFastPathAgreesWithTheLibraryAndBadUtf8FoldsBytewise)
{
    // Each ASCII byte alone and inside a non-ASCII text (which goes through
    // the library) folds the same way.
    for (int c = 0; c < 128; ++c) {
        const std::string ch(1, static_cast<char>(c));
        EXPECT_EQ(ado::case_fold("é" + ch), "é" + ado::case_fold(ch)) << c;
    }
    EXPECT_EQ(ado::case_fold("AB\xff\xfe"), "ab\xff\xfe");
}

} // namespace
