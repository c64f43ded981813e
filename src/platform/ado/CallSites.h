#pragma once
// The places where the providers call their C libraries for a result they
// must check, each a seam where a test makes that call fail. Nothing is
// injected unless a test says so: reaching a site is one look at a
// per-thread record.
//
//   ado::InjectedCallFailure busy(ado::Site::SqliteStep, SQLITE_BUSY);
//   rs.Open(...);   // the first step of the rows answers SQLITE_BUSY
//
// An SQLite site answers the injected result code instead of calling the
// library. A PostgreSQL site breaks the link for real: the connection is
// pointed at a server that is not there, or the socket of an open session
// is shut down before the call, as when the server ends the backend.

#include <array>
#include <string_view>

namespace ado {

enum class Site {
    SqliteOpen,
    SqliteSchemaPrepare,
    SqliteSchemaStep,
    SqlitePrepare,
    SqlitePrepareRest, // what follows the first statement
    SqliteStep,
    PgConnect,
    PgRolePowers,
    PgBegin,
    PgSend,
    PgRows,
    PgReset,
};

inline constexpr std::array k_all_sites{Site::SqliteOpen, Site::SqliteSchemaPrepare,
    Site::SqliteSchemaStep, Site::SqlitePrepare, Site::SqlitePrepareRest, Site::SqliteStep,
    Site::PgConnect, Site::PgRolePowers, Site::PgBegin, Site::PgSend, Site::PgRows, Site::PgReset};

[[nodiscard]] std::string_view site_name(Site site);

// Counts the site as reached on this thread and returns the failure
// injected for it (a result code, or 1 for a PostgreSQL site), else 0.
[[nodiscard]] int injected_failure(Site site);

// How many times each site was reached on this thread.
[[nodiscard]] long times_reached(Site site);

// While the object lives, the site fails with `code` the next `times`
// times it is reached on this thread (every time for -1).
class InjectedCallFailure {
public:
    // `after`: reached that many times first without failing.
    InjectedCallFailure(Site site, int code, int times = 1, int after = 0);
    InjectedCallFailure(const InjectedCallFailure&) = delete;
    InjectedCallFailure& operator=(const InjectedCallFailure&) = delete;
    ~InjectedCallFailure();

    [[nodiscard]] int hits() const;

private:
    Site m_site;
};

} // namespace ado
