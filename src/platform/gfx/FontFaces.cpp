// Face resolution: the fixed table of Windows faces and their DejaVu
// stand-ins, then fontconfig for everything else.
#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <string>

#include <fontconfig/fontconfig.h>

#include "platform/gfx/Font.h"
#include "platform/vb/Ascii.h"

namespace gfx {

namespace {

constexpr std::string_view k_sans = "DejaVu Sans";
constexpr std::string_view k_mono = "DejaVu Sans Mono";
constexpr std::string_view k_serif = "DejaVu Serif";

struct Substitute {
    std::string_view face;
    std::string_view family;
};

// Faces a Windows form commonly names. Matching is case-insensitive.
constexpr std::array k_substitutes{
    Substitute{"MS Sans Serif", k_sans},
    Substitute{"Microsoft Sans Serif", k_sans},
    Substitute{"MS Shell Dlg", k_sans},
    Substitute{"MS Shell Dlg 2", k_sans},
    Substitute{"System", k_sans},
    Substitute{"Tahoma", k_sans},
    Substitute{"Arial", k_sans},
    Substitute{"Verdana", k_sans},
    Substitute{"Segoe UI", k_sans},
    Substitute{"Helvetica", k_sans},
    Substitute{"Calibri", k_sans},
    Substitute{"Courier", k_mono},
    Substitute{"Courier New", k_mono},
    Substitute{"Lucida Console", k_mono},
    Substitute{"Consolas", k_mono},
    Substitute{"Fixedsys", k_mono},
    Substitute{"Terminal", k_mono},
    Substitute{"Times New Roman", k_serif},
    Substitute{"Times", k_serif},
    Substitute{"MS Serif", k_serif},
    Substitute{"Georgia", k_serif},
};

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

// The family fontconfig picks for a name, or "" when it cannot match at all.
std::string fontconfig_family(const std::string& name)
{
    PatternPtr pattern(FcPatternCreate());
    if (!pattern)
        return {};
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
    if (!match)
        return {};
    FcChar8* family = nullptr;
    if (FcPatternGetString(match.get(), FC_FAMILY, 0, &family) != FcResultMatch || !family)
        return {};
    return reinterpret_cast<const char*>(family);
}

} // namespace

bool face_is_installed(std::string_view name)
{
    if (name.empty() || name.find('\0') != std::string_view::npos)
        return false;
    std::string n(name);
    return vb::iequals(fontconfig_family(n), n);
}

std::string resolve_face(std::string_view name)
{
    for (const auto& s : k_substitutes) {
        if (vb::iequals(s.face, name))
            return std::string(s.family);
    }
    // Cached per thread: fontconfig's answer does not change while we run.
    thread_local std::map<std::string, std::string> cache;
    std::string key(name);
    if (auto it = cache.find(key); it != cache.end())
        return it->second;
    std::string found = name.find('\0') == std::string_view::npos ? fontconfig_family(key) : "";
    std::string family = vb::iequals(found, key) ? found : std::string(k_sans);
    cache.emplace(key, family);
    return family;
}

} // namespace gfx

// Fontconfig, and Pango and Cairo through it, keep caches for the whole life
// of the process and free them nowhere; a leak check would report them on
// every exit. Only those libraries' own allocations are left out. This file
// is linked whenever text is measured or drawn, so the list is there when
// the caches are.
#if defined(__SANITIZE_ADDRESS__)
#define PENDREL_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PENDREL_LEAK_CHECKED 1
#endif
#endif
#ifdef PENDREL_LEAK_CHECKED
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n"
           "leak:libpangoft2-1.0.so\n";
}
#endif
