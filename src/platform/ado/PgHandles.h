#pragma once
// Owners of the PostgreSQL client library's handles.

#include <memory>

#include <libpq-fe.h>

namespace ado {

struct PgFinisher {
    void operator()(PGconn* conn) const { PQfinish(conn); }
};
struct PgClearer {
    void operator()(PGresult* result) const { PQclear(result); }
};
struct PgCancelFreer {
    void operator()(PGcancel* cancel) const { PQfreeCancel(cancel); }
};

using PgConn = std::unique_ptr<PGconn, PgFinisher>;
using PgResult = std::unique_ptr<PGresult, PgClearer>;
using PgCancel = std::unique_ptr<PGcancel, PgCancelFreer>;

} // namespace ado
