// The PostgreSQL provider against the test server: refused row sources with
// the data unchanged, logins that fail without showing the password, the
// server's types, a reset after each fetch, and roles that may do more than
// read. Its time limit and a fetch stopped half-way are checked with the
// other fetch limits (Connection_test.cpp).
#include <cmath>

#include <gtest/gtest.h>

#include "platform/ado/AdoConstants.h"
#include "platform/ado/Fields.h"
#include "platform/ado/Session.h"
#include "platform/vb/ErrorNumbers.h"
#include "support/ado/AdoFixture.h"

namespace {

using pendrel::test::error_of;
using vb::Variant;
namespace err = vb::err;

using PgSessionTest = pendrel::test::DatabaseTest;

// Refused row sources, with what the refusal says when it is made before the
// server sees the text. The test server's role may only read, so a refusal is
// checked by its error: the data could not change anyway.
struct Hostile {
    const char* sql;
    const char* says = "";
};

const Hostile k_hostile[]
    = {{"DELETE FROM people", "starts with DELETE"}, {"UPDATE people SET name = 'x'"},
        {"DROP TABLE people"}, {"ALTER TABLE people ADD COLUMN evil text"},
        {"SELECT 1; DELETE FROM people", "more than one statement"},
        {"SELECT 1 -- c\n; DROP TABLE people"}, {"SELECT $$;$$; DROP TABLE people"},
        {"WITH d AS (DELETE FROM people RETURNING *) SELECT * FROM d", "read-only"},
        {"WITH u AS (UPDATE people SET qty = 0 RETURNING id) SELECT * FROM u"},
        {"SELECT * FROM people FOR UPDATE"}, {"COPY people TO STDOUT"},
        {"SET TRANSACTION READ WRITE"}, {"BEGIN"}, {"DO $$ BEGIN DELETE FROM people; END $$"},
        {"VACUUM people"}, {"EXPLAIN ANALYZE DELETE FROM people"}, {""}};

TEST_P(PgSessionTest, HostileRowSourcesAreRefused)
{
    for (const auto& row : k_hostile) {
        const auto e = error_of([&] { (void)open(row.sql); });
        EXPECT_EQ(e.number(), err::AdoCommandError) << row.sql << ": " << e.description();
        EXPECT_EQ(e.description().find('\n'), std::string::npos);
        EXPECT_NE(e.description().find(row.says), std::string::npos) << e.description();
    }
    // quoted semicolons are not a second statement
    EXPECT_EQ(open("SELECT id FROM people WHERE name <> 'a;b' AND note IS DISTINCT FROM $q$;$q$;")
                  ->get_RecordCount(),
        11);
}

TEST_P(PgSessionTest, LoginsThatFailNeverShowThePassword)
{
    const auto at = cnstr().find(";Password=");
    const std::string password = "Sekr3t;Pa55";
    ado::Connection c;
    auto e = error_of([&] { c.Open(cnstr().substr(0, at) + ";Password='" + password + "'"); });
    EXPECT_EQ(e.number(), err::UnspecifiedError);
    EXPECT_NE(e.description().find("password authentication failed"), std::string::npos)
        << e.description();
    EXPECT_EQ(e.description().find("Sekr3t"), std::string::npos);
    e = error_of([&] {
        c.Open("Provider=PostgreSQL;Host=127.0.0.1;Port=1;Database=x;User ID=y;Password=zz9");
    });
    EXPECT_EQ(e.number(), err::UnspecifiedError);
    EXPECT_EQ(e.description().find("zz9"), std::string::npos);
    e = error_of([&] { c.Open(cnstr() + ";Colour=blue"); });
    EXPECT_EQ(e.number(), err::UnspecifiedError);
    EXPECT_NE(e.description().find("Colour"), std::string::npos);
    EXPECT_EQ(c.get_State(), ado::adStateClosed);
    // the password argument replaces the one in the string
    c.Open(cnstr().substr(0, at)
            + ";Password=wrong;application_name=pendrel-test;Persist Security Info=False",
        "", cnstr().substr(at + 10), -1);
    EXPECT_EQ(c.get_State(), ado::adStateOpen);
}

// The types the shared tables hold are read through the recordset tests;
// these are the server's own.
TEST_P(PgSessionTest, ServerTypesMapToFieldTypes)
{
    auto rs = open("SELECT '\\x00ff'::bytea AS b, 'NaN'::float8 AS nan, 123::oid AS o, "
                   "'infinity'::timestamp AS inf, TIME '06:00:00' AS tm, 'ok'::name AS nm, "
                   "'{1,2}'::int[] AS arr");
    const auto f = rs->get_Fields();
    using T = ado::DataType;
    const std::tuple<const char*, T, Variant> expected[] = {
        {"b", T::adLongVarBinary, std::string("\0\xff", 2)},
        {"o", T::adBigInt, vb::Long(123)},
        {"inf", T::adDate, "infinity"}, // no date can hold it: kept as its text
        {"tm", T::adDate, vb::Date{0.25}},
        {"nm", T::adVarWChar, "ok"},
        {"arr", T::adLongVarWChar, "{1,2}"},
    };
    for (const auto& [name, type, value] : expected) {
        EXPECT_EQ(f->get_Item(name)->get_Type(), static_cast<vb::Long>(type)) << name;
        EXPECT_EQ(f->get_Item(name)->get_Value(), value) << name;
    }
    EXPECT_TRUE(std::isnan(std::get<vb::Double>(f->get_Item("nan")->get_Value().storage())));
    rs->Find("[nan] = 0");
    EXPECT_TRUE(rs->get_EOF());
}

// What a row source leaves outside its transaction goes when the fetch ends,
// whether it succeeded or failed: another session can take the lock.
TEST_P(PgSessionTest, EachFetchEndsWithTheSessionReset)
{
    const auto cs = ado::ConnectionString::parse(cnstr());
    const auto first = ado::open_session(cs, "", "");
    const auto second = ado::open_session(cs, "", "");
    const auto value = [](const ado::Table& t) { return t.column(0).text(0); };
    (void)first->fetch("SELECT pg_advisory_lock(4242)", {});
    EXPECT_VB_ERROR((void)first->fetch("SELECT CASE WHEN pg_advisory_lock(4243) IS NULL THEN 0 "
                                       "ELSE 1 / (x - 1) END FROM (VALUES (1)) v(x)",
                        {}),
        err::AdoCommandError);
    EXPECT_EQ(value(*second->fetch("SELECT CAST(pg_try_advisory_lock(4242) AND "
                                   "pg_try_advisory_lock(4243) AS TEXT)",
                  {})),
        "true");
}

// A role that may do more than read is refused at Open, naming what it may
// do and the key that allows it.
TEST_P(PgSessionTest, RolesThatMayDoMoreThanReadAreRefusedUnlessTrusted)
{
    const std::string reader = "User ID=pendrel_reader";
    const auto as = [&](const std::string& user, const std::string& more = "") {
        std::string cs = cnstr();
        cs.replace(cs.find(reader), reader.size(), "User ID=" + user);
        return cs + more;
    };
    struct Row {
        const char* name;
        std::string cnstr;
        std::string refusal; // empty: opens
    };
    const Row rows[] = {
        {"SelectOnly", as("pendrel_reader", ";Trusted Role=No"), ""},
        {"SignalsOthers", as("pendrel_signaller"), "(pg_read_server_files, pg_signal_backend)"},
        {"Superuser", as("pendrel_admin"), "pg_write_server_files, superuser)"},
        {"Trusted", as("pendrel_signaller", ";Trusted Role=Yes"), ""},
        {"NeitherYesNorNo", as("pendrel_reader", ";Trusted Role=Maybe"), "Yes or No"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ado::Connection c;
        if (row.refusal.empty()) {
            c.Open(row.cnstr);
            EXPECT_EQ(c.fetch("SELECT 1 AS one")->row_count(), 1U);
            continue;
        }
        const auto e = error_of([&] { c.Open(row.cnstr); });
        EXPECT_EQ(e.number(), err::UnspecifiedError);
        EXPECT_NE(e.description().find(row.refusal), std::string::npos) << e.description();
        EXPECT_NE(e.description().find("Trusted Role"), std::string::npos) << e.description();
    }
}

INSTANTIATE_TEST_SUITE_P(Server, PgSessionTest,
    ::testing::Values(pendrel::test::Backend::PostgreSQL), pendrel::test::backend_name);

} // namespace
