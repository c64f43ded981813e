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

struct BadText {
    const char* name;
    friend void PrintTo(const BadText& row, std::ostream* out) { *out << row.name; }
    std::string_view text;
};

class RefusedText : public WindowText, public ::testing::WithParamInterface<BadText> {};

TEST_P(RefusedText, LeavesTheTextAsItWas)
{
    SetWindowTextA(w, "kept");
    recorder.clear();

    EXPECT_FALSE(SetWindowTextA(w, GetParam().text));

    EXPECT_EQ(GetWindowText(w), "kept");
    EXPECT_TRUE(recorder.only(WM_SETTEXT).empty()) << "the window is not even asked";
}

using namespace std::string_view_literals;
INSTANTIATE_TEST_SUITE_P(WindowText, RefusedText,
    ::testing::Values(BadText{"LoneContinuationByte", "a\x80"sv}, BadText{"CutSequence", "\xC3"sv},
        BadText{"OverlongSlash", "\xC0\xAF"sv}, BadText{"Surrogate", "\xED\xA0\x80"sv},
        BadText{"BeyondUnicode", "\xF4\x90\x80\x80"sv}, BadText{"EmbeddedNul", "a\0b"sv}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
