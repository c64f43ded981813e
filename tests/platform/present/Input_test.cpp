// The pure parts of the presenter: key codes, double clicks, the scale and
// the damage region.

#include <SDL_keycode.h>
#include <gtest/gtest.h>

#include "platform/present/Damage.h"
#include "platform/present/Input.h"
#include "platform/present/KeyMap.h"
#include "platform/present/Presenter.h"

namespace present {
namespace {

TEST(KeyMap, SdlKeysGiveThePlatformsCodesAndBack)
{
    struct Row {
        SdlKey sdl;
        int vk;
        bool inverse;
    };
    const Row rows[]
        = {{SDLK_a, 'A', true}, {SDLK_z, 'Z', true}, {SDLK_0, '0', true}, {SDLK_RETURN, 13, true},
            {SDLK_KP_ENTER, 13, false}, {SDLK_LSHIFT, 16, true}, {SDLK_RSHIFT, 16, false},
            {SDLK_RCTRL, 17, false}, {SDLK_ESCAPE, 27, true}, {SDLK_DOWN, 40, true},
            {SDLK_DELETE, 46, true}, {SDLK_F4, 0x73, true}, {SDLK_KP_0, 0x60, true},
            {SDLK_KP_9, 0x69, true}, {SDLK_COMMA, 0xBC, true}, {SDLK_MUTE, 0, false}};
    for (const Row& row : rows) {
        EXPECT_EQ(virtual_key(row.sdl), row.vk) << row.sdl;
        if (row.inverse) {
            EXPECT_EQ(sdl_key(row.vk), row.sdl) << row.vk;
        }
    }
    EXPECT_EQ(key_character(8, false), U'\b');
    EXPECT_EQ(key_character(13, true), U'\r');
    EXPECT_EQ(key_character('C', true), U'\x03');
    EXPECT_EQ(key_character('C', false), 0U);
}

// The platform's rule: 500 ms and a 4 x 4 rectangle around the first press;
// the press that completes a double click starts no new one.
TEST(DoubleClick, WithinTheTimeAndTheRectangleOnly)
{
    struct Press {
        win::POINT at;
        std::uint32_t ms;
        bool second;
    };
    const Press presses[] = {{{10, 10}, 1000, false}, {{12, 8}, 1500, true}, {{12, 8}, 1600, false},
        {{15, 8}, 1700, false}, {{15, 8}, 2201, false}, {{15, 8}, 2300, true}};
    DoubleClick clicks;
    for (const Press& p : presses)
        EXPECT_EQ(clicks.press(p.at, p.ms), p.second) << p.ms;
}

TEST(Scale, WholeStepsOf96DpiThatFitTheMonitor)
{
    EXPECT_EQ(choose_scale(0, 880, 560, 1920, 1080), 1);
    EXPECT_EQ(choose_scale(144, 880, 560, 1920, 1080), 1);
    EXPECT_EQ(choose_scale(192, 880, 560, 1920, 1200), 2);
    EXPECT_EQ(choose_scale(288, 880, 560, 1920, 1200), 2); // 3 would not fit
    EXPECT_EQ(choose_scale(288, 880, 560, 1280, 1024), 1);
}

TEST(DamageRegion, TouchingRectanglesMergeAndTheRestStaySeparate)
{
    DamageRegion region;
    region.add({0, 0, 10, 10});
    region.add({10, 0, 20, 10}); // touches: one rectangle
    region.add({50, 50, 60, 60});
    region.add({5, 5, 5, 30}); // empty: nothing
    EXPECT_EQ(region.rects(), (std::vector<win::RECT>{{0, 0, 20, 10}, {50, 50, 60, 60}}));
    // A rectangle joining both makes one of all three.
    region.add({15, 5, 55, 55});
    EXPECT_EQ(region.take({0, 0, 40, 40}), (std::vector<win::RECT>{{0, 0, 40, 40}}));
    EXPECT_TRUE(region.empty());
    for (int i = 0; i < 9; ++i)
        region.add({i * 20, 0, i * 20 + 5, 5});
    EXPECT_EQ(region.rects(), (std::vector<win::RECT>{{0, 0, 165, 5}}));
}

} // namespace
} // namespace present
