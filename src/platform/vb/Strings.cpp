#include "platform/vb/Strings.h"

#include "platform/vb/Error.h"

namespace vb {

namespace {

// The length in bytes of the character that starts at `i`: the length its
// lead byte announces when the continuation bytes are all there, else 1.
std::size_t char_size(std::string_view s, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(s[i]);
    std::size_t n = 1;
    if (lead >= 0xF0 && lead <= 0xF4)
        n = 4;
    else if (lead >= 0xE0)
        n = 3;
    else if (lead >= 0xC2 && lead <= 0xDF)
        n = 2;
    if (n == 1 || i + n > s.size())
        return 1;
    for (std::size_t k = 1; k < n; ++k) {
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
            return 1;
    }
    return n;
}

} // namespace

std::size_t byte_offset(std::string_view text, Long index)
{
    std::size_t i = 0;
    for (Long c = 0; c < index && i < text.size(); ++c)
        i += char_size(text, i);
    return i;
}

Long Len(std::string_view text)
{
    Long n = 0;
    for (std::size_t i = 0; i < text.size(); i += char_size(text, i))
        ++n;
    return n;
}

std::string Left(std::string_view text, Long length)
{
    if (length < 0)
        raise(err::InvalidProcedureCall, "Left");
    return std::string(text.substr(0, byte_offset(text, length)));
}

std::string Right(std::string_view text, Long length)
{
    if (length < 0)
        raise(err::InvalidProcedureCall, "Right");
    const Long total = Len(text);
    if (length >= total)
        return std::string(text);
    return std::string(text.substr(byte_offset(text, total - length)));
}

std::string Mid(std::string_view text, Long start, Long length)
{
    if (start < 1 || length < -1)
        raise(err::InvalidProcedureCall, "Mid");
    const std::size_t from = byte_offset(text, start - 1);
    std::string_view rest = text.substr(from);
    if (length == -1)
        return std::string(rest);
    return std::string(rest.substr(0, byte_offset(rest, length)));
}

Long InStr(Long start, std::string_view text, std::string_view find)
{
    if (start < 1)
        raise(err::InvalidProcedureCall, "InStr");
    const Long total = Len(text);
    if (start > total + (find.empty() ? 1 : 0))
        return 0;
    if (find.empty())
        return start;
    const std::size_t from = byte_offset(text, start - 1);
    const std::size_t at = text.find(find, from);
    if (at == std::string_view::npos)
        return 0;
    return Len(text.substr(0, at)) + 1;
}

std::string Replace(std::string_view text, std::string_view find, std::string_view with)
{
    if (find.empty())
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t at = text.find(find, i);
        if (at == std::string_view::npos)
            break;
        out.append(text.substr(i, at - i));
        out.append(with);
        i = at + find.size();
    }
    out.append(text.substr(i));
    return out;
}

} // namespace vb
