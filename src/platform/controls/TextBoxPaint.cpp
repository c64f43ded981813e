// The text box's drawing and the geometry of its text: the border of its
// Appearance, the background, the text scrolled sideways so that the caret
// stays in view, and, while the box has the focus, the selection in the
// highlight colours and the caret.

#include <algorithm>

#include "platform/controls/LineMetrics.h"
#include "platform/controls/TextBox.h"
#include "platform/gfx/TextMetrics.h"
#include "platform/gfx/Units.h"
#include "platform/win/User32.h"

namespace controls {

namespace {

// Space between the border and the text, on every side.
constexpr int k_margin = 1;

bool has_focus(win::HWND hwnd)
{
    return hwnd != 0 && win::GetFocus() == hwnd;
}

} // namespace

int TextBox::border_width() const
{
    if (m_border_style == vbBSNone) {
        return 0;
    }
    return gfx::edge_width(m_appearance == vbAppearanceFlat ? gfx::Edge::Flat : gfx::Edge::Sunken);
}

// Where the text goes, in the window's coordinates.
win::RECT TextBox::text_area() const
{
    win::RECT client;
    win::GetClientRect(get_hWnd(), &client);
    const int inset = border_width() + k_margin;
    return {client.left + inset, client.top + inset,
        std::max(client.left + inset, client.right - inset),
        std::max(client.top + inset, client.bottom - inset)};
}

const LineMetrics& TextBox::line_metrics(int dpi) const
{
    const gfx::Font& font = m_font->font();
    if (!m_line || !m_line->measures(font, m_edit.text(), dpi)) {
        m_line.emplace(font, m_edit.text(), dpi);
    }
    return *m_line;
}

int TextBox::caret_x() const
{
    return text_area().left + line_metrics(gfx::display_dpi()).offset(m_edit.caret()) - m_scroll;
}

int TextBox::index_at(int x) const
{
    return line_metrics(gfx::display_dpi()).index_at(x - text_area().left + m_scroll);
}

// The least scrolling that shows the caret, and no more than leaves empty
// room after the text's end.
void TextBox::scroll_to_caret()
{
    const int width = text_area().width();
    if (width <= 0) {
        m_scroll = 0;
        return;
    }
    const LineMetrics& line = line_metrics(gfx::display_dpi());
    const int caret = line.offset(m_edit.caret());
    if (caret < m_scroll) {
        m_scroll = caret;
    } else if (caret - m_scroll > width - 1) {
        m_scroll = caret - (width - 1);
    }
    m_scroll = std::clamp(m_scroll, 0, std::max(0, line.width() - (width - 1)));
}

// Text, caret, font, size or border changed.
void TextBox::layout_changed()
{
    scroll_to_caret();
    Refresh();
}

void TextBox::paint(gfx::Canvas* canvas) const
{
    if (canvas == nullptr) {
        return;
    }
    win::RECT client;
    win::GetClientRect(get_hWnd(), &client);
    // 1. Border and background.
    const int border = border_width();
    if (m_border_style != vbBSNone) {
        canvas->draw_edge(
            client, m_appearance == vbAppearanceFlat ? gfx::Edge::Flat : gfx::Edge::Sunken);
    }
    canvas->fill_rect(
        {client.left + border, client.top + border, client.right - border, client.bottom - border},
        m_back_color);
    // 2. The text, grey while disabled.
    const win::RECT area = text_area();
    const gfx::OLE_COLOR ink = get_Enabled() ? m_fore_color : gfx::vbGrayText;
    canvas->draw_text(
        m_edit.text(), area, m_font->font(), ink, {gfx::HAlign::Left, gfx::VAlign::Top, m_scroll});
    if (!has_focus(get_hWnd())) {
        return;
    }
    // 3. Selection and caret.
    paint_selection(*canvas, area);
    const int x = caret_x();
    const int bottom
        = std::min(area.bottom, area.top + gfx::line_height(m_font->font(), canvas->dpi()));
    const gfx::Canvas::ClipScope clip(*canvas, area);
    canvas->draw_line({x, area.top}, {x, bottom}, ink);
}

// The selected characters on the highlight colour, drawn over the plain text
// through a clip, so both lie exactly where the layout puts them.
void TextBox::paint_selection(gfx::Canvas& canvas, const win::RECT& area) const
{
    if (m_edit.sel_length() == 0) {
        return;
    }
    const LineMetrics& line = line_metrics(canvas.dpi());
    const int from = area.left + line.offset(m_edit.sel_start()) - m_scroll;
    const int to = area.left + line.offset(m_edit.sel_start() + m_edit.sel_length()) - m_scroll;
    const int bottom
        = std::min(area.bottom, area.top + gfx::line_height(m_font->font(), canvas.dpi()));
    const win::RECT band{std::max(from, area.left), area.top, std::min(to, area.right), bottom};
    if (band.width() <= 0 || band.height() <= 0) {
        return;
    }
    const gfx::Canvas::ClipScope clip(canvas, band);
    canvas.draw_selection(band);
    canvas.draw_text(m_edit.text(), area, m_font->font(), gfx::vbHighlightText,
        {gfx::HAlign::Left, gfx::VAlign::Top, m_scroll});
}

} // namespace controls
