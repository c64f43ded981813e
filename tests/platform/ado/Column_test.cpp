// How a column keeps its values: each storage with its Nulls, the narrow
// widths numbers and texts start in, values that do not fit, the table
// builder's byte count and budget, and the vector under them all.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <sys/mman.h>

#include "platform/ado/Column.h"
#include "platform/ado/PodVector.h"
#include "platform/ado/Prefault.h"
#include "platform/ado/Table.h"
#include "platform/vb/ErrorNumbers.h"
#include "support/VbError.h"

namespace {

using ado::Column;
using ado::Storage;

std::vector<std::string> texts(const Column& c)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < c.size(); ++i)
        out.push_back(c.is_null(i) ? "<null>" : std::string(c.text(i)));
    return out;
}

TEST(Column, FirstValueDecidesAnUndeclaredColumn)
{
    Column ints; // earlier Nulls keep their places
    ints.append_null();
    ints.append_integer(5);
    ints.append_integer(-7);
    EXPECT_EQ(ints.storage(), Storage::Integer);
    EXPECT_EQ(ints.integer(2), -7);
    EXPECT_TRUE(ints.is_null(0));
    EXPECT_FALSE(ints.is_null(2));
    EXPECT_TRUE(ints.fits_long());
    ints.append_integer(-2147483649LL);
    EXPECT_FALSE(ints.fits_long());
    Column c;
    c.append_null();
    c.append_null();
    c.append_real(2.5);
    EXPECT_EQ(c.storage(), Storage::Real);
    EXPECT_TRUE(c.is_null(0));
    EXPECT_DOUBLE_EQ(c.real(2), 2.5);
    Column b;
    b.append_blob(std::string("\0\1", 2));
    b.append_text("x");
    EXPECT_EQ(b.storage(), Storage::Blob);
    EXPECT_EQ(b.text(0), std::string("\0\1", 2));
}

TEST(Column, ValuesThatDoNotFitTurnEveryValueIntoText)
{
    Column c(Storage::Integer);
    c.append_integer(12);
    c.append_null();
    c.append_text("many");
    c.append_integer(9223372036854775807);
    EXPECT_EQ(c.storage(), Storage::Text);
    EXPECT_EQ(texts(c), (std::vector<std::string>{"12", "<null>", "many", "9223372036854775807"}));
    Column d(Storage::Date); // a date column reads its text as dates
    d.append_text("2024-03-05");
    EXPECT_EQ(d.storage(), Storage::Date);
    EXPECT_DOUBLE_EQ(d.real(0), 45356.0);
    d.append_integer(7);
    EXPECT_EQ(texts(d), (std::vector<std::string>{"2024-03-05", "7"}));
}

TEST(Column, RealsAmongIntegersMakeARealColumnWhenExact)
{
    Column c(Storage::Integer); // narrow integers and Nulls become exact reals
    c.append_integer(-3);
    c.append_null();
    c.append_real(0.5);
    EXPECT_EQ(c.storage(), Storage::Real);
    EXPECT_EQ(c.real(0), -3.0);
    EXPECT_TRUE(c.is_null(1));
    c.append_integer((std::int64_t(1) << 53) + 1); // no double holds it
    EXPECT_EQ(c.storage(), Storage::Text);
    EXPECT_EQ(texts(c), (std::vector<std::string>{"-3", "<null>", "0.5", "9007199254740993"}));
    Column big(Storage::Integer); // a big integer first blocks the real column too
    big.append_integer(std::int64_t(1) << 60);
    big.append_real(1.25);
    EXPECT_EQ(texts(big), (std::vector<std::string>{"1152921504606846976", "1.25"}));
    for (const double d : {0.1, 1.0 / 3, 1e300, -2.5e-300}) // real texts read back exactly
        EXPECT_EQ(std::stod(ado::real_text(d)), d);
}

