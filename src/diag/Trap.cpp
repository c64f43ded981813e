#include "diag/Trap.h"

#include "platform/host/Clock.h"
#include "platform/host/FileAppend.h"
#include "platform/host/MessageBox.h"
#include "platform/vb/DateTime.h"

namespace diag {

namespace {

const std::string k_no_path;

std::string one_line(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F)
            c = ' ';
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
