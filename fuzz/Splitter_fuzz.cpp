// The ColumnWidths splitter: the first byte is the separator's length, the
// rest the separator and the text. Its entries joined with the separator
// give the text back, byte for byte.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dropdown/ColumnWidths.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t sep_size = data[0] % 5;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (rest.size() < sep_size)
        return 0;
    const std::string_view sep = rest.substr(0, sep_size);
    const std::string_view text = rest.substr(sep_size);
    std::vector<std::string> parts;
    const vb::Integer count = dropdown::aantalGesplitsteDelenInString(parts, text, sep, "");
    if (sep.empty() || count >= 32767)
        return 0;
    std::string joined;
    for (vb::Integer i = 0; i < count; ++i)
        joined.append(i == 0 ? "" : sep).append(parts[static_cast<std::size_t>(i)]);
    if (joined != text || parts.size() != static_cast<std::size_t>(count) + 1)
        __builtin_trap();
    return 0;
}
