#pragma once
// The demo's command line.
//
//   pendrel-demo [--png DIR] [--script FILE] [--db SQLITE-FILE|CONNECTION] [--rows N] [--scale N]

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace demo {

struct Options {
    // Where the pictures and the sample database go (--png DIR, or --out DIR).
    std::filesystem::path folder = std::filesystem::current_path() / "demo-output";
    // --png given: no window, whatever the display.
    bool png = false;
    std::optional<std::filesystem::path> script;
    // A connection string ("Provider=...") or an SQLite file; empty: the sample.
    std::string db;
    // Rows of a generated table instead of the sample (0: the sample).
    std::size_t rows = 0;
    // Window pixels per screen pixel; 0: from the monitor.
    int scale = 0;
};

// Parses the arguments; prints the usage and exits for --help, and for a
// wrong argument (status 2).
[[nodiscard]] Options parse_options(int argc, char** argv);

// The connection string the controls get.
[[nodiscard]] std::string connection_string(
    const Options& options, const std::filesystem::path& source_dir);

} // namespace demo
