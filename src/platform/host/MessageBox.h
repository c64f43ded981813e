#pragma once
// Message boxes. Every box is recorded (prompt, style, title, in order, per
// thread); tests read the record. Headless a box does not wait for a person:
// it is answered at once with the first button of its style, which is OK
// (1) for the OK-only and OK/Cancel styles. On a live desktop (the thread
// has an input wait, ModalLoop.h) it is a modal dialog window that returns
// the button a person pressed (MessageBoxDialog.h).

#include <string>
#include <string_view>
#include <vector>

#include "platform/vb/Types.h"

namespace host {

// Buttons (the low four bits of the style).
inline constexpr vb::Integer vbOKOnly = 0;
inline constexpr vb::Integer vbOKCancel = 1;
inline constexpr vb::Integer vbAbortRetryIgnore = 2;
inline constexpr vb::Integer vbYesNoCancel = 3;
inline constexpr vb::Integer vbYesNo = 4;
inline constexpr vb::Integer vbRetryCancel = 5;
// Icons.
inline constexpr vb::Integer vbCritical = 16;
inline constexpr vb::Integer vbQuestion = 32;
inline constexpr vb::Integer vbExclamation = 48;
inline constexpr vb::Integer vbInformation = 64;
// Answers.
inline constexpr vb::Integer vbOK = 1;
inline constexpr vb::Integer vbCancel = 2;
inline constexpr vb::Integer vbAbort = 3;
inline constexpr vb::Integer vbRetry = 4;
inline constexpr vb::Integer vbIgnore = 5;
inline constexpr vb::Integer vbYes = 6;
inline constexpr vb::Integer vbNo = 7;

struct MessageBoxRecord {
    std::string prompt;
    vb::Integer style = 0;
    std::string title;
    friend bool operator==(const MessageBoxRecord&, const MessageBoxRecord&) = default;
};

// Records and shows a box and returns the answer.
vb::Integer MsgBox(
    std::string_view Prompt, vb::Integer Buttons = vbOKOnly, std::string_view Title = {});

// The boxes shown on this thread, oldest first, and clearing them.
[[nodiscard]] const std::vector<MessageBoxRecord>& message_boxes();
void clear_message_boxes();

} // namespace host
