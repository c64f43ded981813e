// Every way a search finds its row must give exactly the row the scan gives,
// for every operator, from every start, in both directions: the sorted
// index, the key index of text columns, the folded-prefix keys, and the
// wavelet matrix under the index.
#include <cmath>
#include <random>
#include <span>
#include <thread>

#include <gtest/gtest.h>

#include "platform/ado/CaseFold.h"
#include "platform/ado/RowSearch.h"
#include "platform/ado/WaveletMatrix.h"

namespace {

using ado::CompareOp;
using ado::Predicate;

// Up to `max_letters` pieces, each drawn from `letters`.
std::string random_text(
    std::mt19937& rng, std::span<const char* const> letters, std::size_t max_letters)
{
    std::string s;
    for (std::size_t i = rng() % (max_letters + 1); i > 0; --i)
        s += letters[rng() % letters.size()];
    return s;
}

Predicate text_predicate(const ado::Table& table, CompareOp op, std::string text)
{
    return ado::bind_criterion(
        {"t", op, {ado::Literal::Kind::Text, std::move(text), {}, 0.0}}, table);
}

TEST(RowSearchAgreement, IndexAndScanFindTheSameRow)
{
    static const char* const k_letters[]
        = {"a", "A", "b", "B", "ä", "Ä", "ł", "Ł", "z", "*", "'", " "};
    static const CompareOp k_ops[] = {CompareOp::Equal, CompareOp::NotEqual, CompareOp::Less,
        CompareOp::Greater, CompareOp::LessEqual, CompareOp::GreaterEqual, CompareOp::Like};
    constexpr std::size_t k_rows = 3000;
    std::mt19937 rng{20240305};
    ado::TableBuilder builder({{"t", ado::FieldType{ado::DataType::adVarWChar, 10}},
        {"i", ado::FieldType{ado::DataType::adInteger, 4}},
        {"r", ado::FieldType{ado::DataType::adDouble, 8}}});
    for (std::size_t row = 0; row < k_rows; ++row) {
        auto& t = builder.column(0);
        auto& i = builder.column(1);
        auto& r = builder.column(2);
        rng() % 10 == 0 ? t.append_null() : t.append_text(random_text(rng, k_letters, 4));
        rng() % 10 == 0 ? i.append_null()
                        : i.append_integer(static_cast<std::int64_t>(rng() % 41) - 20);
        const auto kind = rng() % 20;
        if (kind == 0)
            r.append_null();
        else
            r.append_real(kind == 1 ? std::nan("") : static_cast<double>(rng() % 21) / 2 - 5);
        builder.end_row();
    }
    const auto table = builder.finish();
    const auto random_predicate = [&] {
        ado::Criterion c;
        c.op = k_ops[rng() % std::size(k_ops)];
        const auto column = rng() % 3;
        if (column == 0 || c.op == CompareOp::Like) {
            c.column = "t";
            c.value.kind = ado::Literal::Kind::Text;
            c.value.text = random_text(rng, k_letters, 2);
            if (c.op == CompareOp::Like && rng() % 2 == 0)
                c.value.text += "*";
            if (c.op == CompareOp::Like && rng() % 4 == 0)
                c.value.text = "%" + c.value.text;
        } else {
            c.column = column == 1 ? "i" : "r";
            c.value.kind = ado::Literal::Kind::Number;
            const bool whole = rng() % 2 == 0;
            const double v = static_cast<double>(rng() % 49) / 2 - 12;
            c.value.number = whole ? ado::Number{true, std::llround(v), std::round(v)}
                                   : ado::Number{false, 0, v};
        }
        return ado::bind_criterion(c, *table);
    };
    ado::RowSearch search(table);
    int answered_by_index = 0;
    for (int q = 0; q < 4000; ++q) {
        const Predicate p = random_predicate();
        const std::size_t from = rng() % k_rows;
        const bool forward = rng() % 2 == 0;
        const auto by_scan = search.find_by_scan(p, from, forward);
        if (!ado::SortedIndex::can_answer(p))
            continue;
        ++answered_by_index;
        ASSERT_EQ(search.find_by_index(p, from, forward), by_scan)
            << "query " << q << " column " << p.column << " op " << int(p.op) << " literal '"
            << p.folded << "' " << p.number.real << " from " << from
            << (forward ? " forward" : " backward");
    }
    EXPECT_GT(answered_by_index, 3000);
    EXPECT_GT(search.index_bytes(), 0U);
}

// The key index of a column of these texts (every tenth row a Null), and
// its first stage alone, answer 3000 prefix and equality searches as the
// scan does.
void expect_index_agrees(
    std::mt19937& rng, std::span<const char* const> letters, const std::vector<std::string>& texts)
{
    ado::TableBuilder builder({{"t", ado::FieldType{ado::DataType::adVarWChar, 60}}});
    for (const std::string& text : texts) {
        rng() % 10 == 0 ? builder.column(0).append_null() : builder.column(0).append_text(text);
        builder.end_row();
    }
    const auto table = builder.finish();
    ado::RowSearch search(table, 0);
    (void)search.find(text_predicate(*table, CompareOp::Like, "a*"), 0, true); // starts the index
    search.wait_for_key_indexes();
    ASSERT_GT(search.index_bytes(), texts.size() * 12);
    const std::atomic<bool> cancel{false};
    const auto first = ado::KeyIndex::first_stage(table->column(0), cancel);
    ASSERT_FALSE(first->complete());
    int hits = 0;
    for (int q = 0; q < 3000; ++q) {
        const std::string& seen = texts[rng() % texts.size()];
        std::string text = q % 5 == 0 ? random_text(rng, letters, 10)
                                      : seen.substr(0, rng() % (seen.size() + 1));
        const int kind = q % 3;
        const auto p = kind == 0
            ? text_predicate(*table, CompareOp::Equal, text)
            : text_predicate(*table, CompareOp::Like, text + (kind == 1 ? "*" : ""));
        const std::size_t from = rng() % texts.size();
        const bool forward = rng() % 2 == 0;
        const auto want = search.find_by_scan(p, from, forward);
        hits += want.has_value();
        ASSERT_EQ(search.find(p, from, forward), want)
            << "query " << q << " '" << text << "' kind " << kind << " from " << from;
        if (search.keys_answer(p)) {
            ASSERT_EQ(first->find(table->column(0), p.folded, kind != 1, from, forward), want)
                << "first stage, query " << q << " '" << text << "' kind " << kind;
        }
    }
    EXPECT_GT(hits, 1000);
}

TEST(KeyIndex, FindsWhatTheScanFinds)
{
    static const char* const k_letters[]
        = {"a", "A", "b", "ä", "Ä", "ß", "e\xCC\x81", "é", "z", " "};
    std::mt19937 rng(20261206);
    // Short texts of few letters, many alike; an eighth of them share their
    // first 8, 16, 24 or more than 32 folded bytes.
    const std::string shared[]
        = {"bbbbbbbb", std::string(16, 'c'), std::string(24, 'C'), std::string(33, 'A')};
    std::vector<std::string> texts;
    for (int row = 0; row < 4000; ++row)
        texts.push_back(
            (row % 8 == 0 ? shared[row / 8 % 4] : "") + random_text(rng, k_letters, 12));
    expect_index_agrees(rng, k_letters, texts);
    // Long texts, all but one in twenty distinct by their first eight bytes:
    // the later bytes of the few that are not are read row by row.
    static const char* const k_many[] = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l",
        "m", "n", "o", "p", "q", "r", "s", "t", "u", "v", "w", "x", "y", "Z"};
    texts.clear();
    for (int row = 0; row < 4000; ++row) {
        const std::string head = row % 20 == 0 ? shared[row / 20 % 4] : "";
        texts.push_back(head + random_text(rng, k_many, 30));
    }
    expect_index_agrees(rng, k_many, texts);
}

