#include "platform/ado/SqlText.h"

#include "platform/vb/Ascii.h"

namespace ado {

namespace {

bool is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool is_word(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'
        || static_cast<unsigned char>(c) >= 0x80;
}

// Skips a comment at `i` if there is one; false for an unterminated one.
bool skip_comment(std::string_view s, std::size_t& i, bool& skipped)
{
    skipped = false;
    if (s.substr(i, 2) == "--") {
        const std::size_t end = s.find('\n', i);
        i = end == std::string_view::npos ? s.size() : end + 1;
        skipped = true;
        return true;
    }
    if (s.substr(i, 2) != "/*")
        return true;
    int depth = 0; // block comments nest
    while (i < s.size()) {
        if (s.substr(i, 2) == "/*") {
            ++depth;
            i += 2;
        } else if (s.substr(i, 2) == "*/") {
            i += 2;
            if (--depth == 0) {
                skipped = true;
                return true;
            }
        } else {
            ++i;
        }
    }
    return false;
}

// Skips a quoted text, name or dollar-quoted text at `i`; false when it
// does not end.
bool skip_quoted(std::string_view s, std::size_t& i, bool& skipped)
{
    skipped = false;
    const char c = s[i];
    if (c == '\'' || c == '"') {
        // A doubled quote stands for itself; E'..' texts may escape with '\'.
        const bool escapes = c == '\'' && i > 0 && (s[i - 1] == 'E' || s[i - 1] == 'e');
        for (++i; i < s.size(); ++i) {
            if (escapes && s[i] == '\\') {
                ++i;
                continue;
            }
            if (s[i] == c) {
                if (i + 1 < s.size() && s[i + 1] == c) {
                    ++i;
                    continue;
                }
                ++i;
                skipped = true;
                return true;
            }
        }
        return false;
    }
    if (c == '$' && (i == 0 || !is_word(s[i - 1]))) {
        std::size_t j = i + 1;
        while (j < s.size() && is_word(s[j]) && !(s[j] >= '0' && s[j] <= '9' && j == i + 1))
            ++j;
        if (j >= s.size() || s[j] != '$')
            return true; // a parameter such as $1, not a quote
        const std::string_view tag = s.substr(i, j - i + 1);
        const std::size_t end = s.find(tag, j + 1);
        if (end == std::string_view::npos)
            return false;
        i = end + tag.size();
        skipped = true;
    }
    return true;
}

} // namespace

std::string first_keyword(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        bool skipped = false;
        if (!skip_comment(s, i, skipped))
            return {};
        if (skipped)
            continue;
        if (is_blank(s[i]) || s[i] == '(') {
            ++i;
            continue;
        }
        break;
    }
    std::string word;
    while (i < s.size() && is_word(s[i])) {
        const char c = s[i++];
        word += vb::ascii_upper(c);
    }
    return word;
}

bool has_second_statement(std::string_view s)
{
    bool after_semicolon = false;
    std::size_t i = 0;
    while (i < s.size()) {
        bool skipped = false;
        // An unterminated quote or comment hides the rest; the server
        // reports it.
        if (!skip_comment(s, i, skipped))
            return false;
        if (skipped)
            continue;
        if (!skip_quoted(s, i, skipped))
            return false;
        if (skipped) {
            if (after_semicolon)
                return true;
            continue;
        }
        const char c = s[i++];
        if (c == ';')
            after_semicolon = true;
        else if (after_semicolon && !is_blank(c))
            return true;
    }
    return false;
}

} // namespace ado
