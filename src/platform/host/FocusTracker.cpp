#include "platform/host/FocusTracker.h"

#include <algorithm>

#include "platform/host/Site.h"
#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"

namespace host {

FocusTracker& FocusTracker::the()
{
    thread_local FocusTracker tracker;
    return tracker;
}

void FocusTracker::add(Site* site)
{
    m_sites.push_back(site);
    win::WindowManager::the().on_focus_change = [](win::HWND) { FocusTracker::the().changed(); };
}

void FocusTracker::remove(Site* site)
{
    std::erase(m_sites, site);
}

bool FocusTracker::registered(const Site* site) const
{
    return std::find(m_sites.begin(), m_sites.end(), site) != m_sites.end();
}

// The focus is read again for every site: a handler that moves the focus
// runs a nested change, and what the outer one tells later sites must be
// where the focus ended up. Sites removed meanwhile are skipped.
void FocusTracker::changed()
{
    auto sites = m_sites;
    for (auto it = sites.rbegin(); it != sites.rend(); ++it) {
        if (registered(*it))
            (*it)->focus_moved(win::GetFocus(), true);
    }
    for (Site* site : sites) {
        if (registered(site))
            site->focus_moved(win::GetFocus(), false);
    }
}

} // namespace host
