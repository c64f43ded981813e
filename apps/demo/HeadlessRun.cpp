#include <SDL_events.h>

#include <algorithm>
#include <iostream>

#include "OrderForm.h"
#include "Runs.h"
#include "Script.h"
#include "pendrel/Morvex.h"
#include "platform/ado/Recordset.h"
#include "platform/gfx/Compositor.h"
#include "platform/grid/DataGrid.h"
#include "platform/present/Input.h"
#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"

namespace demo {

namespace {

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
    const auto& display = win::WindowManager::the().display();
    around = {std::max(0, std::min(around.left, list.left) - margin),
        std::max(0, std::min(around.top, list.top) - margin),
        std::min(display.width, std::max(around.right, list.right) + margin),
        std::min(display.height, std::max(around.bottom, list.bottom) + margin)};
    auto& compositor = gfx::Compositor::the();
    compositor.render();
    compositor.screen().write_png(png, around);
    std::cout << "  picture:       " << png.string() << '\n';
}

void describe_controls(OrderForm& form)
{
    for (const char* name : {"cboPlace", "cboDestination"}) {
        auto& control = pendrel::Morvex::of(form.site(name));
        std::cout << name << '\n'
                  << "  ColumnCount:   " << control.get_ColumnCount() << '\n'
                  << "  RecordCount:   " << control.get_Recordset()->get_RecordCount() << '\n'
                  << "  ColumnWidths:  " << control.get_ColumnWidths() << " (ListWidth "
                  << control.get_ListWidth() << " twips)\n";
    }
}

void built_in_run(OrderForm& form, ScriptPlayer& play, const std::filesystem::path& out)
{
    using K = Action::Kind;
    auto& place = form.place();
    std::cout << "cboPlace, used with the keyboard and the mouse\n";
    play.run({K::click, "cboPlace.button"});
    describe_list(place);
    play.run({K::type, "Ro"});
    describe_field(place);
    write_picture(out / "demo-form.png", place);
    play.run({K::move, "list.row2"});
    write_picture(out / "demo-hover.png", place);
    play.run({K::click, "list.row2"});
    describe_field(place);
    describe_list(place);
    write_picture(out / "demo-picked.png", place);
    std::cout << "cboDestination\n";
    play.run({K::click, "cboDestination.button"});
    describe_list(form.destination());
    write_picture(out / "demo-list-above.png", form.destination());
    vb::Integer close = 0;
    form.destination().ShowDropDown(close);
}

} // namespace

int run_headless(OrderForm& form, const Options& options)
{
    describe_controls(form);
    // The presenter's own translation of device events, without a window.
    present::InputTranslator translator(1);
    ScriptPlayer play(
        form,
        [&](SDL_Event& e) {
            translator.handle(e);
            win::PumpMessages();
        },
        1);
    play.on_wait_idle = [] { win::PumpMessages(); };
    play.on_snapshot = [](const std::filesystem::path& file) {
        gfx::Compositor::the().write_png(file);
        std::cout << "  snapshot:      " << file.string() << '\n';
    };
    if (!options.script) {
        built_in_run(form, play, options.folder);
        return 0;
    }
    bool quit = false;
    play.on_quit = [&] { quit = true; };
    for (const Action& a : read_script(*options.script)) {
        play.run(a);
        if (quit)
            break;
    }
    return 0;
}

} // namespace demo
