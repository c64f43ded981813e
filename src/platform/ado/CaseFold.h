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
#include <string>
#include <string_view>

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

// Appends the folded form of `text` to `out`.
void append_case_fold(std::string_view text, std::string& out);

[[nodiscard]] std::string case_fold(std::string_view text);

// The first four bytes of a folded text as one number, the first byte
// lowest, Nul bytes after a shorter text: what a search compares before it
// looks at a whole text. folded_prefix(t) == prefix_key(case_fold(t)).
[[nodiscard]] std::uint32_t folded_prefix(std::string_view text);
[[nodiscard]] std::uint32_t prefix_key(std::string_view folded);

} // namespace ado
