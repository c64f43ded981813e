#include "platform/win/User32.h"
#include "support/win/DesktopTest.h"

using namespace win;

namespace {

class WindowText : public pendrel::test::DesktopTest {
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        w = top("w", 0, 0, 10, 10);
    }
    HWND w = 0;
};

TEST_F(WindowText, GoesThroughTheWindowsProcedure)
{
    EXPECT_TRUE(SetWindowTextA(w, "Zürich"));
    EXPECT_EQ(GetWindowText(w), "Zürich");
    EXPECT_EQ(SendMessageA(w, WM_GETTEXTLENGTH, 0, 0), 7) << "bytes";
    EXPECT_EQ(recorder.only(WM_SETTEXT).size(), 1U);
    EXPECT_TRUE(SendMessageA(w, WM_SETTEXT, 0, 0)) << "no text is the empty text";
    EXPECT_EQ(GetWindowText(w), "");
}

TEST_F(WindowText, CopiesNeverCutACharacter)
{
    SetWindowTextA(w, "aü€");
    char buffer[8] = "xxxxxxx";

    EXPECT_EQ(GetWindowTextA(w, buffer, 3), 1) << "ü needs two bytes, only two fit with the NUL";
    EXPECT_STREQ(buffer, "a");
    EXPECT_EQ(GetWindowTextA(w, buffer, 4), 3);
    EXPECT_STREQ(buffer, "aü");
    EXPECT_EQ(GetWindowTextA(w, buffer, 0), 0);
    EXPECT_EQ(GetWindowTextA(0x7FFFFFF0, buffer, 8), 0);
    EXPECT_STREQ(buffer, "");
}

TEST_F(WindowText, BrokenTextIsRefusedAndTheWindowIsNotAsked)
{
    using namespace std::string_view_literals;
    struct Row {
        const char* name;
        std::string_view text;
    };
    SetWindowTextA(w, "kept");
    recorder.clear();
    for (const Row& row : {Row{"lone continuation byte", "a\x80"sv}, Row{"cut sequence", "\xC3"sv},
             Row{"overlong slash", "\xC0\xAF"sv}, Row{"surrogate", "\xED\xA0\x80"sv},
             Row{"beyond Unicode", "\xF4\x90\x80\x80"sv}, Row{"embedded NUL", "a\0b"sv}}) {
        EXPECT_FALSE(SetWindowTextA(w, row.text)) << row.name;
        EXPECT_EQ(GetWindowText(w), "kept") << row.name;
    }
    EXPECT_TRUE(recorder.only(WM_SETTEXT).empty());
}

} // namespace
