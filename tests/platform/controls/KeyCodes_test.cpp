#include "platform/controls/KeyCodes.h"

#include <gtest/gtest.h>

#include "platform/win/WindowManager.h"
#include "support/RowName.h"

namespace controls {
namespace {

struct KeyAsciiCase {
    const char* name;
    char32_t ch;
    vb::Integer key_ascii;
    char32_t back; // what the KeyAscii value turns into
};

class KeyAscii : public ::testing::TestWithParam<KeyAsciiCase> {};

TEST_P(KeyAscii, ShowsAndReadsBack)
{
    EXPECT_EQ(key_ascii_of(GetParam().ch), GetParam().key_ascii);
    EXPECT_EQ(char_of_key_ascii(GetParam().key_ascii), GetParam().back);
}

INSTANTIATE_TEST_SUITE_P(Cases, KeyAscii,
    ::testing::Values(KeyAsciiCase{"Letter", U'z', 122, U'z'},
        KeyAsciiCase{"Enter", U'\r', 13, U'\r'}, KeyAsciiCase{"Latin1", U'ü', 252, U'ü'},
        KeyAsciiCase{"LastPositive", U'\u7FFF', 32767, U'\u7FFF'},
        KeyAsciiCase{"WideIsNegative", U'\uFF21', -223, U'\uFF21'},
        KeyAsciiCase{"BeyondBasicPlaneIsQuestionMark", U'😀', 63, U'?'},
        KeyAsciiCase{"ZeroIsNoCharacter", 0, 0, 0},
        KeyAsciiCase{"FirstSurrogateIsNoCharacter", 0xD800, -10240, 0},
        KeyAsciiCase{"LastSurrogateIsNoCharacter", 0xDFFF, -8193, 0}),
    pendrel::test::RowName{});

TEST(ShiftState, SumsTheHeldModifiers)
{
    win::WindowManager::reset();
    auto& wm = win::WindowManager::the();
    EXPECT_EQ(shift_state(), 0);
    wm.inject_key_down(win::VK_SHIFT);
    wm.inject_key_down(win::VK_MENU);
    EXPECT_EQ(shift_state(), vbShiftMask + vbAltMask);
    wm.inject_key_down(win::VK_CONTROL);
    wm.inject_key_up(win::VK_SHIFT);
    EXPECT_EQ(shift_state(), vbCtrlMask + vbAltMask);
    win::WindowManager::reset();
}

} // namespace
} // namespace controls
