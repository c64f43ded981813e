// The demo: a form with one Morvex over the bundled sample data.
//
//   pendrel-demo [--out DIR]
//
// Makes the sample SQLite database from data/places.sql the first time,
// places a Morvex on a form, gives it the connection string and a row
// source, prints what the control reports and writes a PNG of the form.
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>

#include "SampleDatabase.h"
#include "pendrel/Morvex.h"
#include "platform/ado/Recordset.h"
#include "platform/gfx/Compositor.h"
#include "platform/host/Form.h"
#include "platform/vb/Error.h"

#ifndef PENDREL_SOURCE_DIR
#define PENDREL_SOURCE_DIR "."
#endif

namespace {

std::filesystem::path output_folder(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--out" && i + 1 < argc)
            return argv[i + 1];
        if (arg == "--help" || arg == "-h") {
            std::cout << "usage: pendrel-demo [--out DIR]\n";
            std::exit(0);
        }
        std::cerr << "pendrel-demo: unknown argument '" << arg << "'\n";
        std::exit(2);
    }
    return std::filesystem::current_path() / "demo-output";
}

int run(const std::filesystem::path& out)
{
    const auto database = out / "places.db";
    demo::ensure_sample_database(
        database, std::filesystem::path(PENDREL_SOURCE_DIR) / "data" / "places.sql");

    host::Form form("frmDemo", {100, 100, 520, 400});
    auto& place = pendrel::Morvex::of(
        form.add_control("cboPlace", pendrel::Morvex::factory(), {360, 480, 4200, 375}));
    form.Show();

    place.let_ColumnWidths("0;50;15;20;15");
    place.let_CnStr("Provider=SQLite;Data Source=" + database.string() + ";Mode=Read");
    place.let_RowSource("SELECT id, name, code, population, surveyed FROM places ORDER BY name");

    std::cout << "Pendrel demo\n"
              << "  database:      " << database.string() << '\n'
              << "  row source:    " << place.get_RowSource() << '\n'
              << "  ColumnCount:   " << place.get_ColumnCount() << '\n'
              << "  RecordCount:   " << place.get_Recordset()->get_RecordCount() << '\n';

    place.let_Text("Zürich");
    const auto png = out / "demo-form.png";
    gfx::Compositor::the().write_png(png, form.hwnd());
    std::cout << "  form picture:  " << png.string() << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return run(output_folder(argc, argv));
    } catch (const vb::Error& e) {
        std::cerr << "pendrel-demo: error " << e.number() << ": " << e.description() << '\n';
    } catch (const std::exception& e) {
        std::cerr << "pendrel-demo: " << e.what() << '\n';
    }
    return 1;
}
