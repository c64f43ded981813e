#include "platform/ado/ProviderError.h"

#include "platform/vb/Error.h"

namespace ado {

std::string one_line(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        out += (u < 0x20 || u == 0x7f) ? ' ' : c;
    }
    const auto first = out.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

std::string without_secret(std::string text, std::string_view secret)
{
    if (secret.empty())
        return text;
    for (std::size_t at = text.find(secret); at != std::string::npos;
         at = text.find(secret, at + 3))
        text.replace(at, secret.size(), "***");
    return text;
}

void raise_connection_error(std::string_view description, std::string_view source)
{
    vb::raise(vb::err::UnspecifiedError, one_line(description), std::string(source));
}

void raise_missing_column(std::string_view description, std::string_view source)
{
    vb::raise(vb::err::AdoMissingParameter, one_line(description), std::string(source));
}

void raise_command_error(std::string_view description, std::string_view source)
{
    vb::raise(vb::err::AdoCommandError, one_line(description), std::string(source));
}

void raise_refused(std::string_view why, std::string_view source)
{
    raise_command_error(
        "Row source refused: " + std::string(why) + ". A row source must be one read-only query.",
        source);
}

} // namespace ado
