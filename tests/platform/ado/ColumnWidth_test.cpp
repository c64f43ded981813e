#include <gtest/gtest.h>

#include <cmath>

#include "platform/ado/Column.h"

namespace {

using ado::Column;
using ado::Storage;

// Numbers start 32 bits wide; the first one that needs more widens the
// column once, and every earlier value and Null reads back as it was.
TEST(ColumnWidth, WidensOnceAndKeepsEveryEarlierValue)
{
    Column ints(Storage::Integer);
    const std::int64_t values[] = {-2147483648LL, 2147483647, 0, 2147483648LL, -9, INT64_MIN};
    for (const std::int64_t v : values) {
        ints.append_integer(v);
        ints.append_null();
    }
    EXPECT_EQ(ints.storage(), Storage::Integer);
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

    Column mixed(Storage::Integer); // narrow integers become exact reals
    mixed.append_integer(-5);
    mixed.append_null();
    mixed.append_real(0.25);
    EXPECT_EQ(mixed.storage(), Storage::Real);
    EXPECT_EQ(mixed.real(0), -5.0);
    EXPECT_EQ(mixed.real(2), 0.25);
}

} // namespace
