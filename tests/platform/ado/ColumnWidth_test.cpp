#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/ado/Column.h"

namespace {

using ado::Column;
using ado::Storage;

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
    const double instants[] = {45356.0, -657434.0, 0.0, -0.0, 45356.5, 2.0};
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

    Column mixed(Storage::Integer); // narrow integers become exact reals
    mixed.append_integer(-5);
    mixed.append_null();
    mixed.append_real(0.25);
    EXPECT_EQ(mixed.storage(), Storage::Real);
    EXPECT_EQ(mixed.real(0), -5.0);
    EXPECT_EQ(mixed.real(2), 0.25);
}

// Text lengths in one byte each, groups of sixteen rows: every text, empty
// and Null reads back across group edges, and after the first text too long
// for a byte.
TEST(ColumnWidth, TextsReadBackBeforeAndAfterALongOne)
{
    Column c(Storage::Text);
    std::vector<std::string> want;
    const auto add = [&](std::size_t length) {
        want.push_back(length == 1 ? "<null>" : std::string(length, char('a' + want.size() % 26)));
        length == 1 ? c.append_null() : c.append_text(want.back());
    };
    for (std::size_t i = 0; i < 40; ++i)
        add((i * 37) % 256);
    add(255);
    add(256);
    for (std::size_t i = 0; i < 20; ++i)
        add(i % 3);
    ASSERT_EQ(c.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i)
        EXPECT_EQ(c.is_null(i) ? "<null>" : std::string(c.text(i)), want[i]) << i;
}

} // namespace
