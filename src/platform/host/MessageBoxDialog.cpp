#include "platform/host/MessageBoxDialog.h"

#include <string>
#include <vector>

#include "platform/gfx/Canvas.h"
#include "platform/gfx/TextMetrics.h"
#include "platform/host/MessageBox.h"
#include "platform/host/MessageBoxLayout.h"
#include "platform/host/ModalLoop.h"
#include "platform/win/MessageParams.h"
#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"

namespace host {

namespace {

constexpr const char* k_dialog_class = "#32770";

struct Dialog {
    std::string title;
    std::vector<std::string> lines;
    vb::Integer style = 0;
    std::vector<MessageBoxButton> buttons;
    MessageBoxLayout layout;
    int focused = 0;
    int pressed = -1; // the button under a press in progress
    bool press_inside = false;
    std::optional<vb::Integer> answer;
};

std::vector<win::HWND>& open_boxes()
{
    thread_local std::vector<win::HWND> boxes;
    return boxes;
}

Dialog* dialog_of(win::HWND hwnd)
{
    return static_cast<Dialog*>(win::GetWindowData(hwnd));
}

gfx::Font title_font()
{
    gfx::Font f = gfx::default_font();
    f.set_bold(true);
    return f;
}

int button_at(const Dialog& d, win::POINT p)
{
    for (std::size_t i = 0; i < d.layout.buttons.size(); ++i) {
        if (win::PtInRect(&d.layout.buttons[i], p))
            return static_cast<int>(i);
    }
    return -1;
}

void paint_icon(gfx::Canvas& c, const win::RECT& r, vb::Integer style)
{
    const vb::Integer icon = style & 0x70;
    const bool warning = icon == vbExclamation;
    const gfx::OLE_COLOR face = icon == vbCritical ? gfx::RGB(200, 30, 30)
        : warning                                  ? gfx::RGB(240, 190, 20)
                                                   : gfx::RGB(30, 80, 190);
    const char* glyph = icon == vbCritical ? "\xC3\x97"
        : icon == vbQuestion               ? "?"
        : warning                          ? "!"
                                           : "i";
    c.fill_rect(r, face);
    c.frame_rect(r, gfx::vb3DDKShadow);
    gfx::Font f{"DejaVu Sans", 16, gfx::FW_BOLD};
    c.draw_text(glyph, r, f, warning ? gfx::RGB(0, 0, 0) : gfx::RGB(255, 255, 255),
        {gfx::HAlign::Center, gfx::VAlign::Center});
}

void paint_button(gfx::Canvas& c, const Dialog& d, int i)
{
    const win::RECT r = d.layout.buttons[static_cast<std::size_t>(i)];
    const bool down = d.pressed == i && d.press_inside;
    win::RECT face = r;
    if (i == d.focused) {
        c.frame_rect(r, gfx::vbWindowFrame);
        face = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
    c.draw_edge(face, down ? gfx::Edge::Pressed : gfx::Edge::Raised);
    win::RECT text = face;
    if (down)
        text = {text.left + 1, text.top + 1, text.right + 1, text.bottom + 1};
    c.draw_text(d.buttons[static_cast<std::size_t>(i)].caption, text, gfx::default_font(),
        gfx::vbButtonText, {gfx::HAlign::Center, gfx::VAlign::Center});
    if (i == d.focused)
        c.draw_focus_rect({face.left + 2, face.top + 2, face.right - 2, face.bottom - 2});
}

void paint(const Dialog& d, gfx::Canvas& c)
{
    const auto& l = d.layout;
    c.draw_edge(l.box, gfx::Edge::Raised);
    c.fill_rect(l.title_bar, gfx::system_color(gfx::COLOR_ACTIVECAPTION));
    win::RECT title = l.title_bar;
    title.left += 6;
    c.draw_text(d.title, title, title_font(), gfx::system_color(gfx::COLOR_CAPTIONTEXT));
    if (l.icon.right > l.icon.left)
        paint_icon(c, l.icon, d.style);
    for (std::size_t i = 0; i < d.lines.size(); ++i)
        c.draw_text(d.lines[i], l.lines[i], gfx::default_font(), gfx::vbButtonText);
    for (std::size_t i = 0; i < d.buttons.size(); ++i)
        paint_button(c, d, static_cast<int>(i));
}

void answer(win::HWND hwnd, Dialog& d, vb::Integer value)
{
    if (value != 0 && !d.answer)
        d.answer = value;
    win::InvalidateRect(hwnd, nullptr, 1);
}

void on_key_down(win::HWND hwnd, Dialog& d, int vk)
{
    const int n = static_cast<int>(d.buttons.size());
    switch (vk) {
    case win::VK_RETURN:
        return answer(hwnd, d, d.buttons[static_cast<std::size_t>(d.focused)].answer);
    case win::VK_ESCAPE:
        return answer(hwnd, d, escape_answer(d.style));
    case win::VK_TAB:
    case win::VK_RIGHT:
        d.focused = (d.focused + 1) % n;
        break;
    case win::VK_LEFT:
        d.focused = (d.focused + n - 1) % n;
        break;
    default:
        return;
    }
    win::InvalidateRect(hwnd, nullptr, 1);
}

void on_button_down(win::HWND hwnd, Dialog& d, win::POINT p)
{
    d.pressed = button_at(d, p);
    if (d.pressed < 0)
        return;
    d.press_inside = true;
    d.focused = d.pressed;
    win::SetCapture(hwnd);
    win::InvalidateRect(hwnd, nullptr, 1);
}

void on_mouse_move(win::HWND hwnd, Dialog& d, win::POINT p)
{
    const bool inside = d.pressed >= 0 && button_at(d, p) == d.pressed;
    if (inside == d.press_inside || d.pressed < 0)
        return;
    d.press_inside = inside;
    win::InvalidateRect(hwnd, nullptr, 1);
}

// The capture goes back first (its loss clears the press), then the
// release over the pressed button answers.
void on_button_up(win::HWND hwnd, Dialog& d, win::POINT p)
{
    const int pressed = d.pressed;
    if (pressed < 0)
        return;
    win::ReleaseCapture();
    if (button_at(d, p) == pressed)
        answer(hwnd, d, d.buttons[static_cast<std::size_t>(pressed)].answer);
}

win::LRESULT dialog_proc(win::HWND hwnd, win::UINT msg, win::WPARAM wparam, win::LPARAM lparam)
{
    Dialog* d = dialog_of(hwnd);
    if (d == nullptr)
        return win::DefWindowProcA(hwnd, msg, wparam, lparam);
    switch (msg) {
    case win::WM_PAINT:
        paint(*d, *gfx::canvas_of(wparam));
        return 0;
    case win::WM_KEYDOWN:
        on_key_down(hwnd, *d, static_cast<int>(wparam));
        return 0;
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONDBLCLK:
        on_button_down(hwnd, *d, win::point_of(lparam));
        return 0;
    case win::WM_MOUSEMOVE:
        on_mouse_move(hwnd, *d, win::point_of(lparam));
        return 0;
    case win::WM_LBUTTONUP:
        on_button_up(hwnd, *d, win::point_of(lparam));
        return 0;
    case win::WM_CAPTURECHANGED:
        d->pressed = -1;
        d->press_inside = false;
        win::InvalidateRect(hwnd, nullptr, 1);
        return 0;
    default:
        return win::DefWindowProcA(hwnd, msg, wparam, lparam);
    }
}

MessageBoxLayout measure(const Dialog& d)
{
    const int dpi = win::WindowManager::the().display().dpi;
    MessageBoxMetrics m;
    m.line_height = gfx::line_height(gfx::default_font(), dpi);
    m.title_width = gfx::measure_text(title_font(), d.title, dpi).width + 6;
    for (const auto& line : d.lines)
        m.line_widths.push_back(gfx::measure_text(gfx::default_font(), line, dpi).width);
    m.icon = (d.style & 0x70) != 0;
    m.buttons = static_cast<int>(d.buttons.size());
    return layout_message_box(m);
}

// 1. Nothing keeps the mouse; 2. the other windows wait.
std::vector<win::HWND> cancel_modes_and_disable_others()
{
    if (const win::HWND holder = win::GetCapture(); holder != 0)
        win::SendMessageA(holder, win::WM_CANCELMODE, 0, 0);
    if (win::GetCapture() != 0)
        win::ReleaseCapture();
    std::vector<win::HWND> disabled;
    auto& wm = win::WindowManager::the();
    for (const win::HWND h : wm.top_level_windows()) {
        if (win::IsWindowVisible(h) && win::IsWindowEnabled(h)) {
            win::EnableWindow(h, 0);
            disabled.push_back(h);
        }
    }
    return disabled;
}

void restore(const std::vector<win::HWND>& disabled, win::HWND focus)
{
    for (const win::HWND h : disabled)
        win::EnableWindow(h, 1);
    if (focus != 0 && win::IsWindow(focus))
        win::SetFocus(focus);
}

} // namespace

vb::Integer run_message_box(std::string_view prompt, vb::Integer style, std::string_view title)
{
    win::RegisterClassA(win::WNDCLASS{k_dialog_class, &dialog_proc});
    Dialog d;
    d.title = title;
    d.lines = prompt_lines(prompt);
    d.style = style;
    d.buttons = message_box_buttons(style);
    d.layout = measure(d);
    const win::HWND focus = win::GetFocus();
    const auto disabled = cancel_modes_and_disable_others();
    const win::RECT at = centred_on(
        win::WindowManager::the().display().work_area, d.layout.box.width(), d.layout.box.height());
    const win::HWND hwnd = win::CreateWindowExA(win::WS_EX_TOPMOST, k_dialog_class, d.title,
        win::WS_POPUP, at.left, at.top, at.width(), at.height(), 0);
    if (hwnd == 0) {
        restore(disabled, focus);
        return abandoned_answer(style);
    }
    win::SetWindowData(hwnd, &d);
    open_boxes().push_back(hwnd);
    win::ShowWindow(hwnd, win::SW_SHOW);
    win::SetFocus(hwnd);
    // 3. The answer.
    run_modal_loop([&] { return d.answer.has_value() || !win::IsWindow(hwnd); });
    std::erase(open_boxes(), hwnd);
    if (win::IsWindow(hwnd)) {
        win::SetWindowData(hwnd, nullptr);
        win::DestroyWindow(hwnd);
    }
    restore(disabled, focus);
    return d.answer.value_or(abandoned_answer(style));
}

win::HWND open_message_box()
{
    return open_boxes().empty() ? 0 : open_boxes().back();
}

std::optional<win::RECT> message_box_button(vb::Integer answer)
{
    const win::HWND hwnd = open_message_box();
    const Dialog* d = hwnd == 0 ? nullptr : dialog_of(hwnd);
    if (d == nullptr)
        return std::nullopt;
    for (std::size_t i = 0; i < d->buttons.size(); ++i) {
        if (d->buttons[i].answer != answer)
            continue;
        win::RECT r = d->layout.buttons[i];
        win::POINT origin{0, 0};
        win::ClientToScreen(hwnd, &origin);
        return win::RECT{
            r.left + origin.x, r.top + origin.y, r.right + origin.x, r.bottom + origin.y};
    }
    return std::nullopt;
}

} // namespace host
