#include "platform/host/FormFileLexer.h"

#include "platform/vb/Ascii.h"

namespace host {

namespace {

bool is_blank(char c)
{
    return c == ' ' || c == '\t';
}

// Reads a quoted string starting at line[i] == '"'; returns the index after
// the closing quote, or npos with `problem` set.
std::size_t read_string(
    std::string_view line, std::size_t i, std::string& out, std::string& problem)
{
    for (++i; i < line.size(); ++i) {
        char c = line[i];
        if (c == '"')
            return i + 1;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i >= line.size())
            break;
        switch (line[i]) {
        case '"':
            out += '"';
            break;
        case '\\':
            out += '\\';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case 'x': {
            int hi = i + 1 < line.size() ? vb::hex_digit(line[i + 1]) : -1;
            int lo = i + 2 < line.size() ? vb::hex_digit(line[i + 2]) : -1;
            if (hi < 0 || lo < 0) {
                problem = "\\x must be followed by two hexadecimal digits";
                return std::string_view::npos;
            }
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
            break;
        }
        default:
            problem = std::string("unknown escape \\") + line[i];
            return std::string_view::npos;
        }
    }
    problem = "unterminated string";
    return std::string_view::npos;
}

} // namespace

std::vector<Token> tokenize(std::string_view line, std::string& problem)
{
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < line.size() && is_blank(line[i]))
        ++i;
    if (i < line.size() && line[i] == '#')
        return tokens;
    while (i < line.size()) {
        char c = line[i];
        if (is_blank(c)) {
            ++i;
        } else if (c == '=') {
            tokens.push_back({Token::Equals, "="});
            ++i;
        } else if (c == '"') {
            Token t{Token::String, {}};
            i = read_string(line, i, t.text, problem);
            if (i == std::string_view::npos)
                return tokens;
            tokens.push_back(std::move(t));
        } else {
            std::size_t start = i;
            while (i < line.size() && !is_blank(line[i]) && line[i] != '=' && line[i] != '"')
                ++i;
            tokens.push_back({Token::Word, std::string(line.substr(start, i - start))});
        }
    }
    return tokens;
}

} // namespace host
