#include "platform/ado/Criterion.h"

#include <charconv>
#include <cmath>

#include "platform/ado/SqlDate.h"
#include "platform/vb/Ascii.h"
#include "platform/vb/Error.h"

namespace ado {

namespace {

[[noreturn]] void malformed(std::string_view why)
{
    vb::raise(vb::err::AdoBadArguments,
        std::string(vb::standard_text(vb::err::AdoBadArguments)) + " The criterion "
            + std::string(why) + ".",
        "ADODB.Recordset");
}

bool is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

bool starts_with_word(std::string_view s, std::string_view word)
{
    return s.size() >= word.size() && vb::iequals(s.substr(0, word.size()), word);
}

class Reader {
public:
    explicit Reader(std::string_view text) : m_text(text) {}

    void skip_blanks()
    {
        while (!m_text.empty() && is_blank(m_text.front()))
            m_text.remove_prefix(1);
    }
    [[nodiscard]] bool at_end() const { return m_text.empty(); }

    std::string column()
    {
        if (m_text.empty())
            malformed("is empty");
        if (m_text.front() == '[') {
            const std::size_t close = m_text.find(']');
            if (close == std::string_view::npos)
                malformed("has a '[' without its ']'");
            std::string name(m_text.substr(1, close - 1));
            if (name.empty())
                malformed("names an empty column");
            m_text.remove_prefix(close + 1);
            return name;
        }
        std::size_t n = 0;
        while (n < m_text.size() && !is_blank(m_text[n])
            && std::string_view("<>=").find(m_text[n]) == std::string_view::npos)
            ++n;
        const std::string_view name = m_text.substr(0, n);
        if (name.empty() || name.find_first_of("'#[]()") != std::string_view::npos)
            malformed("does not start with a column name");
        m_text.remove_prefix(n);
        return std::string(name);
    }

    CompareOp op()
    {
        static constexpr std::pair<std::string_view, CompareOp> k_ops[] = {
            {"<=", CompareOp::LessEqual},
            {">=", CompareOp::GreaterEqual},
            {"<>", CompareOp::NotEqual},
            {"=", CompareOp::Equal},
            {"<", CompareOp::Less},
            {">", CompareOp::Greater},
        };
        for (const auto& [text, op] : k_ops) {
            if (m_text.starts_with(text)) {
                m_text.remove_prefix(text.size());
                return op;
            }
        }
        if (starts_with_word(m_text, "LIKE") && m_text.size() > 4
            && (is_blank(m_text[4]) || m_text[4] == '\'')) {
            m_text.remove_prefix(4);
            return CompareOp::Like;
        }
        malformed("has no comparison operator after its column");
    }

    Literal literal()
    {
        if (m_text.empty())
            malformed("has no value to compare with");
        if (m_text.front() == '\'')
            return text_literal();
        if (m_text.front() == '#')
            return date_literal();
        for (const auto& [word, value] : {std::pair{std::string_view("TRUE"), -1}, {"FALSE", 0}}) {
            if (starts_with_word(m_text, word)
                && (m_text.size() == word.size() || is_blank(m_text[word.size()]))) {
                m_text.remove_prefix(word.size());
                Literal l{
                    Literal::Kind::Boolean, std::string(word), {true, value, double(value)}, 0.0};
                return l;
            }
        }
        std::size_t n = 0;
        while (n < m_text.size() && !is_blank(m_text[n]))
            ++n;
        Literal l;
        l.kind = Literal::Kind::Number;
        l.text = std::string(m_text.substr(0, n));
        if (!parse_number(l.text, l.number))
            malformed("has a value that is not a quoted text, a number or a #date#");
        m_text.remove_prefix(n);
        return l;
    }

private:
    Literal text_literal()
    {
        Literal l;
        std::size_t i = 1;
        while (true) {
            if (i >= m_text.size())
                malformed("has a text without its closing quote");
            if (m_text[i] == '\'') {
                if (i + 1 < m_text.size() && m_text[i + 1] == '\'') {
                    l.text += '\'';
                    i += 2;
                    continue;
                }
                break;
            }
            l.text += m_text[i++];
        }
        m_text.remove_prefix(i + 1);
        return l;
    }

    Literal date_literal()
    {
        const std::size_t close = m_text.find('#', 1);
        if (close == std::string_view::npos)
            malformed("has a date without its closing '#'");
        Literal l;
        l.kind = Literal::Kind::Date;
        l.text = std::string(m_text.substr(1, close - 1));
        if (!parse_date_literal(l.text, l.instant))
            malformed("has a date that cannot be read");
        m_text.remove_prefix(close + 1);
        return l;
    }

