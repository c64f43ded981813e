#include <gtest/gtest.h>

#include "platform/ado/ConnectionString.h"
#include "platform/vb/ErrorNumbers.h"
#include "support/VbError.h"

namespace {

using ado::ConnectionString;

TEST(ConnectionString, KeysAreCaseInsensitiveTrimmedAndTheLaterOneWins)
{
    const auto cs = ConnectionString::parse(
        "  provider = SQLite ; DATA SOURCE= shop.db ;;Port=1;; port=2;options=-c a=b;");
    EXPECT_EQ(cs.get("Provider"), "SQLite");
    EXPECT_EQ(cs.get("data source"), "shop.db");
    EXPECT_EQ(cs.get("Password"), std::nullopt);
    EXPECT_EQ(cs.get("options"), "-c a=b");
    EXPECT_EQ(cs.pairs().size(), 4U);
    EXPECT_EQ(cs.get_any({"Server", "PORT"}), "2");
    EXPECT_TRUE(ConnectionString::parse("").pairs().empty());
}

TEST(ConnectionString, QuotedValuesKeepSemicolonsBlanksAndDoubledQuotes)
{
    const auto cs = ConnectionString::parse("Password='a;b ''c'' ';User ID=\"x\"\"y\";Host= 'h' ");
    EXPECT_EQ(cs.get("Password"), "a;b 'c' ");
    EXPECT_EQ(cs.get("User ID"), "x\"y");
    EXPECT_EQ(cs.get("Host"), "h");
}

TEST(ConnectionString, MalformedTextIsRefusedWithoutRepeatingValues)
{
    for (const char* bad :
        {"Password=x;secretword", "=value", "Password='unterminated", "Password='a' b"}) {
        const auto e = pendrel::test::error_of([&] { (void)ConnectionString::parse(bad); });
        EXPECT_EQ(e.number(), vb::err::UnspecifiedError) << bad;
        EXPECT_EQ(e.description().find("secretword"), std::string::npos);
        EXPECT_EQ(e.description().find("unterminated"), std::string::npos);
    }
}

} // namespace
