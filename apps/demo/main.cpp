// The demo: a form with one Morvex over the bundled sample data.
//
//   pendrel-demo [--out DIR]
//
// Makes the sample SQLite database from data/places.sql the first time,
// loads the form data/frmDemo.frm with its two Morvex controls and gives
// each the connection string and a row source. Then, as a person would, with
// injected input: opens the first control's list with a click on its button
// and types "Ro" (demo-form.png: the completed text, its typed part
// selected, the matching row current in the open list), moves the pointer
// over a row (demo-hover.png: that row highlighted) and clicks it
// (demo-picked.png: its text in the closed control). Every event the
// control raises is printed as it comes. The second control sits near the
// bottom of the work area; its list opens above it (demo-list-above.png).
#include <algorithm>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "SampleDatabase.h"
#include "pendrel/Morvex.h"
#include "platform/ado/Recordset.h"
#include "platform/controls/CommandButton.h"
#include "platform/gfx/Compositor.h"
#include "platform/grid/DataGrid.h"
#include "platform/host/Events.h"
#include "platform/host/Form.h"
#include "platform/vb/Convert.h"
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

win::POINT centre_of(win::HWND hwnd)
{
    win::RECT r{};
    win::GetWindowRect(hwnd, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void click(win::POINT screen)
{
    auto& wm = win::WindowManager::the();
    wm.inject_mouse_move(screen);
    wm.inject_button_down(screen);
    wm.inject_button_up(screen);
    win::PumpMessages();
}

// Opens a control's list the way a person does, with a click on its
// button.
void open_list(const pendrel::Morvex& control)
{
    click(centre_of(control.DropdownButton().get_hWnd()));
}

// Letters and digits, each pressed and released as a key.
void type(std::string_view text)
{
    auto& wm = win::WindowManager::the();
    for (const char c : text) {
        const int key = c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
        wm.inject_key_down(key);
        wm.inject_char(static_cast<char32_t>(c));
        wm.inject_key_up(key);
        win::PumpMessages();
    }
}

// The screen point of displayed row `row` of the open list.
win::POINT row_point(pendrel::Morvex& control, int row)
{
    auto& list = control.DropdownList();
    win::RECT r{};
    win::GetWindowRect(list.get_hWnd(), &r);
    for (int y = 0; y < r.height(); ++y) {
        if (list.RowContaining(static_cast<vb::Single>(y * 15)) == row)
            return {r.left + 40, r.top + y + 4};
    }
    return {r.left + 40, r.top + 4};
}

// Every event of the control, with its arguments, as the host receives it.
std::vector<host::Subscription> print_events(host::Site& site)
{
    std::vector<host::Subscription> subscriptions;
    for (const host::EventInfo& info : site.control().event_table()) {
        const std::string name(info.name);
        subscriptions.push_back(
            site.events().subscribe(info.id, [name](std::span<vb::Variant> args) {
                std::cout << "  event:         " << name;
                for (const vb::Variant& a : args)
                    std::cout << ' ' << vb::to_text(a);
                std::cout << '\n';
            }));
    }
    return subscriptions;
}

void describe_field(pendrel::Morvex& control)
{
    std::cout << "  text:          \"" << control.get_Text() << "\" (selected from "
              << control.get_SelStart() << ", " << control.get_SelLength() << " characters), row "
              << control.get_Recordset()->get_AbsolutePosition() << '\n';
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

// The first control, used by a person: open, type, hover, pick.
void use_first(pendrel::Morvex& control, host::Site& site, const std::filesystem::path& out)
{
    const auto subscriptions = print_events(site);
    control.let_AutoExpand(true);
    open_list(control);
    describe_list(control);
    type("Ro");
    describe_field(control);
    write_picture(out / "demo-form.png", control);
    win::WindowManager::the().inject_mouse_move(row_point(control, 2));
    win::PumpMessages();
    write_picture(out / "demo-hover.png", control);
    click(row_point(control, 2));
    describe_field(control);
    describe_list(control);
    write_picture(out / "demo-picked.png", control);
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

    for (const char* name : {"cboPlace", "cboDestination"}) {
        auto& control = pendrel::Morvex::of(*form->find(name));
        control.let_CnStr(connection);
        control.let_RowSource(rows);
        std::cout << name << '\n'
                  << "  ColumnCount:   " << control.get_ColumnCount() << '\n'
                  << "  RecordCount:   " << control.get_Recordset()->get_RecordCount() << '\n'
                  << "  ColumnWidths:  " << control.get_ColumnWidths() << " (ListWidth "
                  << control.get_ListWidth() << " twips)\n";
    }
    std::cout << "cboPlace, used with the keyboard and the mouse\n";
    use_first(pendrel::Morvex::of(*form->find("cboPlace")), *form->find("cboPlace"), out);
    std::cout << "cboDestination\n";
    auto& destination = pendrel::Morvex::of(*form->find("cboDestination"));
    open_list(destination);
    describe_list(destination);
    write_picture(out / "demo-list-above.png", destination);
    vb::Integer close = 0;
    destination.ShowDropDown(close);
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