    std::string_view m_text;
};

bool read_int(std::string_view& s, int& out, std::size_t max_digits)
{
    std::size_t n = 0;
    out = 0;
    while (n < s.size() && n < max_digits && is_digit(s[n]))
        out = out * 10 + (s[n++] - '0');
    s.remove_prefix(n);
    return n > 0;
}

// "m/d/yyyy [h:mm[:ss] [AM|PM]]"
bool parse_us_date(std::string_view s, double& instant)
{
    DateTimeParts p;
    if (!read_int(s, p.month, 2) || s.empty() || s.front() != '/')
        return false;
    s.remove_prefix(1);
    if (!read_int(s, p.day, 2) || s.empty() || s.front() != '/')
        return false;
    s.remove_prefix(1);
    if (!read_int(s, p.year, 4))
        return false;
    while (!s.empty() && is_blank(s.front()))
        s.remove_prefix(1);
    if (!s.empty()) {
        int second = 0;
        if (!read_int(s, p.hour, 2) || s.empty() || s.front() != ':')
            return false;
        s.remove_prefix(1);
        if (!read_int(s, p.minute, 2))
            return false;
        if (!s.empty() && s.front() == ':') {
            s.remove_prefix(1);
            if (!read_int(s, second, 2))
                return false;
        }
        p.second = second;
        while (!s.empty() && is_blank(s.front()))
            s.remove_prefix(1);
        if (!s.empty()) {
            const bool pm = starts_with_word(s, "PM");
            if ((!pm && !starts_with_word(s, "AM")) || s.size() != 2 || p.hour < 1 || p.hour > 12)
                return false;
            p.hour = p.hour % 12 + (pm ? 12 : 0);
        }
    }
    const auto value = instant_of(p);
    if (!value)
        return false;
    instant = *value;
    return true;
}

} // namespace

bool parse_number(std::string_view s, Number& out)
{
    // sign? digits* ('.' digits*)? ([eE] sign? digits+)?, with at least one digit
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t mantissa_digits = 0;
    bool integral = true;
    while (i < s.size() && is_digit(s[i]))
        ++i, ++mantissa_digits;
    if (i < s.size() && s[i] == '.') {
        integral = false;
        ++i;
        while (i < s.size() && is_digit(s[i]))
            ++i, ++mantissa_digits;
    }
    if (mantissa_digits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        integral = false;
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        const std::size_t start = i;
        while (i < s.size() && is_digit(s[i]))
            ++i;
        if (i == start)
            return false;
    }
    if (i != s.size())
        return false;
    // from_chars takes no '+'.
    const std::string_view digits = s.front() == '+' ? s.substr(1) : s;
    Number n;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n.real);
    if (ec != std::errc() || end != digits.data() + digits.size() || !std::isfinite(n.real))
        return false;
    if (integral) {
        const auto [iend, iec]
            = std::from_chars(digits.data(), digits.data() + digits.size(), n.integer);
        n.is_integer = iec == std::errc() && iend == digits.data() + digits.size();
    }
    out = n;
    return true;
}

bool parse_date_literal(std::string_view text, double& instant)
{
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back()))
        text.remove_suffix(1);
    if (const auto iso = parse_sql_datetime(text)) {
        instant = *iso;
        return true;
    }
    return parse_us_date(text, instant);
}

Criterion parse_criterion(std::string_view text)
{
    Reader r(text);
    Criterion c;
    r.skip_blanks();
    c.column = r.column();
    r.skip_blanks();
    c.op = r.op();
    r.skip_blanks();
    c.value = r.literal();
    r.skip_blanks();
    if (!r.at_end())
        malformed("has more text after its value");
    return c;
}

LikePattern parse_like(std::string_view pattern)
{
    auto wild = [](char c) { return c == '*' || c == '%'; };
    LikePattern p;
    if (pattern.empty() || !wild(pattern.back())) {
        p.body = std::string(pattern);
        return p;
    }
    pattern.remove_suffix(1);
    p.mode = LikePattern::Mode::Prefix;
    if (!pattern.empty() && wild(pattern.front())) {
        pattern.remove_prefix(1);
        p.mode = LikePattern::Mode::Contains;
    }
    p.body = std::string(pattern);
    return p;
}

} // namespace ado
