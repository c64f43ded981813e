// Reading numbers from text: Val, which takes the longest number at the start
// of a text, and the strict reading the conversions apply to a String.
#include <charconv>
#include <cstdint>
#include <string>

#include "platform/vb/Ascii.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Error.h"

namespace vb {

namespace {

bool is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

// Walks a number text. Val reads "1 2 3" as 123, so in its mode blanks are
// skipped before every character; the strict mode sees them.
class Cursor {
public:
    Cursor(std::string_view text, bool skip_blanks) : m_text(text), m_skip(skip_blanks) {}

    [[nodiscard]] char peek()
    {
        skip();
        return m_pos < m_text.size() ? m_text[m_pos] : '\0';
    }
    [[nodiscard]] bool at_end()
    {
        skip();
        return m_pos >= m_text.size();
    }
    void next() { ++m_pos; }
    bool take(char upper)
    {
        const char c = peek();
        if (ascii_upper(c) != upper)
            return false;
        next();
        return true;
    }
    [[nodiscard]] std::size_t mark() const { return m_pos; }
    void back_to(std::size_t mark) { m_pos = mark; }

private:
    void skip()
    {
        while (m_skip && m_pos < m_text.size() && is_blank(m_text[m_pos]))
            ++m_pos;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    bool m_skip;
};

struct Scan {
    double value = 0.0;
    bool found = false; // at least one digit was read
};

// &H / &O: a value that fits in 16 bits is an Integer (&HFFFF is -1), a larger
// one up to 32 bits a Long (&HFFFFFFFF is -1); beyond that raises 6.
Scan scan_radix(Cursor& c)
{
    const unsigned base = c.take('H') ? 16 : c.take('O') ? 8 : 0;
    if (base == 0)
        return {};
    std::uint64_t value = 0;
    Scan scan;
    for (;; c.next()) {
        const char ch = c.peek();
        unsigned digit = 0;
        if (is_digit(ch))
            digit = static_cast<unsigned>(ch - '0');
        else if (base == 16 && ch >= 'a' && ch <= 'f')
            digit = static_cast<unsigned>(ch - 'a' + 10);
        else if (base == 16 && ch >= 'A' && ch <= 'F')
            digit = static_cast<unsigned>(ch - 'A' + 10);
        else
            break;
        if (digit >= base)
            break;
        value = value * base + digit;
        if (value > 0xFFFFFFFFu)
            raise(err::Overflow);
        scan.found = true;
    }
    scan.value = value <= 0xFFFFu ? static_cast<double>(static_cast<Integer>(value))
                                  : static_cast<double>(static_cast<Long>(value));
    return scan;
}

// Digits with one '.', written into `out`. Returns the decimal magnitude of
// the first significant digit (digits before the point, or minus the zeros
// after it), used to tell an overflow from an underflow.
int scan_mantissa(Cursor& c, std::string& out, bool& found)
{
    bool point = false;
    bool significant = false;
    int magnitude = 0;
    for (char ch = c.peek(); is_digit(ch) || (ch == '.' && !point); ch = c.peek()) {
        c.next();
        out += ch;
        if (ch == '.') {
            point = true;
            continue;
        }
        found = true;
        if (ch != '0')
            significant = true;
        if (!point && significant)
            ++magnitude;
        else if (point && !significant)
            --magnitude;
    }
    return magnitude;
}

// E or D, an optional sign and digits; without digits nothing is taken.
int scan_exponent(Cursor& c)
{
    const std::size_t mark = c.mark();
    if (!c.take('E') && !c.take('D'))
        return 0;
    const bool negative = c.peek() == '-';
    if (c.peek() == '-' || c.peek() == '+')
        c.next();
    if (!is_digit(c.peek())) {
        c.back_to(mark);
        return 0;
    }
    int exponent = 0;
    for (; is_digit(c.peek()); c.next()) {
        if (exponent < 100000)
            exponent = exponent * 10 + (c.peek() - '0');
    }
    return negative ? -exponent : exponent;
}

Scan scan_number(Cursor& c)
{
    if (c.peek() == '&') {
        c.next();
        return scan_radix(c);
    }
    const bool negative = c.peek() == '-';
    if (c.peek() == '-' || c.peek() == '+')
        c.next();
    Scan scan;
    std::string text;
    const int magnitude = scan_mantissa(c, text, scan.found);
    if (!scan.found)
        return scan;
    const int exponent = scan_exponent(c);
    text += 'e' + std::to_string(exponent);
    const auto result = std::from_chars(text.data(), text.data() + text.size(), scan.value);
    if (result.ec == std::errc::result_out_of_range) {
        if (magnitude + exponent > 0)
            raise(err::Overflow);
        scan.value = 0.0;
    }
    // Adding +0.0 turns "-0" into 0.
    scan.value = (negative ? -scan.value : scan.value) + 0.0;
    return scan;
}

} // namespace

double Val(std::string_view text)
{
    Cursor c(text, true);
    return scan_number(c).value;
}

std::optional<double> parse_number(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
    Cursor c(text, false);
    const Scan scan = scan_number(c);
    if (!scan.found || !c.at_end())
        return std::nullopt;
    return scan.value;
}

} // namespace vb
