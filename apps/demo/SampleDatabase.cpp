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

} // namespace

void ensure_sample_database(
    const std::filesystem::path& database, const std::filesystem::path& sql_file)
{
    if (std::filesystem::exists(database))
        return;
    const std::string sql = read_text(sql_file);
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

} // namespace demo
