#include "diag/Trap.h"

#include "diag/FaultInjection.h"
#include "platform/host/Clock.h"
#include "platform/host/FileAppend.h"
#include "platform/host/MessageBox.h"
#include "platform/vb/DateTime.h"

namespace diag {

namespace {

const std::string k_no_path;

// The length of the well-formed UTF-8 sequence at the start of `text` and
// its code point; 0 when the first byte starts none (a stray continuation
// byte, an overlong form, a surrogate, beyond U+10FFFF, cut short).
std::size_t decode(std::string_view text, char32_t& code)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i) & 0x3F);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

// Whether a character would break the line or steer the terminal showing
// it: C0 and C1 controls, DEL, and the Unicode line and paragraph breaks.
bool breaks_line(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

std::string one_line(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        char32_t code = 0;
        const std::size_t length = decode(text, code);
        if (length == 0)
            out += "\xEF\xBF\xBD"; // U+FFFD for one byte that is not UTF-8
        else if (breaks_line(code))
            out += ' ';
        else
            out.append(text.substr(0, length));
        text.remove_prefix(length == 0 ? 1 : length);
    }
    return out;
}

} // namespace

Trap::Trap(std::string_view procedure, const std::string& log_path)
    : m_policy(policy_of(procedure)), m_log_path(&log_path)
{
}

Trap::Trap(std::string_view procedure) : m_policy(policy_of(procedure)), m_log_path(&k_no_path)
{
}

void Trap::report(const vb::Error& e)
{
    note_failure(m_policy.procedure, e);
    m_failed = e.number();
    for (const auto& special : m_policy.specials) {
        if (special.number == e.number()) {
            report_kind(special.kind, e, &special);
            return;
        }
    }
    report_kind(m_policy.kind, e, nullptr);
}

void Trap::report_kind(Kind kind, const vb::Error& e, const Special* special)
{
    switch (kind) {
    case Kind::Log:
        host::append_text(*m_log_path, log_line(e, log_ending(m_policy)));
        return;
    case Kind::Ignore:
        return;
    case Kind::Custom:
        m_left = true;
        return;
    case Kind::ShortMessage:
        m_left = true;
        host::MsgBox(e.description(), host::vbCritical, m_policy.procedure);
        return;
    case Kind::DetailedMessage: {
        m_left = true;
        std::string_view first = m_policy.first_line;
        std::string_view last;
        if (special != nullptr) {
            if (!special->first_line.empty())
                first = special->first_line;
            last = special->last_line;
        }
        host::MsgBox(detailed_prompt(first, e, last), host::vbOKOnly, e.source());
        return;
    }
    case Kind::PassOn:
        m_left = true;
        throw vb::Error(e.number(), e.description(), std::string(m_policy.procedure));
    }
}

std::string log_line(const vb::Error& e, std::string_view ending)
{
    std::string line = vb::date_text(host::Now());
    line += ':';
    line += std::to_string(e.number());
    line += " (";
    line += one_line(e.description());
    line += ending;
    line += "\r\n";
    return line;
}

std::string detailed_prompt(
    std::string_view first_line, const vb::Error& e, std::string_view last_line)
{
    std::string prompt(first_line);
    prompt += "\r\nError: ";
    prompt += e.description();
    prompt += "\r\nNumber: ";
    prompt += std::to_string(e.number());
    if (!last_line.empty()) {
        prompt += "\r\n";
        prompt += last_line;
    }
    return prompt;
}

} // namespace diag
