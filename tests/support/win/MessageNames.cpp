// The table of message names.

#include "support/win/MessageNames.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace pendrel::test {

namespace {

struct Entry {
    win::UINT msg;
    std::string_view name;
};

#define PENDREL_MESSAGE(name)                                                                      \
    Entry                                                                                          \
    {                                                                                              \
        win::name, #name                                                                           \
    }

constexpr std::array k_names{
    PENDREL_MESSAGE(WM_NULL),
    PENDREL_MESSAGE(WM_CREATE),
    PENDREL_MESSAGE(WM_DESTROY),
    PENDREL_MESSAGE(WM_MOVE),
    PENDREL_MESSAGE(WM_SIZE),
    PENDREL_MESSAGE(WM_SETFOCUS),
    PENDREL_MESSAGE(WM_KILLFOCUS),
    PENDREL_MESSAGE(WM_ENABLE),
    PENDREL_MESSAGE(WM_SETTEXT),
    PENDREL_MESSAGE(WM_GETTEXT),
    PENDREL_MESSAGE(WM_GETTEXTLENGTH),
    PENDREL_MESSAGE(WM_PAINT),
    PENDREL_MESSAGE(WM_CLOSE),
    PENDREL_MESSAGE(WM_SHOWWINDOW),
    PENDREL_MESSAGE(WM_SETCURSOR),
    PENDREL_MESSAGE(WM_MOUSEACTIVATE),
    PENDREL_MESSAGE(WM_WINDOWPOSCHANGED),
    PENDREL_MESSAGE(WM_NCCREATE),
    PENDREL_MESSAGE(WM_NCDESTROY),
    PENDREL_MESSAGE(WM_NCHITTEST),
    PENDREL_MESSAGE(WM_NCMOUSEMOVE),
    PENDREL_MESSAGE(WM_NCLBUTTONDOWN),
    PENDREL_MESSAGE(WM_NCLBUTTONUP),
    PENDREL_MESSAGE(WM_NCLBUTTONDBLCLK),
    PENDREL_MESSAGE(WM_NCRBUTTONDOWN),
    PENDREL_MESSAGE(WM_NCRBUTTONUP),
    PENDREL_MESSAGE(WM_NCRBUTTONDBLCLK),
    PENDREL_MESSAGE(WM_KEYDOWN),
    PENDREL_MESSAGE(WM_KEYUP),
    PENDREL_MESSAGE(WM_CHAR),
    PENDREL_MESSAGE(WM_TIMER),
    PENDREL_MESSAGE(WM_HSCROLL),
    PENDREL_MESSAGE(WM_VSCROLL),
    PENDREL_MESSAGE(WM_MOUSEMOVE),
    PENDREL_MESSAGE(WM_LBUTTONDOWN),
    PENDREL_MESSAGE(WM_LBUTTONUP),
    PENDREL_MESSAGE(WM_LBUTTONDBLCLK),
    PENDREL_MESSAGE(WM_RBUTTONDOWN),
    PENDREL_MESSAGE(WM_RBUTTONUP),
    PENDREL_MESSAGE(WM_RBUTTONDBLCLK),
    PENDREL_MESSAGE(WM_MOUSEWHEEL),
    PENDREL_MESSAGE(WM_CAPTURECHANGED),
};

#undef PENDREL_MESSAGE

} // namespace

std::string message_name(win::UINT msg)
{
    for (const Entry& e : k_names) {
        if (e.msg == msg) {
            return std::string(e.name);
        }
    }
    if (msg >= win::WM_USER && msg < 0x8000) {
        return "WM_USER+" + std::to_string(msg - win::WM_USER);
    }
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "0x%04X", msg);
    return text.data();
}

} // namespace pendrel::test
