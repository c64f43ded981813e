#pragma once
// The benchmarks' SQLite database: a table
//   t (id INTEGER PRIMARY KEY, name VARCHAR(80), code CHAR(10), qty INTEGER,
//      price REAL, created DATE, note TEXT)
// of realistic random rows (mostly distinct names, repeated codes, Nulls),
// generated once per row count and kept in the temporary folder for later
// runs.

#include <cstddef>
#include <filesystem>
#include <string>

namespace pendrel::bench {

// The database file with `rows` rows, made if it is not there yet.
[[nodiscard]] std::filesystem::path bench_database(std::size_t rows);

[[nodiscard]] std::string bench_connection_string(std::size_t rows);

} // namespace pendrel::bench
