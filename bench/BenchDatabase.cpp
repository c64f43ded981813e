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
constexpr int k_version = 2;

// Names as a register of people holds them: a surname (1,600, a good part
// of them with letters beyond ASCII), a place and a house number, so that
// nearly every name is distinct, as in users' data.
const char* const k_surname_starts[] = {"Ber", "Bak", "Dijk", "Jans", "Kow", "Lind", "Mül", "Nov",
    "Schm", "Vis", "Wes", "Zel", "Øst", "Łuk", "Gar", "Ros", "Duf", "Kar", "Hof", "Brou", "Smed",
    "Ott", "Pel", "Quin", "Rad", "Sto", "Ter", "Ulr", "Val", "Wij", "Yil", "Zim", "Ahl", "Bö", "Cz",
    "Dom", "Eck", "Fal", "Gö", "Hav"};
const char* const k_surname_ends[] = {"sen", "man", "ström", "ski", "er", "ová", "ez", "ini",
    "hoff", "berg", "stra", "kamp", "ić", "ens", "aud", "elli", "sson", "quist", "ak", "dorf",
    "mann", "enko", "oglu", "ás", "ers", "veld", "rich", "ling", "wicz", "ot", "ard", "ach", "ey",
    "ton", "ière", "os", "ek", "au", "in", "um"};
const char* const k_places[] = {"Amsterdam", "Antwerpen", "Bergen", "Bologna", "Brno", "Cádiz",
    "Debrecen", "Delft", "Dresden", "Esbjerg", "Faro", "Gdańsk", "Genève", "Graz", "Haarlem",
    "Innsbruck", "Jönköping", "Kraków", "Köln", "Leiden", "Liège", "Lyon", "Malmö", "München",
    "Nantes", "Nijmegen", "Odense", "Oulu", "Porto", "Poznań", "Reims", "Riga", "Salzburg",
    "Sevilla", "Tartu", "Tilburg", "Toruń", "Turku", "Utrecht", "Valencia", "Vilnius", "Wrocław",
    "Zagreb", "Zürich", "Århus", "Łódź", "Ålesund", "Évora", "Ílhavo", "Škofja Loka"};

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

// id INTEGER PRIMARY KEY, name VARCHAR(80) (mostly distinct), code CHAR(10)
// (a few hundred codes, repeated), qty INTEGER, price REAL, created DATE,
// note TEXT (Null in about a third of the rows).
void fill(sqlite3* db, std::size_t rows)
{
    exec(db,
        "CREATE TABLE t (id INTEGER PRIMARY KEY, name VARCHAR(80), code CHAR(10), qty INTEGER, "
        "price REAL, created DATE, note TEXT)");
    exec(db, "BEGIN");
    sqlite3_stmt* raw = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO t VALUES (?, ?, ?, ?, ?, ?, ?)", -1, &raw, nullptr);
    const std::unique_ptr<sqlite3_stmt, StmtFinalizer> insert(raw);
    std::mt19937_64 rng(42);
    char code[11];
    char date[11];
    const auto pick = [&](const auto& list) { return std::string(list[rng() % std::size(list)]); };
    for (std::size_t i = 1; i <= rows; ++i) {
        const std::string name = pick(k_surname_starts) + pick(k_surname_ends) + " "
            + pick(k_places) + " " + std::to_string(1 + rng() % 9999);
        std::snprintf(code, sizeof code, "%c%c%03u", char('A' + rng() % 26), char('A' + rng() % 2),
            static_cast<unsigned>(rng() % 10));
        std::snprintf(date, sizeof date, "%04u-%02u-%02u",
            2000U + static_cast<unsigned>(rng() % 26), 1U + static_cast<unsigned>(rng() % 12),
            1U + static_cast<unsigned>(rng() % 28));
        const std::string note = "note " + std::to_string(rng() % 100000);
        sqlite3_bind_int64(insert.get(), 1, static_cast<sqlite3_int64>(i));
        sqlite3_bind_text(insert.get(), 2, name.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert.get(), 3, code, -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(insert.get(), 4, static_cast<sqlite3_int64>(rng() % 1000));
        sqlite3_bind_double(insert.get(), 5, static_cast<double>(rng() % 100000) / 100);
        sqlite3_bind_text(insert.get(), 6, date, -1, SQLITE_TRANSIENT);
        if (rng() % 3 == 0)
            sqlite3_bind_null(insert.get(), 7);
        else
            sqlite3_bind_text(insert.get(), 7, note.c_str(), -1, SQLITE_TRANSIENT);
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
    // Ten million rows pass the default budget of 512 MB and, on a busy
    // machine, the default ten seconds, as a host showing that many would
    // say. The time limit stays on: checking it is part of the cost.
    return "Provider=SQLite;Data Source=" + bench_database(rows).string()
        + ";Max Recordset MB=4096;Command Timeout=600";
}

} // namespace pendrel::bench
