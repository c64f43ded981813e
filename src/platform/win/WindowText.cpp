// Window text: UTF-8 (the narrow code page is UTF-8, so the "A" functions
// lose nothing). Text that is not UTF-8, or that holds a NUL, is refused
// whole (FALSE, the window keeps its text) rather than stored damaged.

#include <algorithm>
#include <cstring>

#include "platform/win/WindowManagerImpl.h"

namespace win {

namespace {

// Length of the UTF-8 sequence that starts with byte b, 0 if none does.
int sequence_length(unsigned char b)
{
    if (b < 0x80) {
        return 1;
    }
    if (b >= 0xC2 && b <= 0xDF) {
        return 2;
    }
    if (b >= 0xE0 && b <= 0xEF) {
        return 3;
    }
    if (b >= 0xF0 && b <= 0xF4) {
        return 4;
    }
    return 0;
}

// The second byte's range is narrower after some lead bytes: no overlong
// forms, no surrogates, nothing above U+10FFFF.
bool second_byte_ok(unsigned char lead, unsigned char b)
{
    switch (lead) {
    case 0xE0:
        return b >= 0xA0 && b <= 0xBF;
    case 0xED:
        return b >= 0x80 && b <= 0x9F;
    case 0xF0:
        return b >= 0x90 && b <= 0xBF;
    case 0xF4:
        return b >= 0x80 && b <= 0x8F;
    default:
        return b >= 0x80 && b <= 0xBF;
    }
}

} // namespace

bool detail::is_valid_text(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = sequence_length(lead);
        if (lead == 0 || length == 0 || i + static_cast<std::size_t>(length) > text.size()) {
            return false;
        }
        for (int k = 1; k < length; ++k) {
            const auto b = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            const bool ok = k == 1 ? second_byte_ok(lead, b) : (b >= 0x80 && b <= 0xBF);
            if (!ok) {
                return false;
            }
        }
        i += static_cast<std::size_t>(length);
    }
    return true;
}

LRESULT detail::set_text(HWND hwnd, const char* text)
{
    Window* w = wm().find(hwnd);
    const std::string_view value = text == nullptr ? std::string_view{} : std::string_view{text};
    if (w == nullptr || !is_valid_text(value)) {
        return FALSE;
    }
    w->text = value;
    return TRUE;
}

// Copies as much as fits in size - 1 bytes without cutting a character, and
// a terminating NUL. Returns the bytes copied, the NUL not counted.
LRESULT detail::copy_text(HWND hwnd, WPARAM size, char* buffer)
{
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    const Window* w = wm().find(hwnd);
    const std::string_view text = w == nullptr ? std::string_view{} : std::string_view{w->text};
    std::size_t count = std::min<std::size_t>(text.size(), size - 1);
    while (count > 0 && count < text.size()
        && (static_cast<unsigned char>(text[count]) & 0xC0) == 0x80) {
        --count; // not in the middle of a character
    }
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<LRESULT>(count);
}

LRESULT detail::text_length(HWND hwnd)
{
    const Window* w = wm().find(hwnd);
    return w == nullptr ? 0 : static_cast<LRESULT>(w->text.size());
}

// The window's procedure decides (WM_SETTEXT): a text box keeps the text as
// its contents.
BOOL SetWindowTextA(HWND hwnd, std::string_view text)
{
    if (IsWindow(hwnd) == FALSE || !detail::is_valid_text(text)) {
        return FALSE;
    }
    const std::string value(text);
    return SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str())) != 0 ? TRUE
                                                                                           : FALSE;
}

int GetWindowTextA(HWND hwnd, char* buffer, int max_count)
{
    if (buffer == nullptr || max_count <= 0) {
        return 0;
    }
    buffer[0] = '\0';
    return static_cast<int>(SendMessageA(
        hwnd, WM_GETTEXT, static_cast<WPARAM>(max_count), reinterpret_cast<LPARAM>(buffer)));
}

std::string GetWindowText(HWND hwnd)
{
    const LRESULT length = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(
        hwnd, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
    return text;
}

} // namespace win
