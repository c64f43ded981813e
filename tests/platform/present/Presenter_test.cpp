// The presenter over SDL's dummy video driver: events pushed into SDL reach
// the window manager as a person's input, and what changed is what gets
// drawn, pixel for pixel the compositor's screen.

#include "platform/present/Presenter.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "platform/gfx/Compositor.h"
#include "support/win/DesktopTest.h"

namespace present {
namespace {

using pendrel::test::input;
using pendrel::test::posted;
using pendrel::test::Seq;
using namespace win;

class PresenterTest : public pendrel::test::DesktopTest {
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        DesktopTest::SetUp();
        wm().set_display({320, 240, {0, 0, 320, 240}, 96});
        w = top("w", 10, 20, 100, 50);
        SetFocus(w);
        open(1);
    }
    void TearDown() override
    {
        presenter.reset();
        DesktopTest::TearDown();
    }
    void open(int scale)
    {
        presenter.reset();
        presenter = std::make_unique<Presenter>(Options{"test", scale});
        presenter->on_present = [this](const std::vector<RECT>& r) { drawn.push_back(r); };
        presenter->wait(0);
        recorder.clear();
        recorder.ignore({WM_NCHITTEST});
        drawn.clear();
    }
    void push(SDL_Event e)
    {
        e.common.timestamp = 0;
        SDL_PushEvent(&e);
    }
    void mouse(Uint32 type, int x, int y, Uint8 button = SDL_BUTTON_LEFT)
    {
        SDL_Event e{};
        e.type = type;
        if (type == SDL_MOUSEMOTION) {
            e.motion.x = x;
            e.motion.y = y;
        } else {
            e.button.button = button;
            e.button.x = x;
            e.button.y = y;
        }
        push(e);
    }
    void key(Uint32 type, SDL_Keycode sym)
    {
        SDL_Event e{};
        e.type = type;
        e.key.keysym.sym = sym;
        push(e);
    }
    void text(const char* utf8)
    {
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        SDL_strlcpy(e.text.text, utf8, sizeof e.text.text);
        push(e);
    }
    // The colour of a pixel of the window as shown.
    static Uint32 shown_pixel(SDL_Window* window, int x, int y)
    {
        SDL_Surface* s = SDL_GetWindowSurface(window);
        const auto* row = static_cast<const Uint8*>(s->pixels) + y * s->pitch;
        Uint8 r = 0, g = 0, b = 0;
        SDL_GetRGB(reinterpret_cast<const Uint32*>(row)[x], s->format, &r, &g, &b);
        return (Uint32{r} << 16) | (Uint32{g} << 8) | b;
    }

