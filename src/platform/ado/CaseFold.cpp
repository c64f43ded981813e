#include "platform/ado/CaseFold.h"

#include <algorithm>
#include <array>
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

void append_ascii_lower(std::string_view text, std::string& out)
{
    for (const char c : text)
        out += vb::ascii_lower(c);
}

// Through the library; false for text that is not UTF-8.
bool append_library_fold(std::string_view text, std::string& out)
{
    utf8proc_uint8_t* raw = nullptr;
    const utf8proc_ssize_t n = utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(text.data()),
        static_cast<utf8proc_ssize_t>(text.size()), &raw, k_options);
    const std::unique_ptr<utf8proc_uint8_t, FreeDeleter> folded(raw);
    if (n < 0)
        return false;
    out.append(reinterpret_cast<const char*>(folded.get()), static_cast<std::size_t>(n));
    return true;
}

// Every code point below U+0250 (Latin-1, Latin Extended-A and -B) folded on
// its own. None of their folded forms starts with a combining mark, and
// none combines with the next one's, so a text of such code points folds
// code point by code point: the European letters take no library call.
constexpr char32_t k_latin_end = 0x250;

struct LatinTable {
    std::array<std::string, k_latin_end> folded;
    LatinTable()
    {
        for (char32_t cp = 0; cp < k_latin_end; ++cp) {
            char utf8[2];
            const std::size_t n = cp < 0x80 ? 1 : 2;
            if (n == 1) {
                utf8[0] = static_cast<char>(cp);
            } else {
                utf8[0] = static_cast<char>(0xC0 | (cp >> 6));
                utf8[1] = static_cast<char>(0x80 | (cp & 0x3F));
            }
            if (!append_library_fold(std::string_view(utf8, n), folded[cp]))
                folded[cp] = std::string(utf8, n);
        }
    }
};

const LatinTable& latin()
{
    static const LatinTable table;
    return table;
}

// The Latin way, or false (and `out` as it was) when a code point lies
// beyond it or the text is not UTF-8.
bool append_latin_fold(std::string_view text, std::string& out)
{
    const std::size_t start = out.size();
    const auto& table = latin().folded;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            out += vb::ascii_lower(text[i]);
            ++i;
            continue;
        }
        const bool two_bytes = lead >= 0xC2 && lead <= 0xC9 && i + 1 < text.size()
            && (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80;
        if (!two_bytes) {
            out.resize(start);
            return false;
        }
        const char32_t cp
            = ((lead & 0x1FU) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3FU);
        if (cp >= k_latin_end) {
            out.resize(start);
            return false;
        }
        out += table[cp];
        i += 2;
    }
    return true;
}

} // namespace

void append_case_fold(std::string_view text, std::string& out)
{
    // ASCII folds to its lower case and needs no normalisation: the common
    // case takes no library call.
    if (all_ascii(text)) {
        append_ascii_lower(text, out);
        return;
    }
    if (append_latin_fold(text, out) || append_library_fold(text, out))
        return;
    append_ascii_lower(text, out);
}

namespace {

// Whether the library reads `text` as UTF-8 (and so folds it rather than
// lowering its ASCII letters only).
bool library_utf8(std::string_view text)
{
    if (all_ascii(text))
        return true;
    const auto* p = reinterpret_cast<const utf8proc_uint8_t*>(text.data());
    auto left = static_cast<utf8proc_ssize_t>(text.size());
    while (left > 0) {
        utf8proc_int32_t cp = 0;
        const utf8proc_ssize_t n = utf8proc_iterate(p, left, &cp);
        if (n <= 0)
            return false;
        p += n;
        left -= n;
    }
    return true;
}

} // namespace

// A text folds piece by piece where a piece ends before an ASCII byte: no
// code point composes with, reorders across or changes by a following ASCII
// one, and byte-wise lowering (for text that is not UTF-8) is byte by byte.
// So the head up to such a byte folds to the start of the whole's folded
// form, unless the rest is not UTF-8 while the head is, which makes the
// whole fold byte-wise.
void append_case_fold_head(std::string_view text, std::size_t bytes, std::string& out)
{
    const std::size_t start = out.size();
    for (std::size_t want = bytes;; want = 2 * want + 1) {
        std::size_t cut = want;
        while (cut < text.size() && static_cast<unsigned char>(text[cut]) >= 0x80)
            ++cut;
        out.resize(start);
        if (cut >= text.size() || !library_utf8(text.substr(cut))) {
            append_case_fold(text, out);
            return;
        }
        append_case_fold(text.substr(0, cut), out);
        // Folding may take bytes away (a soft hyphen, a Kelvin sign): more.
        if (out.size() - start >= bytes)
            return;
    }
}

std::string case_fold(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    append_case_fold(text, out);
    return out;
}

std::uint32_t folded_prefix(std::string_view text)
{
    // Five ASCII bytes: the first four fold on their own, as a code point
    // that could combine with the fourth would not be ASCII.
    const std::size_t head = std::min<std::size_t>(text.size(), 5);
    std::uint32_t key = 0;
    if (all_ascii(text.substr(0, head))) {
        for (std::size_t i = 0; i < std::min<std::size_t>(head, 4); ++i)
            key |= std::uint32_t(static_cast<unsigned char>(vb::ascii_lower(text[i]))) << (8 * i);
        return key;
    }
    thread_local std::string scratch;
    scratch.clear();
    append_case_fold_head(text, 4, scratch);
    return prefix_key(scratch);
}

std::uint32_t prefix_key(std::string_view folded)
{
    std::uint32_t key = 0;
    for (std::size_t i = 0; i < std::min<std::size_t>(folded.size(), 4); ++i)
        key |= std::uint32_t(static_cast<unsigned char>(folded[i])) << (8 * i);
    return key;
}

} // namespace ado
