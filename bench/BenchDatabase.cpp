#include "BenchDatabase.h"

#include <cstdio>
#include <memory>
#include <random>
#include <stdexcept>
#include <unistd.h>

#include <sqlite3.h>

namespace pendrel::bench {

namespace {

// Bump when the table's content changes, so old cached files are not used.
constexpr int k_version = 1;

const char* const k_first[] = {"Ann", "Bob", "Carla", "Dirk", "Eva", "Frank", "Greta", "Hans",
    "Ilse", "Jan", "Karin", "Lars", "Marta", "Niels", "Olga", "Piet", "Rosa", "Sven", "Tineke",
    "Uwe", "Vera", "Willem", "Zoë", "Łukasz", "Ömer", "José", "Anaïs", "Søren"};
const char* const k_last[] = {"Smith", "Jansen", "de Vries", "van Dijk", "Bakker", "Visser", "Smit",
    "Meijer", "de Boer", "Mulder", "Müller", "Schmidt", "O'Brien", "Nowak", "Kowalski", "Dubois",
    "García", "Rossi", "Berg", "Lindqvist", "Novák", "Zeller", "Yilmaz", "Hansen"};

struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct StmtFinalizer {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};

void exec(sqlite3* db, const char* sql)
{
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string("bench database: ") + sqlite3_errmsg(db));
}

void fill(sqlite3* db, std::size_t rows)
{
    exec(db,
        "CREATE TABLE t (id INTEGER PRIMARY KEY, name TEXT, code CHAR(10), qty INTEGER, price "
        "REAL, created DATE)");
    exec(db, "BEGIN");
    sqlite3_stmt* raw = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO t VALUES (?, ?, ?, ?, ?, ?)", -1, &raw, nullptr);
    const std::unique_ptr<sqlite3_stmt, StmtFinalizer> insert(raw);
    std::mt19937_64 rng(42);
    char code[11];
    char date[11];
    for (std::size_t i = 1; i <= rows; ++i) {
        const std::string name = std::string(k_first[rng() % std::size(k_first)]) + " "
            + k_last[rng() % std::size(k_last)];
        std::snprintf(code, sizeof code, "%c%c%08u", char('A' + rng() % 26), char('A' + rng() % 26),
            static_cast<unsigned>(rng() % 100000000));
        std::snprintf(date, sizeof date, "%04u-%02u-%02u",
            2000U + static_cast<unsigned>(rng() % 26), 1U + static_cast<unsigned>(rng() % 12),
            1U + static_cast<unsigned>(rng() % 28));
        sqlite3_bind_int64(insert.get(), 1, static_cast<sqlite3_int64>(i));
        sqlite3_bind_text(insert.get(), 2, name.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert.get(), 3, code, -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(insert.get(), 4, static_cast<sqlite3_int64>(rng() % 1000));
        sqlite3_bind_double(insert.get(), 5, static_cast<double>(rng() % 100000) / 100);
        sqlite3_bind_text(insert.get(), 6, date, -1, SQLITE_TRANSIENT);
        if (sqlite3_step(insert.get()) != SQLITE_DONE)
            throw std::runtime_error(std::string("bench database: ") + sqlite3_errmsg(db));
        sqlite3_reset(insert.get());
    }
    exec(db, "COMMIT");
}

} // namespace

std::filesystem::path bench_database(std::size_t rows)
{
    const auto folder = std::filesystem::temp_directory_path() / "pendrel-bench";
    std::filesystem::create_directories(folder);
    const auto file
        = folder / ("t-v" + std::to_string(k_version) + "-" + std::to_string(rows) + ".db");
    if (std::filesystem::exists(file))
        return file;
    // Built under another name and renamed, so an interrupted run leaves
    // no half-filled file behind.
    const auto partial
        = folder / (file.filename().string() + "." + std::to_string(::getpid()) + ".partial");
    std::filesystem::remove(partial);
    {
        sqlite3* raw = nullptr;
        sqlite3_open(partial.c_str(), &raw);
        const std::unique_ptr<sqlite3, DbCloser> db(raw);
        fill(db.get(), rows);
    }
    std::filesystem::rename(partial, file);
    return file;
}

std::string bench_connection_string(std::size_t rows)
{
    return "Provider=SQLite;Data Source=" + bench_database(rows).string();
}

} // namespace pendrel::bench