    HWND w = 0;
    std::unique_ptr<Presenter> presenter;
    std::vector<std::vector<RECT>> drawn;
};

TEST_F(PresenterTest, MouseEventsArriveAsClientMessagesAndDoubleClicksAsSuch)
{
    mouse(SDL_MOUSEMOTION, 15, 25);
    mouse(SDL_MOUSEBUTTONDOWN, 15, 25);
    mouse(SDL_MOUSEBUTTONUP, 15, 25);
    mouse(SDL_MOUSEBUTTONDOWN, 16, 25); // at once, a pixel away: a double click
    mouse(SDL_MOUSEBUTTONUP, 16, 25);
    mouse(SDL_MOUSEBUTTONDOWN, 16, 25, SDL_BUTTON_RIGHT);
    presenter->wait(0);
    EXPECT_TRUE(recorder.matches(Seq{input(w, WM_MOUSEMOVE).with_lparam(MAKELPARAM(5, 5)),
        input(w, WM_LBUTTONDOWN).with_wparam(MK_LBUTTON), input(w, WM_LBUTTONUP),
        input(w, WM_LBUTTONDBLCLK).with_lparam(MAKELPARAM(6, 5)), input(w, WM_LBUTTONUP),
        input(w, WM_RBUTTONDOWN).with_wparam(MK_RBUTTON)}));
}

// Each event is delivered before the next one is read, so Shift is down
// while its letter arrives. A text event is input of its own, delivered
// between its key's down and up; the character a key makes by itself
// (Enter) is translated from the key down.
TEST_F(PresenterTest, KeysGiveCodesAndTheirCharactersAndTextGivesCharacters)
{
    bool shift_with_r = false;
    on(w, WM_KEYDOWN, [&](HWND, WPARAM vk, LPARAM) {
        shift_with_r = shift_with_r || (vk == 'R' && wm().key_is_down(VK_SHIFT));
        return 0;
    });
    key(SDL_KEYDOWN, SDLK_LSHIFT);
    key(SDL_KEYDOWN, SDLK_r);
    text("R");
    key(SDL_KEYUP, SDLK_r);
    key(SDL_KEYUP, SDLK_LSHIFT);
    text("é€");
    key(SDL_KEYDOWN, SDLK_RETURN);
    key(SDL_KEYUP, SDLK_RETURN);
    presenter->wait(0);
    EXPECT_TRUE(recorder.matches(
        Seq{input(w, WM_KEYDOWN).with_wparam(VK_SHIFT), input(w, WM_KEYDOWN).with_wparam('R'),
            input(w, WM_CHAR).with_wparam('R'), input(w, WM_KEYUP).with_wparam('R'),
            input(w, WM_KEYUP).with_wparam(VK_SHIFT), input(w, WM_CHAR).with_wparam(0xE9),
            input(w, WM_CHAR).with_wparam(0x20AC), input(w, WM_KEYDOWN).with_wparam(VK_RETURN),
            posted(w, WM_CHAR).with_wparam(13), input(w, WM_KEYUP).with_wparam(VK_RETURN)}));
}

TEST_F(PresenterTest, WheelAndScaledPointsAndLostFocusReleasesKeys)
{
    open(2);
    mouse(SDL_MOUSEMOTION, 41, 61); // screen (20, 30)
    SDL_Event wheel{};
    wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.y = -1;
    push(wheel);
    key(SDL_KEYDOWN, SDLK_LCTRL);
    SDL_Event lost{};
    lost.type = SDL_WINDOWEVENT;
    lost.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    push(lost);
    presenter->wait(0);
    EXPECT_TRUE(recorder.matches(Seq{input(w, WM_MOUSEMOVE).with_lparam(MAKELPARAM(10, 10)),
        input(w, WM_MOUSEWHEEL).with_wparam(MAKEWPARAM(0, -120)),
        input(w, WM_KEYDOWN).with_wparam(VK_CONTROL), input(w, WM_KEYUP).with_wparam(VK_CONTROL)}));
    EXPECT_FALSE(wm().key_is_down(VK_CONTROL));
}

// Only what changed is drawn: a window's rectangle when it repaints, where
// it was and where it is when it moves, nothing for a hidden window, and
// nothing at all when nothing changed.
TEST_F(PresenterTest, DamageGivesTheRedrawRectangles)
{
    const HWND hidden = top("hidden", 200, 100, 30, 30, 0);
    presenter->wait(0);
    EXPECT_TRUE(drawn.empty());
    InvalidateRect(w, nullptr, 1);
    InvalidateRect(hidden, nullptr, 1);
    presenter->wait(0);
    MoveWindow(w, 150, 120, 100, 50, 1);
    presenter->wait(0);
    ShowWindow(hidden, SW_SHOW);
    ShowWindow(w, SW_HIDE);
    presenter->wait(0);
    EXPECT_EQ(drawn,
        (std::vector<std::vector<RECT>>{{{10, 20, 110, 70}},
            {{10, 20, 110, 70}, {150, 120, 250, 170}}, {{150, 100, 250, 170}}}));
}

TEST_F(PresenterTest, TheWindowShowsTheCompositorsPixelsAtEveryScale)
{
    for (int scale : {1, 2}) {
        open(scale);
        SDL_Window* window = SDL_GetWindowFromID(presenter->window_id());
        const gfx::Surface& screen = gfx::Compositor::the().screen();
        for (const POINT p : {POINT{0, 0}, POINT{12, 22}, POINT{319, 239}}) {
            const gfx::Rgb want = screen.pixel(p.x, p.y);
            const Uint32 rgb = (Uint32{want.r} << 16) | (Uint32{want.g} << 8) | want.b;
            EXPECT_EQ(shown_pixel(window, p.x * scale, p.y * scale), rgb) << scale;
            EXPECT_EQ(shown_pixel(window, p.x * scale + scale - 1, p.y * scale + scale - 1), rgb);
        }
    }
}

} // namespace
} // namespace present
