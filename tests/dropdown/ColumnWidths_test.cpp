// Splitting ColumnWidths into its entries and the widths they give.

#include "dropdown/ColumnWidths.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/TempDir.h"
#include "support/VbError.h"

namespace dropdown {
namespace {

using Lines = std::vector<std::string>;

// One element per entry and an empty one after them; an earlier, longer
// content of the array is gone. An empty separator is logged.
TEST(Splitter, GivesTheEntriesBetweenSeparators)
{
    struct Row {
        std::string text, sep;
        vb::Integer count;
        Lines parts;
    };
    const Row rows[]
        = {{"25;75", ";", 2, {"25", "75", ""}}, {"25;;75", ";", 3, {"25", "", "75", ""}},
            {"25;75;", ";", 3, {"25", "75", "", ""}}, {"", ";", 1, {"", ""}},
            // The next search starts after the whole separator.
            {"a||b|||c", "||", 3, {"a", "b", "|c", ""}},
            // A separator never borrows bytes of the closing one.
            {"10;;;", ";;", 2, {"10", ";", ""}}, {";;;", ";;", 2, {"", ";", ""}},
            {"xab", "aba", 1, {"xab", ""}}, {"Łódź§Zürich", "§", 2, {"Łódź", "Zürich", ""}},
            {"25;75", "", 0, {""}}};
    const pendrel::test::TempDir dir;
    const std::string log = (dir / "Logging.txt").string();
    for (const Row& row : rows) {
        Lines parts(5, "stale");
        EXPECT_EQ(aantalGesplitsteDelenInString(parts, row.text, row.sep, log), row.count)
            << row.text;
        EXPECT_EQ(parts, row.parts) << row.text;
    }
    std::ifstream in(log);
    std::string line;
    std::getline(in, line);
    EXPECT_TRUE(line.ends_with(":5 (The separator is empty) in aantalGesplitsteDelenInString\r"))
        << line;
    EXPECT_FALSE(std::getline(in, line)) << "one line only";
}

TEST(Widths, PercentagesOfTheScreenRoundedHalfToEven)
{
    EXPECT_EQ(column_width(25, 19200), 4800);
    EXPECT_EQ(column_width(0.0078125, 19200), 1.5F);
    // 1.5 and 4.5 twips go to the even neighbours 2 and 4.
    EXPECT_EQ(widened_list_width(0, 0.0078125, 19200), 2);
    EXPECT_EQ(widened_list_width(2, 0.0234375, 19200), 6);
    EXPECT_EQ(widened_list_width(4800, -10, 19200), 2880);
    EXPECT_VB_ERROR((void)widened_list_width(2147483000, 100, 19200), 6);
}

TEST(Widths, TextColumnIsTheFirstPositiveEntryWhileTheSumIsZero)
{
    EXPECT_TRUE(takes_text_column(10, 0));
    EXPECT_FALSE(takes_text_column(0, 0));
    EXPECT_FALSE(takes_text_column(-10, 0));
    EXPECT_FALSE(takes_text_column(10, 1920));
}

TEST(Widths, FixedLengthColumnIsItsLengthInLetters)
{
    EXPECT_EQ(fixed_length_width(40, 120), 4800);
    // A long text's length leaves the 32-bit range.
    EXPECT_VB_ERROR((void)fixed_length_width(1073741823, 120), 6);
}

} // namespace
} // namespace dropdown
