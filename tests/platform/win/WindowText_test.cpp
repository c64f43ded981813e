#include "platform/win/User32.h"
#include "support/win/DesktopTest.h"

using namespace win;

namespace {

class WindowText : public pendrel::test::DesktopTest {};

// The text goes through the window's procedure; copies never cut a
// character; broken text is refused and the window is not asked.
TEST_F(WindowText, IsUtf8ThroughTheProcedureAndCopiesNeverCutACharacter)
{
    using namespace std::string_view_literals;
    const HWND w = top("w", 0, 0, 10, 10);
    EXPECT_TRUE(SetWindowTextA(w, "Zürich"));
    EXPECT_EQ(GetWindowText(w), "Zürich");
    EXPECT_EQ(SendMessageA(w, WM_GETTEXTLENGTH, 0, 0), 7) << "bytes";
    EXPECT_TRUE(SendMessageA(w, WM_SETTEXT, 0, 0)) << "no text is the empty text";
    EXPECT_EQ(GetWindowText(w), "");
    SetWindowTextA(w, "aü€");
    char buffer[8] = "xxxxxxx";
    EXPECT_EQ(GetWindowTextA(w, buffer, 3), 1) << "ü needs two bytes, only two fit with the NUL";
    EXPECT_STREQ(buffer, "a");
    EXPECT_EQ(GetWindowTextA(w, buffer, 4), 3);
    EXPECT_STREQ(buffer, "aü");
    EXPECT_EQ(GetWindowTextA(w, buffer, 0), 0);
    EXPECT_EQ(GetWindowTextA(0x7FFFFFF0, buffer, 8), 0);
    EXPECT_STREQ(buffer, "");
    // A lone continuation byte, a cut sequence, an overlong slash, a
    // surrogate, beyond Unicode, an embedded NUL.
    for (std::string_view broken :
        {"a\x80"sv, "\xC3"sv, "\xC0\xAF"sv, "\xED\xA0\x80"sv, "\xF4\x90\x80\x80"sv, "a\0b"sv}) {
        EXPECT_FALSE(SetWindowTextA(w, broken)) << broken.size();
        EXPECT_EQ(GetWindowText(w), "aü€");
    }
    EXPECT_EQ(recorder.only(WM_SETTEXT).size(), 3U) << "one for each text taken";
}

} // namespace