// Numbers start 16 bits wide; the first one that needs more widens the
// column, and every earlier value and Null reads back as it was.
TEST(ColumnWidth, WidensOnceAndKeepsEveryEarlierValue)
{
    Column ints(Storage::Integer);
    const std::int64_t values[]
        = {-32768, 32767, 0, 32768, -2147483648LL, 2147483647, 2147483648LL, -9, INT64_MIN};
    for (const std::int64_t v : values) {
        ints.append_integer(v);
        ints.append_null();
    }
    EXPECT_EQ(ints.storage(), Storage::Integer);
    Column small(Storage::Integer);
    small.append_integer(-32768);
    small.append_integer(2147483647);
    EXPECT_TRUE(small.fits_long());
    EXPECT_FALSE(ints.fits_long());
    for (std::size_t i = 0; i < std::size(values); ++i) {
        EXPECT_EQ(ints.integer(2 * i), values[i]) << i;
        EXPECT_TRUE(ints.is_null(2 * i + 1)) << i;
    }

    Column dates(Storage::Date);
    dates.append_text("2024-03-05");
    dates.append_date(-657434.0); // before 1900
    dates.append_null();
    dates.append_date(-0.0);
    dates.append_text("2024-03-05 12:00:00");
    dates.append_date(2.0);
    dates.append_text("1899-12-29"); // a whole day among reals now
    const double instants[] = {45356.0, -657434.0, 0.0, -0.0, 45356.5, 2.0, -1.0};
    for (std::size_t i = 0; i < std::size(instants); ++i) {
        EXPECT_EQ(dates.real(i), instants[i]) << i;
        EXPECT_EQ(std::signbit(dates.real(i)), std::signbit(instants[i])) << i;
    }
    EXPECT_TRUE(dates.is_null(2));

    Column reals(Storage::Real); // hundredths in 32 bits, then anything
    const double amounts[] = {-327.68, 703.92, -0.01, 21474836.47, 0.0, 0.125, -0.0, 1e300, 0.1};
    for (const double v : amounts)
        reals.append_real(v);
    for (std::size_t i = 0; i < std::size(amounts); ++i) {
        EXPECT_EQ(reals.real(i), amounts[i]) << i;
        EXPECT_EQ(std::signbit(reals.real(i)), std::signbit(amounts[i])) << i;
    }
}

// Text lengths in one byte each, groups of sixteen rows: every text, empty
// and Null reads back across group edges, before and after the first text
// too long for a byte.
TEST(ColumnWidth, TextsReadBackBeforeAndAfterALongOne)
{
    Column c(Storage::Text);
    std::vector<std::string> want;
    const auto add = [&](std::size_t length) {
        want.push_back(length == 1 ? "<null>" : std::string(length, char('a' + want.size() % 26)));
        length == 1 ? c.append_null() : c.append_text(want.back());
    };
    for (std::size_t i = 0; i < 20; ++i)
        add(i % 3);
    for (std::size_t i = 0; i < 40; ++i)
        add((i * 37) % 256);
    add(255);
    add(256);
    for (std::size_t i = 0; i < 20; ++i)
        add(i % 3);
    EXPECT_EQ(texts(c), want);
}

TEST(TableBuilder, ShrinksCountsItsBytesAndStopsAtTheBudget)
{
    ado::TableBuilder builder(
        {{"n", ado::FieldType{ado::DataType::adInteger, 4}}, {"t", std::nullopt}});
    for (int i = 0; i < 1000; ++i) {
        builder.column(0).append_integer(i);
        builder.column(1).append_text("abcd");
        builder.end_row();
    }
    const auto table = builder.finish();
    EXPECT_EQ(table->row_count(), 1000U);
    EXPECT_EQ(table->field(1).type.type, ado::DataType::adLongVarWChar);
    // 2 (an integer below 32768) + 4 + 1.25 (text, its length and group
    // start) per row, the Null bitmaps and the names; 4 more per row once a
    // search has asked for the folded-prefix keys.
    const std::size_t read = table->bytes();
    EXPECT_LT(read, 7250U + 1200);
    EXPECT_GE(read, 7250U);
    EXPECT_EQ(table->column(1).prefix_keys().size(), 1000U);
    EXPECT_EQ(table->bytes(), read + 4000);
    ado::TableBuilder small({{"t", std::nullopt}}, 4096);
    const auto fill = [&] {
        for (int i = 0; i < 1000; ++i) {
            small.column(0).append_text("a long enough piece of text");
            small.end_row();
        }
    };
    EXPECT_VB_ERROR(fill(), vb::err::OutOfMemory);
}

