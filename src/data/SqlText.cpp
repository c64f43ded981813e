#include "data/SqlText.h"

#include "diag/Steps.h"
#include "platform/vb/Strings.h"

namespace pendrel {

std::string PrepForSQL(std::string_view text)
{
    diag::Steps s("PrepForSQL");
    std::string result;
    if (vb::Len(text) < 1)
        return result;
    s.step("1", [&] { result = vb::Replace(text, "'", "''"); });
    s.step("2", [&] { result = vb::Replace(result, "\\", "\\\\"); });
    return result;
}

std::string PrepSQLforJoker(std::string_view sql, std::string_view user)
{
    diag::Steps s("PrepSQLforJoker");
    std::string result;
    if (vb::Len(sql) < 1)
        return result;
    std::string escaped;
    s.step("1", [&] { escaped = PrepForSQL(user); });
    const std::string pattern = "*" + std::string(user) + "*";
    const std::string replacement = "%" + escaped + "%";
    s.step("2",
        [&] { result = vb::Left(sql, 11) + vb::Replace(vb::Mid(sql, 12), pattern, replacement); });
    return result;
}

} // namespace pendrel
