// Window classes. Like procedure numbers they belong to the process, not to
// a thread: every thread sees every class, and WindowManager::reset keeps
// them (a class is code, not state).

#include <algorithm>
#include <map>
#include <mutex>

#include "platform/vb/Ascii.h"
#include "platform/win/WindowManagerImpl.h"

namespace win {

namespace {

struct Classes {
    std::mutex mutex;
    std::map<std::string, WNDCLASS> by_key;
};

Classes& classes()
{
    static Classes instance;
    return instance;
}

// Class names compare without regard to ASCII case, as the platform's do.
std::string key_of(std::string_view name)
{
    std::string key(name);
    std::ranges::transform(key, key.begin(), vb::ascii_lower);
    return key;
}

} // namespace

BOOL RegisterClassA(const WNDCLASS& cls)
{
    if (cls.name.empty() || cls.proc == nullptr || !detail::is_valid_text(cls.name)) {
        return FALSE;
    }
    Classes& all = classes();
    const std::scoped_lock lock(all.mutex);
    all.by_key[key_of(cls.name)] = cls;
    return TRUE;
}

std::optional<WNDCLASS> detail::find_class(std::string_view name)
{
    Classes& all = classes();
    const std::scoped_lock lock(all.mutex);
    auto it = all.by_key.find(key_of(name));
    if (it == all.by_key.end()) {
        return std::nullopt;
    }
    return it->second;
}

} // namespace win
