#include "support/RowName.h"

namespace pendrel::test {

std::string test_name_of(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        const bool alnum
            = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        out += alnum ? c : '_';
    }
    return out.empty() ? "_" : out;
}

} // namespace pendrel::test
