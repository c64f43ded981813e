// The type-ahead criterion parser on any text: it parses or raises the
// error value, and a LIKE pattern keeps every character of its body.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/ado/Criterion.h"
#include "platform/vb/Error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        (void)ado::parse_criterion(text);
    } catch (const vb::Error&) {
    }
    ado::Number number;
    (void)ado::parse_number(text, number);
    double instant = 0;
    (void)ado::parse_date_literal(text, instant);
    const ado::LikePattern like = ado::parse_like(text);
    if (like.body.size() > text.size())
        __builtin_trap();
    return 0;
}
