#pragma once
// The compositor paints every visible window of the calling thread into one
// screen image the size of the display, and writes PNG files of the screen
// or of one window at any time. It needs no display server.
//
// Painting contract (numbered as the steps in Compositor.cpp):
//  1. The desktop is filled with the desktop colour (COLOR_BACKGROUND).
//  2. Top-level windows are painted bottom-most first, top-most windows
//     last; after a window come its children, bottom-most first, so a
//     window covers its parent and the siblings below it.
//  3. A window is painted only when it has WS_VISIBLE; a hidden window hides
//     its children too.
//  4. Each window is clipped to its own rectangle and to its parent's
//     client area (and so to every ancestor's).
//  5. The window's rectangle is filled with its class background, unless
//     that is 0xFFFFFFFF ("none").
//  6. The window receives WM_PAINT with wParam = a gfx::Canvas* (see
//     canvas_of) whose origin is the window's top-left corner and whose clip
//     is the window's visible part; lParam is 0. The canvas lives only
//     during that call.
//
// NOTE: a window that asks for a repaint while the compositor is painting
// (Refresh inside WM_PAINT) gets nothing more: the render in progress
// already paints it, and a nested render would repaint the screen under the
// painter's feet.

#include <filesystem>
#include <memory>

#include "platform/gfx/Image.h"
#include "platform/gfx/Surface.h"
#include "platform/win/Types.h"

namespace gfx {

class Compositor {
public:
    // The calling thread's compositor, made on first use.
    static Compositor& the();

    Compositor() = default;
    Compositor(const Compositor&) = delete;
    Compositor& operator=(const Compositor&) = delete;

    // Paints the whole screen, or only the part inside `region` (screen
    // pixels); the rest of the screen image keeps what it had.
    void render();
    void render(const win::RECT& region);

    // A display wider or taller than Image::k_max_side raises 380 here and in
    // every render.
    //
    // The screen image as last rendered (rendered first if it never was, or
    // when the display changed size).
    [[nodiscard]] const Surface& screen();

    // Render the whole screen, then copy it or one window's rectangle
    // (clipped to the screen). A handle that is not a window raises 5.
    [[nodiscard]] Image snapshot();
    [[nodiscard]] Image snapshot(win::HWND hwnd);
    // The same as PNG files; raise 75 naming a file that cannot be written.
    void write_png(const std::filesystem::path& path);
    void write_png(const std::filesystem::path& path, win::HWND hwnd);

private:
    bool ensure_screen();
    void paint_tree(win::HWND hwnd, const win::RECT& clip);
    [[nodiscard]] win::RECT window_rect_on_screen(win::HWND hwnd);

    std::unique_ptr<Surface> m_screen;
    bool m_rendering = false;
};

} // namespace gfx
