#pragma once
// Tells sites that the keyboard focus entered or left them. One per thread;
// it listens to the window manager's focus changes and asks every live
// site, exits first (latest site first) and then entries, whether the
// focus is now inside it. Each site remembers whether it had the focus, so
// a window that was destroyed while focused still counts as left.

#include <vector>

#include "platform/win/Types.h"

namespace host {

class Site;

class FocusTracker {
public:
    static FocusTracker& the();

    // Registering also (re)installs the window manager listener, which a
    // reset of the window manager removes.
    void add(Site* site);
    void remove(Site* site);

private:
    void changed();
    [[nodiscard]] bool registered(const Site* site) const;

    std::vector<Site*> m_sites;
};

} // namespace host
