// A host program: a form with one Morvex over an SQLite file it makes.
//
//   pendrel-example [DATABASE]     (default: pendrel-example.db here)
//
// Prints the column and row counts the control reports for its row source.
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>

#include <sqlite3.h>

#include "pendrel/Morvex.h"
#include "platform/ado/Recordset.h"
#include "platform/host/Form.h"
#include "platform/vb/Error.h"

namespace {

constexpr const char* k_fruit = R"(
DROP TABLE IF EXISTS fruit;
CREATE TABLE fruit (id INTEGER PRIMARY KEY, name VARCHAR(20), colour VARCHAR(10));
INSERT INTO fruit VALUES (1, 'Cherry', 'red'), (2, 'Apple', 'green'), (3, 'Banana', 'yellow');
)";

void make_database(const std::filesystem::path& file)
{
    sqlite3* db = nullptr;
    int rc = sqlite3_open(file.c_str(), &db);
    char* message = nullptr;
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, k_fruit, nullptr, nullptr, &message);
    const std::string what = message != nullptr ? message : sqlite3_errstr(rc);
    sqlite3_free(message);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error("cannot make " + file.string() + ": " + what);
}

int run(const std::filesystem::path& database)
{
    make_database(database);

    host::Form form("frmExample", win::RECT{100, 100, 600, 400});
    auto& fruit = pendrel::Morvex::of(
        form.add_control("cboFruit", pendrel::Morvex::factory(), {120, 120, 3015, 375}));
    form.Show();

    fruit.let_CnStr("Provider=SQLite;Data Source=" + database.string());
    fruit.let_RowSource("SELECT id, name, colour FROM fruit ORDER BY name");
    std::cout << "ColumnCount: " << fruit.get_ColumnCount() << '\n'
              << "RecordCount: " << fruit.get_Recordset()->get_RecordCount() << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return run(argc > 1 ? argv[1] : "pendrel-example.db");
    } catch (const vb::Error& e) {
        std::cerr << "pendrel-example: error " << e.number() << ": " << e.description() << '\n';
    } catch (const std::exception& e) {
        std::cerr << "pendrel-example: " << e.what() << '\n';
    }
    return 1;
}
