#include "platform/present/Presenter.h"

#include <SDL.h>
#include <cairo.h>

#include <algorithm>
#include <string_view>

#include "platform/gfx/Compositor.h"
#include "platform/host/ModalLoop.h"
#include "platform/host/Screen.h"
#include "platform/present/Damage.h"
#include "platform/present/Input.h"
#include "platform/vb/Error.h"
#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"

namespace present {

namespace {

// A source surface over the compositor's screen, without a copy: Cairo's
// ARGB32 is SDL's ARGB8888 (and its RGB888 without the alpha byte), and
// every pixel of the screen is opaque.
struct ScreenView {
    ScreenView(const gfx::Surface& screen, Uint32 format)
    {
        cairo_surface_t* s = screen.cairo();
        cairo_surface_flush(s);
        surface = SDL_CreateRGBSurfaceWithFormatFrom(cairo_image_surface_get_data(s),
            screen.width(), screen.height(), 32, cairo_image_surface_get_stride(s), format);
        if (surface != nullptr)
            SDL_SetSurfaceBlendMode(surface, SDL_BLENDMODE_NONE);
    }
    ScreenView(const ScreenView&) = delete;
    ScreenView& operator=(const ScreenView&) = delete;
    ~ScreenView() { SDL_FreeSurface(surface); }
    SDL_Surface* surface = nullptr;
};

// The screen's pixels read as the window's own format when that differs
// only in the alpha byte (which every screen pixel has opaque), so that a
// blit is a copy of rows instead of a conversion of each pixel.
Uint32 same_pixels(Uint32 window_format)
{
    return window_format == SDL_PIXELFORMAT_RGB888 ? SDL_PIXELFORMAT_RGB888
                                                   : SDL_PIXELFORMAT_ARGB8888;
}

SDL_Rect sdl_rect(const win::RECT& r, int scale)
{
    return {r.left * scale, r.top * scale, r.width() * scale, r.height() * scale};
}

[[noreturn]] void fail(std::string_view what)
{
    vb::raise(
        vb::err::InvalidProcedureCall, std::string(what) + ": " + SDL_GetError(), "Presenter");
}

} // namespace

int choose_scale(
    float dpi, int display_width, int display_height, int usable_width, int usable_height)
{
    int scale = std::clamp(static_cast<int>(dpi / 96.0F), 1, 8);
    while (scale > 1
        && (display_width * scale > usable_width || display_height * scale > usable_height))
        --scale;
    return scale;
}

int system_cursor_of(int mouse_pointer)
{
    switch (mouse_pointer) {
    case 2:
        return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case 3:
        return SDL_SYSTEM_CURSOR_IBEAM;
    case 5:
    case 15:
        return SDL_SYSTEM_CURSOR_SIZEALL;
    case 6:
        return SDL_SYSTEM_CURSOR_SIZENESW;
    case 7:
        return SDL_SYSTEM_CURSOR_SIZENS;
    case 8:
        return SDL_SYSTEM_CURSOR_SIZENWSE;
    case 9:
        return SDL_SYSTEM_CURSOR_SIZEWE;
    case 11:
        return SDL_SYSTEM_CURSOR_WAIT;
    case 12:
        return SDL_SYSTEM_CURSOR_NO;
    case 13:
        return SDL_SYSTEM_CURSOR_WAITARROW;
    default: // 0 default, 1 arrow, 4 icon, 10 up arrow, 14 arrow and question, 99 custom
        return SDL_SYSTEM_CURSOR_ARROW;
    }
}

struct Presenter::Impl {
    explicit Impl(int scale) : input(scale), scale(scale) {}
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;
    ~Impl()
    {
        if (cursor != nullptr)
            SDL_FreeCursor(cursor);
        if (window != nullptr)
            SDL_DestroyWindow(window);
    }

    void present(const std::function<void(const std::vector<win::RECT>&)>& told);
    void fit_window();
    void follow_pointer_shape();

