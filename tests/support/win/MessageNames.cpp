// The table of message names.

#include "support/win/MessageNames.h"

#include <array>
#include <cstdio>
#include <string_view>
#include <utility>

namespace pendrel::test {

namespace {

// WM(CREATE) is the entry of WM_CREATE.
#define WM(name) std::pair<win::UINT, std::string_view>(win::WM_##name, "WM_" #name)

constexpr std::array k_names{WM(NULL), WM(CREATE), WM(DESTROY), WM(MOVE), WM(SIZE), WM(SETFOCUS),
    WM(KILLFOCUS), WM(ENABLE), WM(SETTEXT), WM(GETTEXT), WM(GETTEXTLENGTH), WM(PAINT), WM(CLOSE),
    WM(SHOWWINDOW), WM(CANCELMODE), WM(SETCURSOR), WM(MOUSEACTIVATE), WM(WINDOWPOSCHANGED),
    WM(NCCREATE), WM(NCDESTROY), WM(NCHITTEST), WM(NCMOUSEMOVE), WM(NCLBUTTONDOWN), WM(NCLBUTTONUP),
    WM(NCLBUTTONDBLCLK), WM(NCRBUTTONDOWN), WM(NCRBUTTONUP), WM(NCRBUTTONDBLCLK), WM(KEYDOWN),
    WM(KEYUP), WM(CHAR), WM(TIMER), WM(HSCROLL), WM(VSCROLL), WM(MOUSEMOVE), WM(LBUTTONDOWN),
    WM(LBUTTONUP), WM(LBUTTONDBLCLK), WM(RBUTTONDOWN), WM(RBUTTONUP), WM(RBUTTONDBLCLK),
    WM(MOUSEWHEEL), WM(CAPTURECHANGED)};

#undef WM

} // namespace

std::string message_name(win::UINT msg)
{
    for (const auto& [value, name] : k_names) {
        if (value == msg) {
            return std::string(name);
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
