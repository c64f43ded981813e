// The demo: a form with one Morvex over the bundled sample data.
//
//   pendrel-demo [--out DIR]
//
// Makes the sample SQLite database from data/places.sql the first time,
// loads the form data/frmDemo.frm with its two Morvex controls, gives each
// the connection string and a row source, opens its list with a click on
// its button and writes a PNG of the screen around the control and its open
// list: demo-form.png (the list below its control) and demo-list-above.png
// (a control near the bottom of the work area, its list above it).
#include <algorithm>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>

#include "SampleDatabase.h"
#include "pendrel/Morvex.h"
#include "platform/ado/Recordset.h"
#include "platform/controls/CommandButton.h"
#include "platform/gfx/Compositor.h"
#include "platform/grid/DataGrid.h"
#include "platform/host/Form.h"
#include "platform/vb/Error.h"
#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"

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

// Opens a control's list the way a person does, with a click on its
// button, and describes where the list went.
void open_list(const pendrel::Morvex& control)
{
    win::RECT button{};
    win::GetWindowRect(control.DropdownButton().get_hWnd(), &button);
    const win::POINT centre{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    win::WindowManager::the().inject_button_down(centre);
    win::WindowManager::the().inject_button_up(centre);
    win::PumpMessages();
}

void describe_list(const pendrel::Morvex& control)
{
    win::RECT list{};
    win::RECT field{};
    win::GetWindowRect(control.DropdownList().get_hWnd(), &list);
    win::GetWindowRect(control.get_hwnd(), &field);
    std::cout << "  list:          " << list.width() << " x " << list.height() << " px at ("
              << list.left << ", " << list.top << "), "
              << (list.top > field.top ? "below" : "above") << " the control, "
              << (win::IsWindowVisible(control.DropdownList().get_hWnd()) ? "open" : "closed")
              << '\n';
}

// The screen around the control and its open list.
void write_picture(const std::filesystem::path& png, const pendrel::Morvex& control)
{
    constexpr int margin = 24;
    win::RECT list{};
    win::RECT around{};
    win::GetWindowRect(control.DropdownList().get_hWnd(), &list);
    win::GetWindowRect(control.get_hwnd(), &around);
    around = {std::min(around.left, list.left) - margin, std::min(around.top, list.top) - margin,
        std::max(around.right, list.right) + margin, std::max(around.bottom, list.bottom) + margin};
    auto& compositor = gfx::Compositor::the();
    compositor.render();
    compositor.screen().write_png(png, around);
    std::cout << "  picture:       " << png.string() << '\n';
}

int run(const std::filesystem::path& out)
{
    const std::filesystem::path source(PENDREL_SOURCE_DIR);
    const auto database = out / "places.db";
    demo::ensure_sample_database(database, source / "data" / "places.sql");

    // The form as it was designed: the controls read their stored settings.
    host::ControlClasses classes;
    classes.add(std::string(pendrel::Morvex::k_class_name), pendrel::Morvex::factory());
    auto form = host::Form::load(source / "data" / "frmDemo.frm", classes, {100, 100, 520, 1000});
    form->Show();
    const std::string connection
        = "Provider=SQLite;Data Source=" + database.string() + ";Mode=Read";
    const std::string rows
        = "SELECT id, name, code, population, surveyed FROM places ORDER BY name";
    std::cout << "Pendrel demo\n"
              << "  database:      " << database.string() << '\n'
              << "  row source:    " << rows << '\n';

    int picture = 0;
    for (const char* name : {"cboPlace", "cboDestination"}) {
        auto& control = pendrel::Morvex::of(*form->find(name));
        control.let_CnStr(connection);
        control.let_RowSource(rows);
        std::cout << name << '\n'
                  << "  ColumnCount:   " << control.get_ColumnCount() << '\n'
                  << "  RecordCount:   " << control.get_Recordset()->get_RecordCount() << '\n'
                  << "  ColumnWidths:  " << control.get_ColumnWidths() << " (ListWidth "
                  << control.get_ListWidth() << " twips)\n";
        open_list(control);
        describe_list(control);
        write_picture(out / (++picture == 1 ? "demo-form.png" : "demo-list-above.png"), control);
        vb::Integer close = 0;
        control.ShowDropDown(close);
    }
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
