#pragma once
// Case folding for text that is matched case-insensitively: Unicode
// compatibility normalisation with full case folding (NFKC_Casefold), so
// "Zürich" and "ZÜRICH", "Łódź" and "łÓdŹ", a composed and a decomposed "ü"
// fold to the same bytes. Folded texts compare by their bytes, which is the
// order of their code points.
//
// Text that is not valid UTF-8 is folded byte by byte (ASCII letters only),
// so every value still has one folded form.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/vb/Ascii.h"

namespace ado {

// Whether every byte is ASCII: such a text folds to its lower case, and a
// byte that follows it cannot change how it folds unless it is not ASCII.
[[nodiscard]] inline bool all_ascii(std::string_view text)
{
    bool all = true;
    for (const char c : text)
        all = all && static_cast<unsigned char>(c) < 0x80;
    return all;
}

// Whether `text` folds to a text that starts with `folded` (or, when
// `whole`, equals it), read from its bytes when the first folded.size() + 1
// of them are ASCII: those fold to their lower case, and nothing after them
// can change them (a code point that combines with, or vanishes next to, the
// last compared byte is not ASCII). Nothing when they are not.
[[nodiscard]] inline std::optional<bool> ascii_match(
    std::string_view text, std::string_view folded, bool whole)
{
    if (!all_ascii(text.substr(0, folded.size() + 1)))
        return std::nullopt;
    if (text.size() < folded.size() || (whole && text.size() != folded.size()))
        return false;
    for (std::size_t i = 0; i < folded.size(); ++i) {
        if (vb::ascii_lower(text[i]) != folded[i])
            return false;
    }
    return true;
}

// Appends the folded form of `text` to `out`.
void append_case_fold(std::string_view text, std::string& out);
// Appends at least the first `bytes` bytes of the folded form of `text`
// (all of it when it is shorter), folding no more of `text` than that needs.
void append_case_fold_head(std::string_view text, std::size_t bytes, std::string& out);

[[nodiscard]] std::string case_fold(std::string_view text);

// The first four bytes of a folded text as one number, the first byte
// lowest, Nul bytes after a shorter text: what a search compares before it
// looks at a whole text. folded_prefix(t) == prefix_key(case_fold(t)).
[[nodiscard]] std::uint32_t folded_prefix(std::string_view text);
[[nodiscard]] std::uint32_t prefix_key(std::string_view folded);

} // namespace ado
