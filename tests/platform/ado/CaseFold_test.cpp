// Case folding: pairs that must and must not fold alike, the ASCII fast
// path, the European letters folded without the library, and the
// folded-prefix keys of text columns.
#include <cstdlib>
#include <memory>

#include <gtest/gtest.h>
#include <utf8proc.h>

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

std::string utf8(char32_t cp)
{
    std::string out(4, '\0');
    const auto n = utf8proc_encode_char(
        static_cast<utf8proc_int32_t>(cp), reinterpret_cast<utf8proc_uint8_t*>(out.data()));
    out.resize(static_cast<std::size_t>(n));
    return out;
}

std::string library_fold(const std::string& text)
{
    utf8proc_uint8_t* raw = nullptr;
    const auto n = utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(text.data()),
        static_cast<utf8proc_ssize_t>(text.size()), &raw,
        static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE | UTF8PROC_COMPAT
            | UTF8PROC_CASEFOLD | UTF8PROC_IGNORE));
    const std::unique_ptr<utf8proc_uint8_t, decltype(&std::free)> folded(raw, &std::free);
    return std::string(reinterpret_cast<const char*>(folded.get()), static_cast<std::size_t>(n));
}

// Every pair of a letter below U+0250 with any letter below U+0250 (and a
// few that combine or lie beyond) folds as the library folds it.
TEST(LatinFold, EveryPairFoldsAsTheLibraryFolds)
{
    std::vector<char32_t> seconds;
    for (char32_t cp = 0x20; cp < 0x250; ++cp)
        seconds.push_back(cp);
    for (const char32_t cp : {0x0301, 0x0308, 0x0327, 0x0345, 0x1E9E, 0xFB01, 0xAC00})
        seconds.push_back(cp);
    int mismatches = 0;
    for (char32_t a = 0x80; a < 0x250; ++a) {
        for (const char32_t b : seconds) {
            const std::string text = utf8(a) + utf8(b);
            if (ado::case_fold(text) != library_fold(text) && ++mismatches < 5)
                ADD_FAILURE() << "U+" << std::hex << unsigned(a) << " U+" << unsigned(b);
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(FoldedPrefix, IsTheFirstFourBytesOfTheFoldedText)
{
    for (const std::string& text : std::vector<std::string>{"", "a", "AB", "Zürich", "ZÜRICH",
             "e\u0301cole", "abcd\u0301x", "abcde\u0301", "\u0132ssel", "a\u00ADbcde", "ß-Straße",
             "\xff\xfe"
             "AB",
             "Łódź", "\xea\xb0\x80\xea\xb0\x81", std::string("ab\0cd", 5)}) {
        EXPECT_EQ(ado::folded_prefix(text), ado::prefix_key(ado::case_fold(text))) << text;
    }
    EXPECT_EQ(ado::prefix_key("abcdef"), 0x64636261U);
    EXPECT_EQ(ado::prefix_key("ab"), 0x6261U);
}

// A head folded alone is the start of the whole's folded form: cuts only
// before ASCII, more of the text when folding takes bytes away, the whole
// when the rest is not UTF-8 (the whole then folds byte-wise).
TEST(FoldedHead, IsTheStartOfTheFoldedText)
{
    const std::string soft = "\u00AD";
    for (const std::string& text : std::vector<std::string>{"\u0141\u00F3d\u017A Krak\u00F3w 12",
             "\u00C4\u00C4\u00C4\u00C4\u00C4 \u00C4\u00C4", "\u00C4bcdefghe\u0301\u0301x",
             "\u00C4bcdefgh\u0301x", soft + soft + soft + soft + soft + "abcdefghij",
             "\u212A\u212A\u212A\u212Aabcdefgh", "\u00DF\u00DF\u00DFabc", "\u00C4bcdefgh \xff\xfe",
             "\u00C4bc\xff defghijk", "\u1100\u1161\u11A8 abcdefgh", "\u00C4b"}) {
        const std::string whole = ado::case_fold(text);
        for (const std::size_t bytes : {1U, 4U, 8U, 9U, 16U}) {
            std::string head = "kept";
            ado::append_case_fold_head(text, bytes, head);
            ASSERT_GE(head.size(), 4 + std::min(bytes, whole.size())) << text << " " << bytes;
            EXPECT_TRUE(whole.starts_with(head.substr(4))) << text << " " << bytes;
        }
    }
}

} // namespace
