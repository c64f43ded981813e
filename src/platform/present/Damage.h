#pragma once
// What changed on the screen since it was last presented, as a few
// rectangles of screen pixels. The tracker listens to the window manager's
// on_invalidate: a window that changed damages where it is now and, when it
// moved, hid or was restacked, where it was shown before, so it remembers
// every window's last rectangle and visibility. A window that was hidden and
// stays hidden damages nothing. A part of a window that changed in place
// (InvalidateRect with a rectangle, on_invalidate_part) damages that part
// only, clipped to the window.

#include <functional>
#include <unordered_map>
#include <vector>

#include "platform/win/Types.h"

namespace present {

// A set of rectangles kept small: a rectangle that overlaps or touches one
// already there is merged into it (repeatedly), and past k_max_rects the
// set becomes its bounding box.
class DamageRegion {
public:
    static constexpr std::size_t k_max_rects = 8;

    void add(const win::RECT& r);
    [[nodiscard]] bool empty() const { return m_rects.empty(); }
    [[nodiscard]] const std::vector<win::RECT>& rects() const { return m_rects; }
    // The rectangles, clipped to `bounds` (empty ones dropped), and the
    // region emptied.
    [[nodiscard]] std::vector<win::RECT> take(const win::RECT& bounds);

private:
    std::vector<win::RECT> m_rects;
};

class DamageTracker {
public:
    // Listens to the calling thread's window manager, before any listener
    // that was there (which it still calls); the whole screen starts
    // damaged.
    DamageTracker();
    DamageTracker(const DamageTracker&) = delete;
    DamageTracker& operator=(const DamageTracker&) = delete;
    // Puts the previous listener back.
    ~DamageTracker();

    // The window changed (what on_invalidate reports).
    void invalidated(win::HWND hwnd);
    // A part of the window changed, `part` in its client coordinates.
    void invalidated_part(win::HWND hwnd, const win::RECT& part);
    // Everything, as after the window was exposed or the display changed.
    void damage_all();

    // While painting, the windows that ask for a repaint are being painted
    // already: their invalidations damage nothing.
    void set_painting(bool painting) { m_painting = painting; }

    [[nodiscard]] bool empty() const { return m_region.empty(); }
    [[nodiscard]] std::vector<win::RECT> take();

private:
    struct Shown {
        win::RECT rect;
        bool visible = false;
    };
    void remember_subtree(win::HWND hwnd);

    DamageRegion m_region;
    std::unordered_map<win::HWND, Shown> m_shown;
    std::function<void(win::HWND)> m_previous;
    std::function<void(win::HWND, const win::RECT&)> m_previous_part;
    bool m_painting = false;
};

} // namespace present
