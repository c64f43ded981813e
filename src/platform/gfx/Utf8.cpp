#include "platform/gfx/Utf8.h"

#include <glib.h>

namespace gfx {

bool is_valid_utf8(std::string_view text)
{
    // g_utf8_validate stops at NUL when given a length, so NULs are checked
    // piece by piece.
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        const gchar* stop = nullptr;
        if (g_utf8_validate(p, end - p, &stop))
            return true;
        if (*stop != '\0')
            return false;
        p = stop + 1;
    }
    return true;
}

std::string valid_utf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        const gchar* bad = nullptr;
        g_utf8_validate(p, end - p, &bad);
        out.append(p, bad);
        if (bad == end)
            break;
        out += "\xEF\xBF\xBD"; // U+FFFD
        // Skip the invalid sequence: a NUL, or one byte of a broken sequence
        // together with the continuation bytes that follow it.
        p = bad + 1;
        if (*bad != '\0') {
            while (p < end && (static_cast<unsigned char>(*p) & 0xC0) == 0x80)
                ++p;
        }
    }
    return out;
}

int char_count(std::string_view text)
{
    auto valid = valid_utf8(text);
    return static_cast<int>(g_utf8_strlen(valid.data(), static_cast<gssize>(valid.size())));
}

} // namespace gfx
