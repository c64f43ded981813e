// The SQL text helpers on any text: a quoted text gives the text back when
// its doubled quotes and backslashes are undone, and the statement scanner
// of the row-source check never fails.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/SqlText.h"
#include "platform/ado/SqlText.h"

namespace {

// Undoes PrepForSQL: every doubled \ and then every doubled ' made one.
std::string unquoted(std::string_view quoted)
{
    std::string out;
    for (std::size_t i = 0; i < quoted.size(); ++i) {
        out += quoted[i];
        if ((quoted[i] == '\'' || quoted[i] == '\\') && i + 1 < quoted.size()
            && quoted[i + 1] == quoted[i])
            ++i;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string quoted = pendrel::PrepForSQL(text);
    if (unquoted(quoted) != text)
        __builtin_trap();
    const std::size_t half = size / 2;
    (void)pendrel::PrepSQLforJoker(text.substr(0, half), text.substr(half));
    (void)ado::first_keyword(text);
    (void)ado::has_second_statement(text);
    return 0;
}
