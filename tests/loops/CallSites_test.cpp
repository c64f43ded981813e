// Every call of the providers into their C libraries that can fail is made
// to fail: the embedded database answering BUSY, IOERR, CORRUPT or NOMEM,
// the server refusing the connection or ending the backend at each step of
// a fetch. Each failure reaches the caller as the error value, file
// descriptors and server connections go back to what they were, and the
// next clean fetch gives the rows. A site no row reaches fails the test.

#include <sqlite3.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/ado/CallSites.h"
#include "platform/ado/Session.h"
#include "platform/vb/ErrorNumbers.h"
#include "support/ado/AdoFixture.h"

namespace {

using ado::Site;
namespace err = vb::err;

std::size_t open_descriptors()
{
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd"))
        ++n;
    return n;
}

struct SiteRow {
    Site site;
    bool server;
    vb::Long number; // the error the caller gets
    const char* sql = "SELECT id, name FROM people";
    int after = 0; // reaches of the site that pass first
};

const SiteRow k_rows[] = {
    {Site::SqliteOpen, false, err::UnspecifiedError},
    {Site::SqliteSchemaPrepare, false, err::UnspecifiedError},
    {Site::SqliteSchemaStep, false, err::UnspecifiedError},
    {Site::SqlitePrepare, false, err::AdoCommandError},
    {Site::SqlitePrepareRest, false, err::AdoCommandError, "SELECT id, name FROM people; -- end"},
    {Site::SqliteStep, false, err::AdoCommandError},
    {Site::SqliteStep, false, err::AdoCommandError, "SELECT id, name FROM people", 5},
    {Site::PgConnect, true, err::UnspecifiedError},
    {Site::PgRolePowers, true, err::UnspecifiedError},
    {Site::PgBegin, true, err::UnspecifiedError},
    {Site::PgSend, true, err::UnspecifiedError},
    // Mid-fetch: rows have come when the backend ends.
    {Site::PgRows, true, err::UnspecifiedError,
        "SELECT g, repeat('x', 50) FROM generate_series(1, 20000) g", 100},
    // The reset after a fetch: the next fetch finds the link gone.
    {Site::PgReset, true, err::UnspecifiedError},
};

class CallSites : public pendrel::test::SqliteFileTest {
protected:
    // The server's sessions of this test, counted from a session of its own;
    // a backend whose link broke ends a moment later.
    [[nodiscard]] long server_sessions(long expected) const
    {
        long n = -1;
        for (int attempt = 0; attempt < 200 && n != expected; ++attempt) {
            if (attempt > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(25));
            const auto t = m_monitor->fetch("SELECT CAST(count(*) AS TEXT) FROM pg_stat_activity "
                                            "WHERE application_name = 'pendrel-call-sites'",
                {});
            n = std::stol(std::string(t->column(0).text(0)));
        }
        return n;
    }

    std::optional<std::string> m_pg = pendrel::test::pg_connection_string();
    std::unique_ptr<ado::Session> m_monitor;
};

TEST_F(CallSites, EachFailsIntoAnErrorAndLeavesNothingOpen)
{
    const char* require = std::getenv("PENDREL_REQUIRE_PG");
    if (!m_pg && require != nullptr && std::string_view(require) == "1")
        FAIL() << "PENDREL_REQUIRE_PG=1 but PENDREL_PG is not set";
    if (m_pg)
        m_monitor = ado::open_session(ado::ConnectionString::parse(*m_pg), "", "");
    const std::string server = m_pg ? *m_pg + ";application_name=pendrel-call-sites" : "";
    const std::size_t fds = open_descriptors();
    int cases = 0;
    for (const SiteRow& row : k_rows) {
        if (row.server && !m_pg)
            continue;
        const std::string cs = row.server ? server : cnstr();
        const std::vector<int> codes = row.server
            ? std::vector<int>{1}
            : std::vector<int>{SQLITE_BUSY, SQLITE_IOERR, SQLITE_CORRUPT, SQLITE_NOMEM};
        for (const int code : codes) {
            SCOPED_TRACE(std::string(ado::site_name(row.site)) + " " + std::to_string(code));
            {
                const ado::InjectedCallFailure failure(row.site, code, 1, row.after);
                const auto e = pendrel::test::error_of([&] {
                    auto connection = std::make_shared<ado::Connection>();
                    connection->Open(cs, "", "", -1);
                    (void)connection->fetch(row.sql);
                    (void)connection->fetch(row.sql);
                });
                EXPECT_EQ(e.number(), row.number) << e.description();
                EXPECT_FALSE(e.description().empty());
                EXPECT_EQ(failure.hits(), 1);
            }
            EXPECT_EQ(open_descriptors(), fds);
            if (row.server) {
                EXPECT_EQ(server_sessions(0), 0);
            }
            EXPECT_EQ(pendrel::test::open_recordset(cs, row.sql)->get_RecordCount(),
                row.after > 5 ? 20000 : 12);
            ++cases;
        }
    }
    for (const Site site : ado::k_all_sites) {
        const bool server_site = site >= Site::PgConnect;
        if (m_pg || !server_site) {
            EXPECT_GT(ado::times_reached(site), 0) << ado::site_name(site) << " is never reached";
        }
    }
    std::cout << "CallSites: " << ado::k_all_sites.size() << " sites, " << cases
              << " failures checked\n";
}

} // namespace
