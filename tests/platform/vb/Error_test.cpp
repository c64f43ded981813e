#include "platform/vb/Error.h"

#include <gtest/gtest.h>

#include "support/RowName.h"
#include "support/VbError.h"

using namespace vb;

namespace {

struct TextRow {
    const char* name;
    Long number;
    const char* text;
};

class StandardTexts : public testing::TestWithParam<TextRow> {};

TEST_P(StandardTexts, RaiseCarriesNumberTextAndSource)
{
    const TextRow& row = GetParam();
    EXPECT_EQ(standard_text(row.number), row.text);
    const Error e = pendrel::test::error_of([&] { raise(row.number, "Morvex"); });
    EXPECT_EQ(e.number(), row.number);
    EXPECT_EQ(e.description(), row.text);
    EXPECT_STREQ(e.what(), row.text);
    EXPECT_EQ(e.source(), "Morvex");
}

const TextRow k_rows[] = {{"InvalidProcedureCall", 5, "Invalid procedure call or argument"},
    {"NoCurrentRecord", 3021,
        "Either BOF or EOF is True, or the current record has been deleted. Requested operation "
        "requires a current record."},
    {"MissingParameter", -2147217904, "No value given for one or more required parameters."},
    {"Unknown", 31999, "Application-defined or object-defined error"}};

INSTANTIATE_TEST_SUITE_P(Rows, StandardTexts, testing::ValuesIn(k_rows), pendrel::test::RowName{});

TEST(Error, RaiseWithOwnDescriptionKeepsIt)
{
    const Error e = pendrel::test::error_of(
        [] { raise(err::AdoCommandError, "near \"SELEC\": syntax error", "Connection.Open"); });
    EXPECT_EQ(e.number(), -2147217900);
    EXPECT_EQ(e.description(), "near \"SELEC\": syntax error");
    EXPECT_EQ(e.source(), "Connection.Open");
}

} // namespace
