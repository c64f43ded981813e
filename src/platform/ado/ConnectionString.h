#pragma once
// Connection strings as the data-access library writes them: `key=value`
// pairs separated by ';'. Keys are case-insensitive and trimmed; a value may
// be quoted with ' or " (the quote doubled inside stands for itself), which
// lets it hold ';' and leading or trailing blanks. Empty pairs are skipped;
// a later key replaces an earlier one.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ado {

class ConnectionString {
public:
    struct Pair {
        std::string key; // as written, trimmed
        std::string value;
    };

    // Raises -2147467259 with a description naming the fault for a pair
    // without '=', an empty key or an unterminated quote. The description
    // never repeats a value, which may be a password.
    static ConnectionString parse(std::string_view text);

    // The value of a key (any of the given spellings), or nothing.
    [[nodiscard]] std::optional<std::string> get(std::string_view key) const;
    [[nodiscard]] std::optional<std::string> get_any(
        std::initializer_list<std::string_view> keys) const;
    [[nodiscard]] const std::vector<Pair>& pairs() const { return m_pairs; }

private:
    std::vector<Pair> m_pairs;
};

} // namespace ado
