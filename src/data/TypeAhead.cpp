#include "data/TypeAhead.h"

#include "data/SqlText.h"
#include "platform/vb/Convert.h"

namespace pendrel {

namespace {

enum class Search {
    None,
    Prefix,
    Equal
};

Search search_of(vb::Long field_type)
{
    switch (field_type) {
    case 200: // adVarChar
    case 201: // adLongVarChar
    case 202: // adVarWChar
    case 203: // adLongVarWChar
        return Search::Prefix;
    case 2: // adSmallInt
    case 3: // adInteger
    case 4: // adSingle
    case 5: // adDouble
    case 17: // adUnsignedTinyInt
    case 131: // adNumeric
    case 7: // adDate: its serial number
        return Search::Equal;
    default: // fixed-length text (129, 130), currency, big integers, Booleans, ...
        return Search::None;
    }
}

} // namespace

std::optional<std::string> type_ahead_criterion(
    vb::Long field_type, std::string_view field, std::string_view prefix)
{
    const std::string column = "[" + std::string(field) + "]";
    switch (search_of(field_type)) {
    case Search::Prefix:
        return column + " LIKE '" + PrepForSQL(prefix) + "*'";
    case Search::Equal:
        return column + "=" + vb::CStr(vb::Variant(vb::Val(prefix)));
    case Search::None:
        break;
    }
    return std::nullopt;
}

} // namespace pendrel
