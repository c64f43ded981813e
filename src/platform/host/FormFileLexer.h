#pragma once
// The tokens of one form file line: bare words, quoted strings (escapes
// resolved) and '='. A line whose first non-blank character is '#' has no
// tokens.

#include <string>
#include <string_view>
#include <vector>

namespace host {

struct Token {
    enum Kind {
        Word,
        String,
        Equals,
    };
    Kind kind = Word;
    std::string text;
};

// The tokens of a line; on a malformed line `problem` says what is wrong
// and the tokens are incomplete.
[[nodiscard]] std::vector<Token> tokenize(std::string_view line, std::string& problem);

} // namespace host
