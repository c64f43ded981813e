#pragma once
// The embedded database as a provider: "Provider=SQLite;Data Source=<file>"
// with an optional "Mode=Read" that opens the file read-only. The file must
// exist; none is ever created.

#include <memory>

#include "platform/ado/Session.h"

namespace ado {

[[nodiscard]] std::unique_ptr<Session> open_sqlite(const ConnectionString& cs);

} // namespace ado
