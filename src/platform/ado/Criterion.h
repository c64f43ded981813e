#pragma once
// The criteria Find accepts: one column, one operator, one literal.
//
//   criterion := column operator literal
//   column    := '[' name ']' | bare name (up to a blank or an operator)
//   operator  := '=' | '<>' | '<' | '>' | '<=' | '>=' | LIKE
//   literal   := 'text' (a doubled quote stands for one quote)
//              | number (optional sign, digits, '.' as decimal point, exponent)
//              | #date# ("yyyy-mm-dd [hh:mm[:ss]]" or "m/d/yyyy [h:mm[:ss] [AM|PM]]")
//              | True | False
//
// Keywords are case-insensitive; blanks may surround each part. Anything
// else raises 3001.

#include <cstdint>
#include <string>
#include <string_view>

namespace ado {

enum class CompareOp {
    Equal,
    NotEqual,
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
    Like,
};

struct Number {
    bool is_integer = false; // written without '.' or exponent, and in range
    std::int64_t integer = 0;
    double real = 0.0; // the value also when is_integer
};

struct Literal {
    enum class Kind {
        Text,
        Number,
        Date,
        Boolean,
    };
    Kind kind = Kind::Text;
    std::string text; // the text of a Text literal, or the literal as written
    Number number; // Number; Boolean as -1 or 0
    double instant = 0.0; // Date (see SqlDate.h)
};

struct Criterion {
    std::string column;
    CompareOp op = CompareOp::Equal;
    Literal value;
};

[[nodiscard]] Criterion parse_criterion(std::string_view text);

// Reads a whole text as a number of the grammar above, or nothing.
[[nodiscard]] bool parse_number(std::string_view text, Number& out);
// Reads the inside of a #date# literal, or nothing.
[[nodiscard]] bool parse_date_literal(std::string_view text, double& instant);

// A LIKE pattern: '*' or '%' at the end makes a prefix match, at both ends a
// substring match; every other character, wildcards included, stands for
// itself.
struct LikePattern {
    enum class Mode {
        Exact,
        Prefix,
        Contains,
    };
    Mode mode = Mode::Exact;
    std::string body;
};

[[nodiscard]] LikePattern parse_like(std::string_view pattern);

} // namespace ado
