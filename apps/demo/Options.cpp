#include "Options.h"

#include <charconv>
#include <cstdlib>
#include <iostream>
#include <string_view>

#include "SampleDatabase.h"

namespace demo {

namespace {

constexpr const char* k_usage = R"(usage: pendrel-demo [options]

With a display the demo opens the order form in a window; without one, or
with --png, it uses the form with injected input and writes pictures.

  --png DIR       no window: write the pictures into DIR (also --out DIR)
  --script FILE   replay a script of input (docs/Scripts.md) instead of the
                  built-in run; in the window, then stay open
  --db DB         an SQLite file, or a connection string
                  ("Provider=PostgreSQL;Host=...;Database=...") with a
                  table places as data/places.sql makes it
  --rows N        a generated table of N places (mostly distinct names)
  --scale N       window pixels per screen pixel (default: from the monitor)
)";

[[noreturn]] void usage_error(std::string_view what)
{
    std::cerr << "pendrel-demo: " << what << "\n" << k_usage;
    std::exit(2);
}

long long number(std::string_view text, std::string_view option)
{
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value < 0)
        usage_error(std::string(option) + " wants a number, not '" + std::string(text) + "'");
    return value;
}

} // namespace

Options parse_options(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << k_usage;
            std::exit(0);
        }
        if (i + 1 >= argc)
            usage_error("unknown argument or missing value '" + std::string(arg) + "'");
        const std::string_view value = argv[++i];
        if (arg == "--png" || arg == "--out") {
            o.folder = value;
            o.png = o.png || arg == "--png";
        } else if (arg == "--script") {
            o.script = value;
        } else if (arg == "--db") {
            o.db = value;
        } else if (arg == "--rows") {
            o.rows = static_cast<std::size_t>(number(value, arg));
        } else if (arg == "--scale") {
            o.scale = static_cast<int>(number(value, arg));
        } else {
            usage_error("unknown argument '" + std::string(arg) + "'");
        }
    }
    return o;
}

std::string connection_string(const Options& o, const std::filesystem::path& source_dir)
{
    if (o.db.find("Provider=") != std::string::npos)
        return o.db;
    std::filesystem::path file = o.db;
    if (o.rows > 0) {
        file = o.folder / ("places-" + std::to_string(o.rows) + ".db");
        ensure_generated_database(file, o.rows);
    } else if (file.empty()) {
        file = o.folder / "places.db";
        ensure_sample_database(file, source_dir / "data" / "places.sql");
    }
    return "Provider=SQLite;Data Source=" + file.string() + ";Mode=Read";
}

} // namespace demo
