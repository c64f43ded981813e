#pragma once
// What a message box shows and where: the buttons of its style, the answer
// Escape gives, and the placement of title, icon, prompt lines and buttons
// in the box. Pure: sizes come in, rectangles go out.

#include <string>
#include <string_view>
#include <vector>

#include "platform/vb/Types.h"
#include "platform/win/Types.h"

namespace host {

struct MessageBoxButton {
    vb::Integer answer = 0;
    std::string_view caption;
};

// The buttons of a style (its low four bits), left to right; an unknown
// value shows OK.
[[nodiscard]] std::vector<MessageBoxButton> message_box_buttons(vb::Integer style);

// What Escape answers: Cancel when the box has it, OK for an OK-only box;
// nothing (0) when it has neither, as a Yes/No box.
[[nodiscard]] vb::Integer escape_answer(vb::Integer style);

// The answer a box gives when the input ends before a person answered: the
// Escape answer, else the box's last button (No, Ignore).
[[nodiscard]] vb::Integer abandoned_answer(vb::Integer style);

// The prompt's lines: CR LF, LF and CR each end one.
[[nodiscard]] std::vector<std::string> prompt_lines(std::string_view prompt);

// The sizes the layout needs, in pixels.
struct MessageBoxMetrics {
    int line_height = 13;
    int title_width = 0;
    std::vector<int> line_widths;
    bool icon = false;
    int buttons = 1;
};

// Rectangles in the box's own coordinates.
struct MessageBoxLayout {
    win::RECT box; // the whole window; left and top 0
    win::RECT title_bar;
    win::RECT icon; // empty without an icon
    std::vector<win::RECT> lines;
    std::vector<win::RECT> buttons;
};

inline constexpr int k_box_margin = 12;
inline constexpr int k_icon_side = 32;
inline constexpr int k_button_width = 75;
inline constexpr int k_button_height = 23;
inline constexpr int k_button_gap = 6;

[[nodiscard]] MessageBoxLayout layout_message_box(const MessageBoxMetrics& m);

// The box centred on the work area (kept inside it when it fits).
[[nodiscard]] win::RECT centred_on(const win::RECT& work_area, int width, int height);

} // namespace host
