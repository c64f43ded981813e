// Folding European letters without the library, the folded-prefix keys of
// text columns, and searches over those keys: each must give exactly what
// folding whole texts gives.
#include <cstdlib>
#include <memory>
#include <random>

#include <gtest/gtest.h>
#include <utf8proc.h>

#include "platform/ado/CaseFold.h"
#include "platform/ado/RowSearch.h"

namespace {

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

// Prefix, exact and equality searches answered from the keys give the row
// the scan gives, from every start, in both directions; a column that turned
// into text on the way keeps keys for its earlier rows.
TEST(PrefixKeys, SearchFindsWhatTheScanFinds)
{
    static const char* const k_letters[]
        = {"a", "A", "ä", "Ä", "e\u0301", "é", "ß", "ss", "ł", "Ł", "\u0132", "ij", "z", " "};
    std::mt19937 rng(7);
    const auto text = [&](std::size_t most) {
        std::string s;
        for (std::size_t i = rng() % (most + 1); i > 0; --i)
            s += k_letters[rng() % std::size(k_letters)];
        return s;
    };
    ado::TableBuilder builder({{"t", std::nullopt}});
    builder.column(0).append_integer(12345); // becomes text at the next row
    builder.end_row();
    for (int row = 1; row < 2000; ++row) {
        rng() % 12 == 0 ? builder.column(0).append_null() : builder.column(0).append_text(text(7));
        builder.end_row();
    }
    const auto table = builder.finish();
    ado::RowSearch search(table);
    for (int q = 0; q < 3000; ++q) {
        ado::Criterion c{"t", rng() % 3 == 0 ? ado::CompareOp::Equal : ado::CompareOp::Like,
            {ado::Literal::Kind::Text, q == 0 ? "1234*" : text(6), {}, 0.0}};
        if (c.op == ado::CompareOp::Like && rng() % 4 != 0)
            c.value.text += "*";
        const auto p = ado::bind_criterion(c, *table);
        ASSERT_TRUE(search.keys_answer(p));
        const std::size_t from = rng() % table->row_count();
        const bool forward = rng() % 2 == 0;
        ASSERT_EQ(search.find_by_keys(p, from, forward), search.find_by_scan(p, from, forward))
            << "'" << c.value.text << "' op " << int(c.op) << " from " << from;
    }
    EXPECT_EQ(search.index_bytes(), 0U) << "no index was built";
}

} // namespace
