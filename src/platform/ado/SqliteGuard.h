#pragma once
// What keeps a row source of the embedded database to one read-only query:
// an authorizer that allows reading and nothing else (it records what it
// refused, so the error can say why), and the checks on a prepared
// statement: no second statement after it, read-only, returning columns,
// without parameters.

#include <string>
#include <string_view>

#include "platform/ado/SqliteHandles.h"

namespace ado {

class SqliteGuard {
public:
    // Installs the authorizer, forbids attaching databases and switches on
    // defensive mode on an open database. The guard must outlive `db`'s use.
    void install(sqlite3* db);

    // Prepares the one statement of a row source, or raises -2147217900
    // saying why it was refused (or -2147217904 for a missing column or an
    // unbound parameter).
    [[nodiscard]] SqliteStatement prepare(sqlite3* db, std::string_view sql);

private:
    static int authorize(
        void* self, int action, const char* a, const char* b, const char* db, const char* trigger);
    [[noreturn]] void raise_prepare_error(sqlite3* db, int rc) const;
    void refuse_second_statement(sqlite3* db, std::string_view tail) const;

    std::string m_refused; // what the authorizer last refused, or empty
};

} // namespace ado
