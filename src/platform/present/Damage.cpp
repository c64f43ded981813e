#include "platform/present/Damage.h"

#include <algorithm>

#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"

namespace present {

namespace {

bool touch(const win::RECT& a, const win::RECT& b)
{
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

win::RECT bounding(const win::RECT& a, const win::RECT& b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
        std::max(a.bottom, b.bottom)};
}

} // namespace

void DamageRegion::add(const win::RECT& r)
{
    if (r.empty())
        return;
    win::RECT merged = r;
    // A merge can make the rectangle touch others it did not before.
    for (bool again = true; again;) {
        again = false;
        for (auto it = m_rects.begin(); it != m_rects.end(); ++it) {
            if (touch(*it, merged)) {
                merged = bounding(*it, merged);
                m_rects.erase(it);
                again = true;
                break;
            }
        }
    }
    m_rects.push_back(merged);
    if (m_rects.size() > k_max_rects) {
        win::RECT all = m_rects.front();
        for (const auto& each : m_rects)
            all = bounding(all, each);
        m_rects = {all};
    }
}

std::vector<win::RECT> DamageRegion::take(const win::RECT& bounds)
{
    std::vector<win::RECT> out;
    for (const auto& r : m_rects) {
        const win::RECT clipped = win::intersection(r, bounds);
        if (!clipped.empty())
            out.push_back(clipped);
    }
    m_rects.clear();
    return out;
}

DamageTracker::DamageTracker()
{
    auto& wm = win::WindowManager::the();
    m_previous = wm.on_invalidate;
    wm.on_invalidate = [this](win::HWND hwnd) {
        invalidated(hwnd);
        if (m_previous)
            m_previous(hwnd);
    };
    m_previous_part = wm.on_invalidate_part;
    wm.on_invalidate_part = [this](win::HWND hwnd, const win::RECT& part) {
        invalidated_part(hwnd, part);
        if (m_previous_part)
            m_previous_part(hwnd, part);
    };
    damage_all();
}

DamageTracker::~DamageTracker()
{
    auto& wm = win::WindowManager::the();
    wm.on_invalidate = m_previous;
    wm.on_invalidate_part = m_previous_part;
}

void DamageTracker::damage_all()
{
    const auto& display = win::WindowManager::the().display();
    m_region.add({0, 0, display.width, display.height});
    remember_subtree(win::GetDesktopWindow());
}

// 1. Where it was shown, if it was. 2. Where it is shown now, if it is.
// 3. It and the windows inside it (which move with it) are remembered as
// they are now.
void DamageTracker::invalidated(win::HWND hwnd)
{
    if (hwnd == win::GetDesktopWindow()) {
        damage_all();
        return;
    }
    if (m_painting)
        return;
    if (const auto it = m_shown.find(hwnd); it != m_shown.end() && it->second.visible)
        m_region.add(it->second.rect);
    win::RECT now{};
    if (win::GetWindowRect(hwnd, &now) && win::IsWindowVisible(hwnd))
        m_region.add(now);
    remember_subtree(hwnd);
}

// The window stays where it is: the part, moved to the screen and clipped
// to the window, is all that changed. A hidden window shows nothing.
void DamageTracker::invalidated_part(win::HWND hwnd, const win::RECT& part)
{
    if (m_painting)
        return;
    win::RECT window{};
    if (!win::GetWindowRect(hwnd, &window) || !win::IsWindowVisible(hwnd))
        return;
    win::POINT origin{0, 0};
    win::ClientToScreen(hwnd, &origin);
    m_region.add(win::intersection(
        {part.left + origin.x, part.top + origin.y, part.right + origin.x, part.bottom + origin.y},
        window));
}

void DamageTracker::remember_subtree(win::HWND hwnd)
{
    std::vector<win::HWND> todo{hwnd};
    auto& wm = win::WindowManager::the();
    while (!todo.empty()) {
        const win::HWND h = todo.back();
        todo.pop_back();
        Shown shown;
        if (!win::GetWindowRect(h, &shown.rect)) {
            m_shown.erase(h);
            continue;
        }
        shown.visible = win::IsWindowVisible(h) != 0;
        m_shown[h] = shown;
        const auto children = wm.children(h);
        todo.insert(todo.end(), children.begin(), children.end());
    }
}

std::vector<win::RECT> DamageTracker::take()
{
    // Destroyed windows were told as hidden; forget them now and then.
    if (m_shown.size() > 256)
        std::erase_if(m_shown, [](const auto& entry) { return !win::IsWindow(entry.first); });
    const auto& display = win::WindowManager::the().display();
    return m_region.take({0, 0, display.width, display.height});
}

} // namespace present
