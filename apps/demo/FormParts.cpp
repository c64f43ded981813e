#include "FormParts.h"

#include <algorithm>

#include "platform/gfx/Canvas.h"
#include "platform/gfx/TextMetrics.h"
#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"

namespace demo {

namespace {

constexpr const char* k_label_class = "PendrelDemoLabel";
constexpr const char* k_pane_class = "PendrelDemoEventPane";
constexpr int k_padding = 4;

gfx::Font pane_font()
{
    return gfx::Font{"DejaVu Sans Mono", 8};
}

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines(1);
    for (const char c : text) {
        if (c == '\n')
            lines.emplace_back();
        else
            lines.back() += c;
    }
    return lines;
}

win::LRESULT label_proc(win::HWND hwnd, win::UINT msg, win::WPARAM wparam, win::LPARAM lparam)
{
    if (msg != win::WM_PAINT)
        return win::DefWindowProcA(hwnd, msg, wparam, lparam);
    gfx::Canvas& canvas = *gfx::canvas_of(wparam);
    const gfx::Font font = gfx::default_font();
    const int height = gfx::line_height(font, canvas.dpi());
    win::RECT client{};
    win::GetClientRect(hwnd, &client);
    int y = 0;
    for (const auto& line : lines_of(win::GetWindowText(hwnd))) {
        canvas.draw_text(line, {0, y, client.right, y + height}, font, gfx::vbButtonText);
        y += height;
    }
    return 0;
}

} // namespace

win::HWND make_label(win::HWND parent, const win::RECT& rect, std::string_view text)
{
    win::RegisterClassA(win::WNDCLASS{k_label_class, &label_proc});
    return win::CreateWindowExA(0, k_label_class, text, win::WS_CHILD | win::WS_VISIBLE, rect.left,
        rect.top, rect.width(), rect.height(), parent);
}

EventPane::EventPane(win::HWND parent, const win::RECT& rect)
{
    win::RegisterClassA(win::WNDCLASS{k_pane_class, &proc, gfx::vbWindowBackground});
    m_hwnd = win::CreateWindowExA(0, k_pane_class, "", win::WS_CHILD | win::WS_VISIBLE, rect.left,
        rect.top, rect.width(), rect.height(), parent);
    win::SetWindowData(m_hwnd, this);
}

EventPane::~EventPane()
{
    if (win::IsWindow(m_hwnd)) {
        win::SetWindowData(m_hwnd, nullptr);
        win::DestroyWindow(m_hwnd);
    }
}

std::size_t EventPane::visible_lines() const
{
    win::RECT client{};
    win::GetClientRect(m_hwnd, &client);
    const int height = gfx::line_height(pane_font(), win::WindowManager::the().display().dpi);
    return static_cast<std::size_t>(std::max(1, (client.bottom - 2 * k_padding) / height));
}

void EventPane::add(std::string line)
{
    m_lines.push_back(std::move(line));
    while (m_lines.size() > visible_lines())
        m_lines.pop_front();
    win::InvalidateRect(m_hwnd, nullptr, 1);
}

void EventPane::paint(win::WPARAM wparam) const
{
    gfx::Canvas& canvas = *gfx::canvas_of(wparam);
    win::RECT client{};
    win::GetClientRect(m_hwnd, &client);
    canvas.draw_edge(client, gfx::Edge::Sunken);
    const gfx::Font font = pane_font();
    const int height = gfx::line_height(font, canvas.dpi());
    int y = k_padding;
    for (const auto& line : m_lines) {
        canvas.draw_text(line, {k_padding + 2, y, client.right - k_padding, y + height}, font,
            gfx::vbWindowText);
        y += height;
    }
}

win::LRESULT EventPane::proc(win::HWND hwnd, win::UINT msg, win::WPARAM wparam, win::LPARAM lparam)
{
    const auto* pane = static_cast<const EventPane*>(win::GetWindowData(hwnd));
    if (msg == win::WM_PAINT && pane != nullptr) {
        pane->paint(wparam);
        return 0;
    }
    return win::DefWindowProcA(hwnd, msg, wparam, lparam);
}

} // namespace demo