    DamageTracker damage;
    InputTranslator input;
    int scale;
    SDL_Window* window = nullptr;
    SDL_Cursor* cursor = nullptr;
    int pointer = -1;
    long frames = 0;
};

// The window is the display's size times the scale; a changed display
// resizes it (and damaged the whole screen already).
void Presenter::Impl::fit_window()
{
    const auto& display = win::WindowManager::the().display();
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(window, &w, &h);
    if (w != display.width * scale || h != display.height * scale)
        SDL_SetWindowSize(window, display.width * scale, display.height * scale);
}

// 1. The compositor renders each damaged rectangle (a window asking for a
//    repaint while it is painted damages nothing more).
// 2. Those rectangles, scaled, are copied to the window's surface and shown.
void Presenter::Impl::present(const std::function<void(const std::vector<win::RECT>&)>& told)
{
    if (damage.empty())
        return;
    fit_window();
    const std::vector<win::RECT> rects = damage.take();
    auto& compositor = gfx::Compositor::the();
    damage.set_painting(true);
    for (const auto& r : rects)
        compositor.render(r);
    damage.set_painting(false);
    SDL_Surface* target = SDL_GetWindowSurface(window);
    if (target == nullptr)
        return;
    const ScreenView view(compositor.screen(), same_pixels(target->format->format));
    if (view.surface == nullptr)
        return;
    std::vector<SDL_Rect> shown;
    for (const auto& r : rects) {
        SDL_Rect from = sdl_rect(r, 1);
        SDL_Rect to = sdl_rect(r, scale);
        if (scale == 1)
            SDL_BlitSurface(view.surface, &from, target, &to);
        else
            SDL_BlitScaled(view.surface, &from, target, &to);
        shown.push_back(to);
    }
    SDL_UpdateWindowSurfaceRects(window, shown.data(), static_cast<int>(shown.size()));
    ++frames;
    if (told)
        told(rects);
}

void Presenter::Impl::follow_pointer_shape()
{
    const int wanted = host::Screen::the().get_MousePointer();
    if (wanted == pointer)
        return;
    pointer = wanted;
    SDL_Cursor* next
        = SDL_CreateSystemCursor(static_cast<SDL_SystemCursor>(system_cursor_of(wanted)));
    if (next == nullptr)
        return;
    SDL_SetCursor(next);
    if (cursor != nullptr)
        SDL_FreeCursor(cursor);
    cursor = next;
}

bool Presenter::display_available()
{
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    const std::string_view name = driver != nullptr ? driver : "";
    const bool shows = name != "dummy" && name != "offscreen";
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return shows;
}

Presenter::Presenter(Options options)
{
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        fail("Cannot start the video");
    const auto& display = win::WindowManager::the().display();
    int scale = options.scale;
    if (scale <= 0) {
        float dpi = 0;
        SDL_Rect usable{0, 0, display.width, display.height};
        SDL_GetDisplayDPI(0, &dpi, nullptr, nullptr);
        SDL_GetDisplayUsableBounds(0, &usable);
        scale = choose_scale(dpi, display.width, display.height, usable.w, usable.h);
    }
    m_impl = std::make_unique<Impl>(scale);
    m_impl->window = SDL_CreateWindow(options.title.c_str(), SDL_WINDOWPOS_CENTERED,
        SDL_WINDOWPOS_CENTERED, display.width * scale, display.height * scale, SDL_WINDOW_SHOWN);
    if (m_impl->window == nullptr) {
        m_impl.reset();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        fail("Cannot open the window");
    }
    SDL_StartTextInput();
    host::set_input_wait([this] { return wait(-1); });
}

Presenter::~Presenter()
{
    host::set_input_wait({});
    m_impl.reset();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void Presenter::handle(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT:
        m_closed = true;
        return;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE)
            m_closed = true;
        else if (event.window.event == SDL_WINDOWEVENT_EXPOSED)
            SDL_UpdateWindowSurface(m_impl->window);
        break;
    default:
        break;
    }
    m_impl->input.handle(event);
}

void Presenter::update()
{
    win::PumpMessages();
    m_impl->present(on_present);
    m_impl->follow_pointer_shape();
}

bool Presenter::wait(int timeout_ms)
{
    update();
    if (m_closed)
        return false;
    // The idle work runs until it gives the window something to do (or
    // stops): a script's action that only waits or writes a picture pushes
    // no event.
    while (on_idle && !m_closed && SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) == SDL_FALSE) {
        const auto idle = on_idle; // it may replace itself
        idle();
        update();
    }
    if (m_closed)
        return false;
    SDL_Event event;
    const int got
        = timeout_ms < 0 ? SDL_WaitEvent(&event) : SDL_WaitEventTimeout(&event, timeout_ms);
    // Each event is delivered before the next is read, so the device state
    // a handler sees (a key held, a button down) is that of its own event.
    for (bool more = got != 0; more; more = SDL_PollEvent(&event) != 0) {
        handle(event);
        win::PumpMessages();
    }
    update();
    return !m_closed;
}

void Presenter::run()
{
    while (wait(-1)) {}
}

int Presenter::scale() const
{
    return m_impl->scale;
}

std::uint32_t Presenter::window_id() const
{
    return SDL_GetWindowID(m_impl->window);
}

long Presenter::frames() const
{
    return m_impl->frames;
}

} // namespace present
