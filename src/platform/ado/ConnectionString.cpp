#include "platform/ado/ConnectionString.h"

#include <algorithm>

#include "platform/vb/Ascii.h"
#include "platform/vb/Error.h"

namespace ado {

namespace {

constexpr std::string_view k_source = "ADODB.Connection";

[[noreturn]] void malformed(const std::string& why)
{
    vb::raise(
        vb::err::UnspecifiedError, "Connection string is malformed: " + why, std::string(k_source));
}

bool is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && is_blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && is_blank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Reads a quoted value starting at text[pos] (the quote); returns it and
// leaves pos after the closing quote.
std::string read_quoted(std::string_view text, std::size_t& pos, const std::string& key)
{
    const char quote = text[pos++];
    std::string value;
    while (true) {
        if (pos >= text.size())
            malformed("the value of '" + key + "' has no closing quote");
        const char c = text[pos++];
        if (c != quote) {
            value += c;
            continue;
        }
        if (pos < text.size() && text[pos] == quote) {
            value += quote;
            ++pos;
            continue;
        }
        return value;
    }
}

} // namespace

ConnectionString ConnectionString::parse(std::string_view text)
{
    ConnectionString result;
    std::size_t pos = 0;
    while (pos < text.size()) {
        // 1. The key runs to '='; a pair without one is an error unless blank.
        const std::size_t eq = text.find('=', pos);
        const std::size_t semi = text.find(';', pos);
        if (eq == std::string_view::npos || (semi != std::string_view::npos && semi < eq)) {
            const auto rest
                = trim(text.substr(pos, semi == std::string_view::npos ? semi : semi - pos));
            if (!rest.empty()) // not repeated: it may be part of a password
                malformed("the part at character " + std::to_string(pos + 1) + " has no '='");
            pos = semi == std::string_view::npos ? text.size() : semi + 1;
            continue;
        }
        const std::string key(trim(text.substr(pos, eq - pos)));
        if (key.empty())
            malformed("a pair has no key");
        // 2. The value: quoted, or plain up to the next ';'.
        pos = eq + 1;
        while (pos < text.size() && is_blank(text[pos]))
            ++pos;
        std::string value;
        if (pos < text.size() && (text[pos] == '\'' || text[pos] == '"')) {
            value = read_quoted(text, pos, key);
            while (pos < text.size() && is_blank(text[pos]))
                ++pos;
            if (pos < text.size() && text[pos] != ';')
                malformed("text follows the quoted value of '" + key + "'");
        } else {
            const std::size_t end = text.find(';', pos);
            value = std::string(
                trim(text.substr(pos, end == std::string_view::npos ? end : end - pos)));
            pos = end == std::string_view::npos ? text.size() : end;
        }
        if (pos < text.size())
            ++pos; // the ';'
        // 3. A later key replaces an earlier one.
        std::erase_if(result.m_pairs, [&](const Pair& p) { return vb::iequals(p.key, key); });
        result.m_pairs.push_back({key, std::move(value)});
    }
    return result;
}

std::optional<std::string> ConnectionString::get(std::string_view key) const
{
    for (const auto& p : m_pairs) {
        if (vb::iequals(p.key, key))
            return p.value;
    }
    return std::nullopt;
}

std::optional<std::string> ConnectionString::get_any(
    std::initializer_list<std::string_view> keys) const
{
    for (const auto key : keys) {
        if (auto v = get(key))
            return v;
    }
    return std::nullopt;
}

} // namespace ado
