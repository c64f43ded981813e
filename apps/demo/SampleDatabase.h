#pragma once
// The demo's sample data: an SQLite file made once from the SQL text that
// ships with the project (data/places.sql), or made up in any number of
// rows to feel the control at size.

#include <cstddef>
#include <filesystem>

namespace demo {

// Makes `database` from `sql_file` unless it exists already. The file is
// built under a temporary name and renamed into place when complete, so an
// interrupted run never leaves half a database behind. Throws
// std::runtime_error naming the file and SQLite's message on failure.
void ensure_sample_database(
    const std::filesystem::path& database, const std::filesystem::path& sql_file);

// Makes `database` with a table places of `rows` generated rows, shaped as
// the sample's (id, name, code, population, surveyed), unless it exists.
// Names are mostly distinct: a made-up family name, a place and a number.
void ensure_generated_database(const std::filesystem::path& database, std::size_t rows);

} // namespace demo
