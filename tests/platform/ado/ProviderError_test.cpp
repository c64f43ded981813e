#include <gtest/gtest.h>

#include "platform/ado/ProviderError.h"
#include "platform/vb/ErrorNumbers.h"
#include "support/VbError.h"

namespace {

using pendrel::test::error_of;

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

TEST(ProviderError, SecretsAreMasked)
{
    EXPECT_EQ(ado::without_secret("password pw for pw", "pw"), "password *** for ***");
    EXPECT_EQ(ado::without_secret("nothing", ""), "nothing");
    EXPECT_EQ(ado::without_secret("aaaa", "aa"), "******");
}

TEST(ProviderError, RefusalSaysWhatARowSourceMustBe)
{
    const auto refused = error_of([] { ado::raise_refused("it is not read-only", "S"); });
    EXPECT_EQ(refused.number(), vb::err::AdoCommandError);
    EXPECT_EQ(refused.source(), "S");
    EXPECT_EQ(refused.description(),
        "Row source refused: it is not read-only. A row source must be one read-only query.");
}

} // namespace
