#include <gtest/gtest.h>

#include "platform/ado/Column.h"
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

TEST(Column, HoldsEachStorageWithNulls)
{
    Column ints; // undeclared: the first value decides, earlier Nulls keep their places
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
    Column text(Storage::Text);
    std::vector<std::string> want;
    for (int i = 0; i < 200; ++i) {
        want.push_back(i % 3 == 0 ? "<null>" : std::to_string(i));
        (i % 3 == 0) ? text.append_null() : text.append_text(want.back());
    }
    EXPECT_EQ(texts(text), want);
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
    Column c(Storage::Integer);
    c.append_integer(3);
    c.append_real(0.5);
    EXPECT_EQ(c.storage(), Storage::Real);
    EXPECT_DOUBLE_EQ(c.real(0), 3.0);
    c.append_integer((std::int64_t(1) << 53) + 1); // no double holds it
    EXPECT_EQ(c.storage(), Storage::Text);
    EXPECT_EQ(texts(c), (std::vector<std::string>{"3", "0.5", "9007199254740993"}));
    Column big(Storage::Integer); // a big integer first blocks the real column too
    big.append_integer(std::int64_t(1) << 60);
    big.append_real(1.25);
    EXPECT_EQ(texts(big), (std::vector<std::string>{"1152921504606846976", "1.25"}));
    for (const double d : {0.1, 1.0 / 3, 1e300, -2.5e-300}) // real texts read back exactly
        EXPECT_EQ(std::stod(ado::real_text(d)), d);
}

TEST(Column, FirstValueDecidesAnUndeclaredColumn)
{
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
    // 2 (an integer below 32768) + 4 + 1.25 + 4 (text, its length and group
    // start, its folded-prefix key) per row, the Null bitmaps and the names.
    EXPECT_LT(table->bytes(), 11250U + 1200);
    EXPECT_GE(table->bytes(), 11250U);
    ado::TableBuilder small({{"t", std::nullopt}}, 4096);
    const auto fill = [&] {
        for (int i = 0; i < 1000; ++i) {
            small.column(0).append_text("a long enough piece of text");
            small.end_row();
        }
    };
    EXPECT_VB_ERROR(fill(), vb::err::OutOfMemory);
}

} // namespace
