#include "data/SqlText.h"

#include "diag/Trap.h"
#include "platform/vb/Strings.h"

namespace pendrel {

std::string PrepForSQL(std::string_view text)
{
    diag::Trap trap("PrepForSQL");
    std::string result;
    if (vb::Len(text) < 1)
        return result;
    trap.step([&] { result = vb::Replace(text, "'", "''"); });
    trap.step([&] { result = vb::Replace(result, "\\", "\\\\"); });
    return result;
}

std::string PrepSQLforJoker(std::string_view sql, std::string_view user)
{
    diag::Trap trap("PrepSQLforJoker");
    std::string result;
    if (vb::Len(sql) < 1)
        return result;
    std::string escaped;
    trap.step([&] { escaped = PrepForSQL(user); });
    const std::string pattern = "*" + std::string(user) + "*";
    const std::string replacement = "%" + escaped + "%";
    trap.step(
        [&] { result = vb::Left(sql, 11) + vb::Replace(vb::Mid(sql, 12), pattern, replacement); });
    return result;
}

} // namespace pendrel
