#include "OrderForm.h"

#include <charconv>
#include <iostream>

#include "pendrel/Morvex.h"
#include "platform/controls/CommandButton.h"
#include "platform/controls/TextBox.h"
#include "platform/grid/DataGrid.h"
#include "platform/host/Form.h"
#include "platform/host/MessageBox.h"
#include "platform/host/MessageBoxDialog.h"
#include "platform/vb/Convert.h"
#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"

namespace demo {

namespace {

win::POINT centre(const win::RECT& r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::optional<win::POINT> centre_of(win::HWND hwnd)
{
    win::RECT r{};
    if (hwnd == 0 || !win::IsWindowVisible(hwnd) || !win::GetWindowRect(hwnd, &r))
        return std::nullopt;
    return centre(r);
}

// Row n (from 0) of an open list: the first pixel row the grid says lies in
// it, a few pixels down, 40 pixels in.
std::optional<win::POINT> row_point(const pendrel::Morvex& control, int row)
{
    auto& list = control.DropdownList();
    win::RECT r{};
    if (!win::IsWindowVisible(list.get_hWnd()) || !win::GetWindowRect(list.get_hWnd(), &r))
        return std::nullopt;
    const double twips = 1440.0 / win::WindowManager::the().display().dpi;
    for (int y = 0; y < r.height(); ++y) {
        if (list.RowContaining(static_cast<vb::Single>(y * twips)) == row)
            return win::POINT{r.left + 40, r.top + y + 4};
    }
    return std::nullopt;
}

const std::pair<std::string_view, vb::Integer> k_box_buttons[] = {{"OK", host::vbOK},
    {"Cancel", host::vbCancel}, {"Abort", host::vbAbort}, {"Retry", host::vbRetry},
    {"Ignore", host::vbIgnore}, {"Yes", host::vbYes}, {"No", host::vbNo}};

} // namespace

OrderForm::OrderForm(const std::filesystem::path& form_file, const std::string& connection)
{
    auto& wm = win::WindowManager::the();
    wm.set_display(
        {k_display_width, k_display_height, {0, 0, k_display_width, k_display_height}, 96});
    host::ControlClasses classes;
    classes.add(std::string(pendrel::Morvex::k_class_name), pendrel::Morvex::factory());
    m_form = host::Form::load(form_file, classes, {0, 0, k_display_width, k_display_height});
    add_parts();
    log_events("cboPlace");
    log_events("cboDestination");
    m_form->Show();
    for (pendrel::Morvex* control : {&place(), &destination()}) {
        control->let_CnStr(connection);
        control->let_RowSource(k_row_source);
    }
    place().let_AutoExpand(true);
    place().txtFieldCmb().SetFocus();
}

OrderForm::~OrderForm() = default;

void OrderForm::add_parts()
{
    const win::HWND parent = m_form->hwnd();
    make_label(parent, {16, 16, 316, 32}, "Place");
    make_label(parent, {16, 74, 316, 90}, "Reference");
    m_reference = std::make_unique<controls::TextBox>(parent, win::RECT{16, 92, 316, 115});
    make_label(parent, {16, 150, 316, 250},
        "Type a few letters of a place: the text\ncompletes with the first match and the\n"
        "list shows it. Enter or a click picks a\nrow, Escape closes the list. Every event\n"
        "the controls raise shows on the right.");
    make_label(parent, {16, 402, 316, 418}, "Destination");
    m_ok = std::make_unique<controls::CommandButton>(parent, win::RECT{16, 476, 106, 504});
    m_ok->let_Caption("OK");
    m_ok->on_click = [this] { order(); };
    make_label(parent, {340, 16, 864, 32}, "Events");
    m_pane = std::make_unique<EventPane>(parent, win::RECT{340, 34, 864, 544});
}

// Every event of the control with its arguments, in the pane and printed.
void OrderForm::log_events(const std::string& name)
{
    host::Site& s = site(name);
    for (const host::EventInfo& info : s.control().event_table()) {
        const std::string event(info.name);
        m_subscriptions.push_back(
            s.events().subscribe(info.id, [this, name, event](std::span<vb::Variant> args) {
                std::string line = name + " " + event;
                for (const vb::Variant& a : args)
                    line += " " + vb::to_text(a);
                std::cout << "  event:         " << line << '\n';
                if (event != "Paint")
                    m_pane->add(line);
            }));
    }
}

void OrderForm::order()
{
    m_pane->add("cmdOK Click");
    std::cout << "  event:         cmdOK Click\n";
    vb::Integer answer = 0;
    if (place().get_Text().empty()) {
        answer = host::MsgBox("Choose a place first.", host::vbExclamation, "Order");
    } else {
        answer = host::MsgBox("From: " + place().get_Text() + "\r\nTo: " + destination().get_Text()
                + "\r\nReference: " + m_reference->get_Text(),
            host::vbOKCancel | host::vbInformation, "Order");
    }
    m_pane->add("MsgBox " + std::to_string(answer));
    std::cout << "  event:         MsgBox " << answer << '\n';
}

host::Site& OrderForm::site(std::string_view name) const
{
    return *m_form->find(name);
}

pendrel::Morvex& OrderForm::place() const
{
    return pendrel::Morvex::of(site("cboPlace"));
}

pendrel::Morvex& OrderForm::destination() const
{
    return pendrel::Morvex::of(site("cboDestination"));
}

std::optional<win::POINT> OrderForm::point_of(std::string_view name) const
{
    if (name.starts_with("list.row")) {
        int row = 0;
        const auto digits = name.substr(8);
        if (std::from_chars(digits.data(), digits.data() + digits.size(), row).ec != std::errc{})
            return std::nullopt;
        for (const pendrel::Morvex* control : {&place(), &destination()}) {
            if (auto p = row_point(*control, row))
                return p;
        }
        return std::nullopt;
    }
    for (const auto& [caption, answer] : k_box_buttons) {
        if (name == "box." + std::string(caption)) {
            const auto r = host::message_box_button(answer);
            return r ? std::optional(centre(*r)) : std::nullopt;
        }
    }
    for (const auto& [part, point] : named_points()) {
        if (part == name)
            return point;
    }
    return std::nullopt;
}

std::vector<std::pair<std::string, win::POINT>> OrderForm::named_points() const
{
    std::vector<std::pair<std::string, win::POINT>> points;
    const auto add = [&](std::string name, win::HWND hwnd) {
        if (const auto p = centre_of(hwnd))
            points.emplace_back(std::move(name), *p);
    };
    for (const char* name : {"cboPlace", "cboDestination"}) {
        const auto& control = pendrel::Morvex::of(site(name));
        add(name, control.txtFieldCmb().get_hWnd());
        add(std::string(name) + ".button", control.DropdownButton().get_hWnd());
    }
    add("txtReference", m_reference->get_hWnd());
    add("cmdOK", m_ok->get_hWnd());
    add("events", m_pane->hwnd());
    return points;
}

} // namespace demo