// Searches go on while the second stage is made and takes over from the
// first, which is then freed (run under the sanitizers): each answer is the
// scan's, whichever stage gives it.
TEST(KeyIndex, SearchesWhileTheSecondStageTakesOver)
{
    ado::TableBuilder builder({{"t", std::nullopt}});
    std::vector<std::string> texts;
    for (int row = 0; row < 100'000; ++row) {
        texts.push_back(std::to_string(row * 7919LL % 100'000) + " Surname");
        builder.column(0).append_text(texts.back());
        builder.end_row();
    }
    const auto table = builder.finish();
    ado::RowSearch search(table, 0);
    search.prepare(0);
    std::mt19937 rng(3);
    for (int q = 0; q < 200; ++q) {
        // Up to eight bytes the matrix answers, past them the rows sharing
        // eight bytes: both over rows sorted on two threads.
        const std::string& seen = texts[rng() % texts.size()];
        const auto p = text_predicate(
            *table, CompareOp::Like, seen.substr(0, 1 + rng() % (seen.size() - 1)) + "*");
        const std::size_t from = rng() % table->row_count();
        ASSERT_EQ(search.find(p, from, q % 2 == 0), search.find_by_scan(p, from, q % 2 == 0))
            << "query " << q << " '" << p.folded << "'";
    }
    search.wait_for_key_indexes();
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
    const auto p = text_predicate(*table, CompareOp::Like, "name 42*");
    for (int i = 0; i < 3; ++i) {
        ado::RowSearch search(table);
        EXPECT_EQ(search.find(p, 0, true), search.find_by_scan(p, 0, true));
    }
}

// Prefix, exact and equality searches answered from the folded-prefix keys;
// a column that turned into text on the way has keys for its earlier rows.
TEST(PrefixKeys, SearchFindsWhatTheScanFinds)
{
    static const char* const k_letters[]
        = {"a", "A", "ä", "Ä", "\u0301", "é", "ß", "ss", "ł", "Ł", "\u0132", "ij", "z", " ",
            "\u00AD", "e", "e"}; // U+0301 combines with a letter before it, U+00AD folds to nothing
    std::mt19937 rng(7);
    ado::TableBuilder builder({{"t", std::nullopt}});
    builder.column(0).append_integer(12345); // becomes text at the next row
    builder.end_row();
    for (int row = 1; row < 2000; ++row) {
        rng() % 12 == 0 ? builder.column(0).append_null()
                        : builder.column(0).append_text(random_text(rng, k_letters, 7));
        builder.end_row();
    }
    const auto table = builder.finish();
    ado::RowSearch search(table);
    for (int q = 0; q < 3000; ++q) {
        ado::Criterion c{"t", rng() % 3 == 0 ? CompareOp::Equal : CompareOp::Like,
            {ado::Literal::Kind::Text, q == 0 ? "1234*" : random_text(rng, k_letters, 6), {}, 0.0}};
        if (c.op == CompareOp::Like && rng() % 4 != 0)
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

// Two threads asking at once for keys not yet made: made once, by either,
// and read by both (run under the thread sanitizer too).
TEST(PrefixKeys, TwoThreadsAskingAtOnceShareOneMaking)
{
    ado::TableBuilder builder({{"t", std::nullopt}});
    for (int row = 0; row < 50'000; ++row) {
        builder.column(0).append_text(row % 2 == 0 ? "abcde" : "\u00C4rger");
        builder.end_row();
    }
    const auto table = builder.finish();
    const ado::PodVector<std::uint32_t>* keys[2] = {};
    std::thread other([&] { keys[1] = &table->column(0).prefix_keys(); });
    keys[0] = &table->column(0).prefix_keys();
    other.join();
    ASSERT_EQ(keys[0], keys[1]);
    ASSERT_EQ(keys[0]->size(), 50'000U);
    EXPECT_EQ((*keys[0])[0], ado::prefix_key("abcd"));
    EXPECT_EQ((*keys[0])[49'999], ado::prefix_key("\u00E4rg"));
}

// The nearest value at or above x (next) or at or below x (prev) in v[lo, hi).
std::optional<std::uint32_t> brute(
    const std::vector<std::uint32_t>& v, std::size_t lo, std::size_t hi, std::uint32_t x, bool next)
{
    std::optional<std::uint32_t> best;
    for (std::size_t i = lo; i < hi && i < v.size(); ++i) {
        if ((next ? v[i] >= x : v[i] <= x) && (!best || (next ? v[i] < *best : v[i] > *best)))
            best = v[i];
    }
    return best;
}

TEST(WaveletMatrix, AgreesWithAScanOnRandomPermutations)
{
    std::mt19937 rng(7);
    // The last made on two threads.
    for (const std::size_t n : {1U, 2U, 63U, 64U, 65U, 1000U, 4097U, 65'536U + 100}) {
        std::vector<std::uint32_t> v(n);
        for (std::size_t i = 0; i < n; ++i)
            v[i] = static_cast<std::uint32_t>(i);
        std::shuffle(v.begin(), v.end(), rng);
        const ado::WaveletMatrix wm(v);
        for (int q = 0; q < 300; ++q) {
            std::size_t lo = rng() % (n + 1);
            std::size_t hi = rng() % (n + 1);
            if (lo > hi)
                std::swap(lo, hi);
            const auto x = static_cast<std::uint32_t>(rng() % (n + 2));
            ASSERT_EQ(wm.next_value(lo, hi, x), brute(v, lo, hi, x, true))
                << n << " " << lo << " " << hi << " " << x;
            ASSERT_EQ(wm.prev_value(lo, hi, x), brute(v, lo, hi, x, false))
                << n << " " << lo << " " << hi << " " << x;
        }
    }
}

TEST(WaveletMatrix, EmptyAndOutOfRangeQueries)
{
    const ado::WaveletMatrix empty(std::vector<std::uint32_t>{});
    EXPECT_EQ(empty.next_value(0, 0, 0), std::nullopt);
    const std::vector<std::uint32_t> v{5, 3, 9};
    const ado::WaveletMatrix wm(v);
    EXPECT_EQ(wm.next_value(0, 3, 10), std::nullopt);
    EXPECT_EQ(wm.next_value(0, 3, 1000), std::nullopt);
    EXPECT_EQ(wm.prev_value(0, 3, 1000), 9U);
    EXPECT_EQ(wm.prev_value(0, 3, 2), std::nullopt);
    EXPECT_EQ(wm.next_value(2, 1, 0), std::nullopt);
    EXPECT_EQ(wm.next_value(1, 99, 4), 9U);
}

} // namespace
