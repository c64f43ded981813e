// The SQL text the providers read and write: the first keyword and a second
// statement of a row source, date and time texts, and the one-line error
// descriptions.
#include <gtest/gtest.h>

#include "platform/ado/ProviderError.h"
#include "platform/ado/SqlDate.h"
#include "platform/ado/SqlText.h"
#include "platform/vb/ErrorNumbers.h"
#include "support/RowName.h"
#include "support/VbError.h"

namespace {

using pendrel::test::error_of;

TEST(SqlText, FirstKeywordSkipsBlanksCommentsAndParentheses)
{
    EXPECT_EQ(ado::first_keyword("select 1"), "SELECT");
    EXPECT_EQ(
        ado::first_keyword("  -- note\n /* a /* nested */ b */ ((With x AS (SELECT 1) SELECT 1))"),
        "WITH");
    EXPECT_EQ(ado::first_keyword("\tDELETE FROM t"), "DELETE");
    EXPECT_EQ(ado::first_keyword("-- only"), "");
    EXPECT_EQ(ado::first_keyword("/* open"), "");
    EXPECT_EQ(ado::first_keyword("'x'"), "");
}

struct StatementRow {
    const char* name;
    const char* sql;
    bool second;
};

class SecondStatement : public ::testing::TestWithParam<StatementRow> {};

TEST_P(SecondStatement, IsFoundOutsideQuotesAndComments)
{
    EXPECT_EQ(ado::has_second_statement(GetParam().sql), GetParam().second) << GetParam().sql;
}

const StatementRow k_statements[]
    = {{"One", "SELECT 1", false}, {"TrailingSemicolons", "SELECT 1; ; ", false},
        {"TrailingComment", "SELECT 1; -- bye", false}, {"Two", "SELECT 1; SELECT 2", true},
        {"InText", "SELECT ';DROP'", false}, {"DoubledQuote", "SELECT 'a'';b'", false},
        {"EscapedText", "SELECT E'a\\';b'", false}, {"InName", "SELECT 1 AS \";x\"", false},
        {"InDollarText", "SELECT $$;x$$", false}, {"TaggedDollar", "SELECT $t$ $$; $t$", false},
        {"AfterDollarText", "SELECT $$a$$; SELECT 2", true},
        {"InLineComment", "SELECT 1 -- ; DROP\n", false},
        {"AfterLineComment", "SELECT 1 -- x\n; DROP TABLE t", true},
        {"Parameter", "SELECT $1; DROP", true}, {"QuoteAfterSemicolon", "SELECT 1;'x'", true}};

INSTANTIATE_TEST_SUITE_P(
    Texts, SecondStatement, ::testing::ValuesIn(k_statements), pendrel::test::RowName{});

struct DateRow {
    const char* name;
    const char* text;
    std::optional<double> instant;
};

class SqlDateText : public ::testing::TestWithParam<DateRow> {};

TEST_P(SqlDateText, ReadsAsItsInstant)
{
    const auto got = ado::parse_sql_datetime(GetParam().text);
    ASSERT_EQ(got.has_value(), GetParam().instant.has_value()) << GetParam().text;
    if (got) {
        EXPECT_NEAR(*got, *GetParam().instant, 1e-9) << GetParam().text;
    }
}

constexpr double k_noon = 45356.5; // 2024-03-05 12:00
constexpr auto k_none = std::nullopt;

const DateRow k_dates[] = {{"Epoch", "1899-12-30", 0.0}, {"Date", "2024-03-05", 45356.0},
    {"LeapDay", "2000-02-29", 36585.0}, {"DateTime", "2024-03-05 12:00:00", k_noon},
    {"IsoT", "2024-03-05T12:00", k_noon},
    {"Fraction", "2024-03-05 00:00:00.5", 45356.0 + 0.5 / 86400},
    {"ZoneIgnored", "2024-03-05 12:00:00+01", k_noon},
    {"ZoneWithMinutes", "2024-03-05 12:00:00-05:30", k_noon}, {"TimeOnly", "06:00", 0.25},
    {"BeforeEpoch", "1899-12-29 18:00", -0.25}, {"EarliestYear", "0100-01-01", -657434.0},
    {"NotLeap", "1900-02-29", k_none}, {"BadMonth", "2024-13-01", k_none},
    {"YearTooSmall", "0099-12-31", k_none}, {"NotADigit", "2024-0a-05", k_none},
    {"DayZero", "2024-03-00", k_none}, {"Hour24", "2024-03-05 24:00", k_none},
    {"Trailing", "2024-03-05x", k_none}, {"Infinity", "infinity", k_none},
    {"BeforeChrist", "0044-03-15 BC", k_none}, {"Empty", "", k_none}};

INSTANTIATE_TEST_SUITE_P(
    Forms, SqlDateText, ::testing::ValuesIn(k_dates), pendrel::test::RowName{});

TEST(SqlDate, SerialsBeforeTheEpochCountTheTimeForwardAndInstantsWriteAsText)
{
    // 1899-12-29 06:00 is the instant -0.75 and the runtime's serial -1.25.
    EXPECT_DOUBLE_EQ(ado::serial_of_instant(-0.75), -1.25);
    for (const double x : {-1000.5, -2.0, -0.75, 0.0, 0.25, 45356.75})
        EXPECT_DOUBLE_EQ(ado::instant_of_serial(ado::serial_of_instant(x)), x) << x;
    // the text of an instant
    EXPECT_EQ(ado::text_of_instant(45356.0), "2024-03-05");
    EXPECT_EQ(ado::text_of_instant(45356.0 + (10 * 3600 + 20 * 60 + 30) / 86400.0),
        "2024-03-05 10:20:30");
    EXPECT_EQ(ado::text_of_instant(-0.25), "1899-12-29 18:00:00");
    EXPECT_EQ(ado::text_of_instant(45356.0 + 0.5 / 86400), "2024-03-05 00:00:00.500");
}

TEST(ProviderError, DescriptionsAreOneLine)
{
    EXPECT_EQ(ado::one_line("ERROR:  syntax error\nLINE 1: SELEC\r\n\t^\n"),
        "ERROR:  syntax error LINE 1: SELEC   ^");
    EXPECT_EQ(ado::one_line("a\x01"
                            "b\x7f"
                            "c"),
        "a b c");
    EXPECT_EQ(ado::one_line("Zürich\n"), "Zürich");
    EXPECT_EQ(ado::one_line("\n\n"), "");
    const auto connection = error_of([] { ado::raise_connection_error("x\ny", "S"); });
    EXPECT_EQ(connection.number(), vb::err::UnspecifiedError);
    EXPECT_EQ(connection.description(), "x y");
}

TEST(ProviderError, SecretsAreMaskedAndRefusalsSayWhatARowSourceMustBe)
{
    EXPECT_EQ(ado::without_secret("password pw for pw", "pw"), "password *** for ***");
    EXPECT_EQ(ado::without_secret("nothing", ""), "nothing");
    EXPECT_EQ(ado::without_secret("aaaa", "aa"), "******");
    // a refusal says what a row source must be
    const auto refused = error_of([] { ado::raise_refused("it is not read-only", "S"); });
    EXPECT_EQ(refused.number(), vb::err::AdoCommandError);
    EXPECT_EQ(refused.source(), "S");
    EXPECT_EQ(refused.description(),
        "Row source refused: it is not read-only. A row source must be one read-only query.");
}

} // namespace