TEST(PodVector, KeepsItsValuesFromHeapToMappingAndBack)
{
    ado::PodVector<std::uint32_t> v;
    const std::size_t n = 3 * ado::ByteBlock::k_map_threshold / sizeof(std::uint32_t) + 17;
    for (std::size_t i = 0; i < n; ++i)
        v.push_back(static_cast<std::uint32_t>(i * 7));
    ASSERT_EQ(v.size(), n);
    for (std::size_t i = 0; i < n; i += 997)
        ASSERT_EQ(v[i], i * 7) << i;
    EXPECT_EQ(v.back(), (n - 1) * 7);
    v.shrink_to_fit();
    EXPECT_GE(v.capacity(), n);
    EXPECT_LT(v.capacity(), n + 4096 / sizeof(std::uint32_t));
    EXPECT_EQ(v[n - 1], (n - 1) * 7);
    v.resize(10); // below the threshold: back on the heap, exactly sized
    v.shrink_to_fit();
    EXPECT_EQ(v.capacity(), 10U);
    EXPECT_EQ(v[9], 63U);
    v.assign(5, 7); // a move leaves the source empty
    ado::PodVector<std::uint32_t> w(std::move(v));
    EXPECT_EQ(w.size(), 5U);
    EXPECT_EQ(v.size(), 0U); // NOLINT(bugprone-use-after-move): the moved-from state is the point
    EXPECT_EQ(w[4], 7U);
    v = std::move(w);
    EXPECT_EQ(v.size(), 5U);
    v.reset();
    EXPECT_EQ(v.capacity(), 0U);
}

// Capacity doubles up to a step, then grows a step at a time: no more than a
// step of pages is ever faulted in ahead of the values.
TEST(PodVector, GrowsByDoublingThenBySteps)
{
    constexpr std::size_t step = ado::ByteBlock::k_step;
    const std::size_t cases[][3] = {// capacity, needed, grown
        {64, 65, 128}, {64, 1000, 1024}, {step / 2, step / 2 + 1, step}, {step, step + 1, 2 * step},
        {3 * step, 3 * step + 1, 4 * step}, {2 * step, 5 * step - 1, 5 * step}};
    for (const auto& c : cases)
        EXPECT_EQ(ado::ByteBlock::grown(c[0], c[1]), c[2]) << c[0] << " " << c[1];
}

// Columns grow side by side past several steps while their new pages are
// faulted in on another thread; some are shrunk, moved or released while
// pages may still be queued for them. Every value is where it was put.
TEST(PodVector, KeepsItsValuesWhileAThreadFaultsInItsPages)
{
    const std::size_t n = (2 * ado::ByteBlock::k_step + 12345) / sizeof(std::uint64_t);
    std::vector<ado::PodVector<std::uint64_t>> columns(3);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::uint64_t c = 0; c < columns.size(); ++c)
            columns[c].push_back(i * 3 + c);
    }
    columns[0].shrink_to_fit();
    columns[1].reset();
    ado::PodVector<std::uint64_t> moved(std::move(columns[2]));
    moved.append(columns[0].data(), n);
    EXPECT_LE(moved.capacity() * sizeof(std::uint64_t),
        2 * n * sizeof(std::uint64_t) + ado::ByteBlock::k_step);
    for (std::size_t i = 0; i < n; i += 4093) {
        ASSERT_EQ(columns[0][i], i * 3) << i;
        ASSERT_EQ(moved[i], i * 3 + 2) << i;
        ASSERT_EQ(moved[n + i], i * 3) << i;
    }
}

// A mapping forgotten while its pages are being faulted in is left alone
// from the piece in hand on: forgetting does not wait for the rest.
TEST(Prefault, TheThreadLeavesAForgottenMappingAloneFromThePieceInHand)
{
    constexpr std::size_t size = 256 * 1024 * 1024;
    void* p = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(p, MAP_FAILED);
    const auto* base = static_cast<const char*>(p);
    ado::prefault::ahead(base, 0, size);
    // Forgotten once its first page is in.
    unsigned char first = 0;
    while (ado::prefault::pending(base) && (first & 1U) == 0)
        ASSERT_EQ(::mincore(p, 4096, &first), 0);
    if ((first & 1U) == 0)
        GTEST_SKIP() << "this kernel does not fault pages in ahead";
    ado::prefault::forget(base);
    EXPECT_FALSE(ado::prefault::pending(base));
    std::vector<unsigned char> resident(size / 4096);
    ASSERT_EQ(::mincore(p, size, resident.data()), 0);
    EXPECT_LT(std::count(resident.begin(), resident.end(), 1), std::ptrdiff_t(resident.size() / 2));
    ::munmap(p, size);
}

} // namespace
