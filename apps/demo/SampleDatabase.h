#pragma once
// The demo's sample data: an SQLite file made once from the SQL text that
// ships with the project (data/places.sql).

#include <filesystem>

namespace demo {

// Makes `database` from `sql_file` unless it exists already. The file is
// built under a temporary name and renamed into place when complete, so an
// interrupted run never leaves half a database behind. Throws
// std::runtime_error naming the file and SQLite's message on failure.
void ensure_sample_database(
    const std::filesystem::path& database, const std::filesystem::path& sql_file);

} // namespace demo
