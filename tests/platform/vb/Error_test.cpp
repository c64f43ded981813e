#include "platform/vb/Error.h"
#include "support/RowName.h"

#include <gtest/gtest.h>

using namespace vb;

namespace {

struct TextRow {
    const char* name;
    Long number;
    const char* text;
    friend void PrintTo(const TextRow& r, std::ostream* os) { *os << r.name; }
};

class StandardTexts : public testing::TestWithParam<TextRow> {};

TEST_P(StandardTexts, RaiseCarriesNumberTextAndSource)
{
    const TextRow& row = GetParam();
    EXPECT_EQ(standard_text(row.number), row.text);
    try {
        raise(row.number, "Morvex");
        FAIL() << "raise returned";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), row.number);
        EXPECT_EQ(e.description(), row.text);
        EXPECT_STREQ(e.what(), row.text);
        EXPECT_EQ(e.source(), "Morvex");
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, StandardTexts,
    testing::Values(TextRow{"InvalidProcedureCall", 5, "Invalid procedure call or argument"},
        TextRow{"ObjectNotSet", 91, "Object variable or With block variable not set"},
        TextRow{"NoCurrentRecord", 3021,
            "Either BOF or EOF is True, or the current record has been deleted. Requested "
            "operation requires a current record."},
        TextRow{
            "MissingParameter", -2147217904, "No value given for one or more required parameters."},
        TextRow{"Unknown", 31999, "Application-defined or object-defined error"}),
    pendrel::test::RowName{});

TEST(Error, RaiseWithOwnDescriptionKeepsIt)
{
    try {
        raise(err::AdoCommandError, "near \"SELEC\": syntax error", "Connection.Open");
        FAIL() << "raise returned";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), -2147217900);
        EXPECT_EQ(e.description(), "near \"SELEC\": syntax error");
        EXPECT_EQ(e.source(), "Connection.Open");
    }
}

} // namespace
