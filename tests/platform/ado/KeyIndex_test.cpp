// The key index must give exactly the row the scan gives for prefix and
// equality searches on text, from every start, in both directions.
#include <random>

#include <gtest/gtest.h>

#include "platform/ado/RowSearch.h"

namespace {

std::string random_text(std::mt19937& rng, std::size_t max_letters)
{
    static const char* const k_letters[]
        = {"a", "A", "b", "ä", "Ä", "ß", "e\xCC\x81", "é", "z", " "};
    std::string s;
    for (std::size_t i = rng() % (max_letters + 1); i > 0; --i)
        s += k_letters[rng() % std::size(k_letters)];
    return s;
}

TEST(KeyIndex, FindsWhatTheScanFinds)
{
    std::mt19937 rng(20261206);
    ado::TableBuilder builder({{"t", ado::FieldType{ado::DataType::adVarWChar, 40}}});
    std::vector<std::string> texts;
    for (int row = 0; row < 4000; ++row) {
        // Some share more than thirty-two folded bytes.
        texts.push_back((row % 8 == 0 ? std::string(33, 'A') : "") + random_text(rng, 12));
        rng() % 10 == 0 ? builder.column(0).append_null()
                        : builder.column(0).append_text(texts.back());
        builder.end_row();
    }
    const auto table = builder.finish();
    ado::RowSearch search(table, 0);
    const auto predicate = [&](ado::CompareOp op, std::string text) {
        ado::Criterion c;
        c.column = "t";
        c.op = op;
        c.value.kind = ado::Literal::Kind::Text;
        c.value.text = std::move(text);
        return ado::bind_criterion(c, *table);
    };
    (void)search.find(predicate(ado::CompareOp::Like, "a*"), 0, true); // starts the index
    search.wait_for_key_indexes();
    ASSERT_GT(search.index_bytes(), 4000U * 12);
    int hits = 0;
    for (int q = 0; q < 3000; ++q) {
        const std::string& seen = texts[rng() % texts.size()];
        std::string text
            = q % 5 == 0 ? random_text(rng, 10) : seen.substr(0, rng() % (seen.size() + 1));
        const int kind = q % 3;
        const auto p = kind == 0 ? predicate(ado::CompareOp::Equal, text)
                                 : predicate(ado::CompareOp::Like, text + (kind == 1 ? "*" : ""));
        const std::size_t from = rng() % texts.size();
        const bool forward = rng() % 2 == 0;
        const auto want = search.find_by_scan(p, from, forward);
        hits += want.has_value();
        ASSERT_EQ(search.find(p, from, forward), want)
            << "query " << q << " '" << text << "' kind " << kind << " from " << from;
    }
    EXPECT_GT(hits, 1000);
}

// A search left before its index is complete stops the build and waits for
// no more than a few thousand comparisons (run under the sanitizers).
TEST(KeyIndex, SearchDestroyedWhileItsIndexIsBuilt)
{
    ado::TableBuilder builder({{"t", std::nullopt}});
    for (int row = 0; row < 300'000; ++row) {
        builder.column(0).append_text("name " + std::to_string(row * 7919LL % 300'000));
        builder.end_row();
    }
    const auto table = builder.finish();
    ado::Criterion c{"t", ado::CompareOp::Like, {}};
    c.value.kind = ado::Literal::Kind::Text;
    c.value.text = "name 42*";
    const auto p = ado::bind_criterion(c, *table);
    for (int i = 0; i < 3; ++i) {
        ado::RowSearch search(table);
        EXPECT_EQ(search.find(p, 0, true), search.find_by_scan(p, 0, true));
    }
}

} // namespace
