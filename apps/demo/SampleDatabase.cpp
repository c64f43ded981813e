#include "SampleDatabase.h"

#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>

#include <sqlite3.h>

namespace demo {

namespace {

struct SqliteCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};

std::string read_text(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read the sample data " + file.string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void build(const std::filesystem::path& target, const std::string& sql)
{
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(
        target.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    std::unique_ptr<sqlite3, SqliteCloser> db(raw);
    if (rc != SQLITE_OK)
        throw std::runtime_error("cannot create " + target.string() + ": " + sqlite3_errstr(rc));
    char* message = nullptr;
    if (sqlite3_exec(db.get(), sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        std::string what = message != nullptr ? message : "unknown error";
        sqlite3_free(message);
        throw std::runtime_error(
            "cannot load the sample data into " + target.string() + ": " + what);
    }
}

// Builds the database under a temporary name and renames it into place.
void make(const std::filesystem::path& database, const std::string& sql)
{
    std::filesystem::create_directories(database.parent_path());
    const std::filesystem::path partial = database.string() + ".partial";
    std::filesystem::remove(partial);
    try {
        build(partial, sql);
    } catch (...) {
        std::filesystem::remove(partial);
        throw;
    }
    std::filesystem::rename(partial, database);
}

// Family names from a start and an end, places, and a number: nearly every
// name distinct, as in users' data; spread over the alphabet.
constexpr const char* k_generated_places = R"(
CREATE TABLE places (
  id INTEGER PRIMARY KEY,
  name VARCHAR(60) NOT NULL,
  code CHAR(5) NOT NULL,
  population INTEGER,
  surveyed DATE
);
CREATE TEMP TABLE starts (k INTEGER PRIMARY KEY, v TEXT);
INSERT INTO starts (v) VALUES ('Ber'), ('Bak'), ('Dijk'), ('Jans'), ('Kow'), ('Lind'), ('Mül'),
  ('Nov'), ('Schm'), ('Vis'), ('Wes'), ('Zel'), ('Øst'), ('Łuk'), ('Gar'), ('Ros'), ('Duf'),
  ('Kar'), ('Hof'), ('Brou'), ('Smed'), ('Ott'), ('Pel'), ('Quin'), ('Rad'), ('Sto'), ('Ter'),
  ('Ulr'), ('Val'), ('Wij'), ('Yil'), ('Zim'), ('Ahl'), ('Bö'), ('Cz'), ('Dom'), ('Eck'), ('Fal'),
  ('Gö'), ('Hav');
CREATE TEMP TABLE ends (k INTEGER PRIMARY KEY, v TEXT);
INSERT INTO ends (v) VALUES ('sen'), ('man'), ('ström'), ('ski'), ('er'), ('ová'), ('ez'),
  ('ini'), ('hoff'), ('berg'), ('stra'), ('kamp'), ('ić'), ('ens'), ('aud'), ('elli'), ('sson'),
  ('quist'), ('ak'), ('dorf');
CREATE TEMP TABLE towns (k INTEGER PRIMARY KEY, v TEXT);
INSERT INTO towns (v) VALUES ('Amsterdam'), ('Bergen'), ('Bologna'), ('Cádiz'), ('Delft'),
  ('Gdańsk'), ('Genève'), ('Haarlem'), ('Jönköping'), ('Kraków'), ('Liège'), ('Malmö'),
  ('Nijmegen'), ('Porto'), ('Riga'), ('Toruń'), ('Utrecht'), ('Zürich'), ('Łódź'), ('Évora');
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < @ROWS@)
INSERT INTO places
SELECT i,
  (SELECT v FROM starts WHERE k = 1 + i % 40) || (SELECT v FROM ends WHERE k = 1 + (i / 40) % 20)
    || ' ' || (SELECT v FROM towns WHERE k = 1 + (i / 800) % 20) || ' ' || (1 + (i * 7919) % 9973),
  char(65 + i % 26) || char(65 + (i / 26) % 26) || printf('%03d', i % 1000),
  1000 + (i * 7919) % 900000,
  date('2019-01-01', '+' || (i % 2500) || ' days')
FROM n;
)";

} // namespace

void ensure_sample_database(
    const std::filesystem::path& database, const std::filesystem::path& sql_file)
{
    if (!std::filesystem::exists(database))
        make(database, read_text(sql_file));
}

void ensure_generated_database(const std::filesystem::path& database, std::size_t rows)
{
    if (std::filesystem::exists(database))
        return;
    std::string sql = std::string("BEGIN;") + k_generated_places + "COMMIT;";
    sql.replace(sql.find("@ROWS@"), 6, std::to_string(rows));
    make(database, sql);
}

} // namespace demo
