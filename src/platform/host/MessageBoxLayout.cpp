#include "platform/host/MessageBoxLayout.h"

#include <algorithm>

#include "platform/host/MessageBox.h"

namespace host {

std::vector<MessageBoxButton> message_box_buttons(vb::Integer style)
{
    switch (style & 0x0F) {
    case vbOKCancel:
        return {{vbOK, "OK"}, {vbCancel, "Cancel"}};
    case vbAbortRetryIgnore:
        return {{vbAbort, "Abort"}, {vbRetry, "Retry"}, {vbIgnore, "Ignore"}};
    case vbYesNoCancel:
        return {{vbYes, "Yes"}, {vbNo, "No"}, {vbCancel, "Cancel"}};
    case vbYesNo:
        return {{vbYes, "Yes"}, {vbNo, "No"}};
    case vbRetryCancel:
        return {{vbRetry, "Retry"}, {vbCancel, "Cancel"}};
    default:
        return {{vbOK, "OK"}};
    }
}

vb::Integer escape_answer(vb::Integer style)
{
    const auto buttons = message_box_buttons(style);
    if (buttons.size() == 1)
        return buttons.front().answer;
    for (const auto& b : buttons) {
        if (b.answer == vbCancel)
            return vbCancel;
    }
    return 0;
}

vb::Integer abandoned_answer(vb::Integer style)
{
    const vb::Integer escape = escape_answer(style);
    return escape != 0 ? escape : message_box_buttons(style).back().answer;
}

std::vector<std::string> prompt_lines(std::string_view prompt)
{
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < prompt.size(); ++i) {
        const char c = prompt[i];
        if (c != '\r' && c != '\n') {
            lines.back() += c;
            continue;
        }
        if (c == '\r' && i + 1 < prompt.size() && prompt[i + 1] == '\n')
            ++i;
        lines.emplace_back();
    }
    return lines;
}

// 1. The title bar across the top, a line and a half high.
// 2. Below it, after a margin, the icon and then the prompt's lines, one
//    line height apart, the icon and the text block centred on each other.
// 3. The buttons in a row, centred, a margin below the taller of the two.
// 4. The box as wide as the widest of title, text row and button row.
MessageBoxLayout layout_message_box(const MessageBoxMetrics& m)
{
    MessageBoxLayout out;
    const int title_height = m.line_height + m.line_height / 2 + 2;
    const int top = title_height + k_box_margin;
    const int text_left = k_box_margin + (m.icon ? k_icon_side + k_box_margin : 0);
    const int text_height = m.line_height * static_cast<int>(m.line_widths.size());
    const int content = std::max(text_height, m.icon ? k_icon_side : 0);
    int text_width = 0;
    for (int w : m.line_widths)
        text_width = std::max(text_width, w);
    const int row = m.buttons * k_button_width + (m.buttons - 1) * k_button_gap;
    const int width = std::max({text_left + text_width + k_box_margin, row + 2 * k_box_margin,
        m.title_width + 2 * k_box_margin, 160});
    const int buttons_top = top + content + k_box_margin + 4;
    out.box = {0, 0, width, buttons_top + k_button_height + k_box_margin};
    out.title_bar = {2, 2, width - 2, title_height};
    if (m.icon) {
        const int y = top + (content - k_icon_side) / 2;
        out.icon = {k_box_margin, y, k_box_margin + k_icon_side, y + k_icon_side};
    }
    int y = top + (content - text_height) / 2;
    for (int w : m.line_widths) {
        out.lines.push_back({text_left, y, text_left + w, y + m.line_height});
        y += m.line_height;
    }
    int x = (width - row) / 2;
    for (int i = 0; i < m.buttons; ++i) {
        out.buttons.push_back({x, buttons_top, x + k_button_width, buttons_top + k_button_height});
        x += k_button_width + k_button_gap;
    }
    return out;
}

win::RECT centred_on(const win::RECT& work_area, int width, int height)
{
    int left = work_area.left + (work_area.width() - width) / 2;
    int top = work_area.top + (work_area.height() - height) / 2;
    left = std::max(left, work_area.left);
    top = std::max(top, work_area.top);
    return {left, top, left + width, top + height};
}

} // namespace host
