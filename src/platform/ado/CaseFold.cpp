#include "platform/ado/CaseFold.h"

#include <cstdlib>
#include <memory>

#include <utf8proc.h>

#include "platform/vb/Ascii.h"

namespace ado {

namespace {

constexpr auto k_options = static_cast<utf8proc_option_t>(
    UTF8PROC_STABLE | UTF8PROC_COMPOSE | UTF8PROC_COMPAT | UTF8PROC_CASEFOLD | UTF8PROC_IGNORE);

struct FreeDeleter {
    void operator()(utf8proc_uint8_t* p) const { std::free(p); }
};

} // namespace

void append_case_fold(std::string_view text, std::string& out)
{
    // ASCII folds to its lower case and needs no normalisation: the common
    // case takes no library call.
    bool ascii = true;
    for (const char c : text)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) {
        for (const char c : text)
            out += vb::ascii_lower(c);
        return;
    }
    utf8proc_uint8_t* raw = nullptr;
    const utf8proc_ssize_t n = utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(text.data()),
        static_cast<utf8proc_ssize_t>(text.size()), &raw, k_options);
    const std::unique_ptr<utf8proc_uint8_t, FreeDeleter> folded(raw);
    if (n < 0) {
        for (const char c : text)
            out += vb::ascii_lower(c);
        return;
    }
    out.append(reinterpret_cast<const char*>(folded.get()), static_cast<std::size_t>(n));
}

std::string case_fold(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    append_case_fold(text, out);
    return out;
}

} // namespace ado
