// The one table of failure reports: which procedure reports how.
#include "diag/Policies.h"

#include <array>
#include <cassert>

#include "platform/vb/ErrorNumbers.h"

namespace diag {

namespace {

// Errors 9 and 6160 mean "no such row or cell": the commit takes its
// not-in-list path instead of reporting them.
constexpr std::array k_commit_specials{
    Special{vb::err::SubscriptOutOfRange, Kind::Custom},
    Special{vb::err::GridNoCurrentRow, Kind::Custom},
};
// A text column the rows do not have: the row source or the connection is
// wrong, which the person at the screen is told.
constexpr std::array k_type_ahead_specials{
    Special{vb::err::AdoItemNotFound, Kind::DetailedMessage, "Error in AutoComplete",
        "No data in dropdownbox, check connectionstring and/or rowsource!!"},
};
// A row source the provider cannot run (a missing column, say).
constexpr std::array k_rows_specials{
    Special{vb::err::AdoMissingParameter, Kind::DetailedMessage, "Error in RowSource"},
};

constexpr Policy log(std::string_view procedure, std::span<const Special> specials = {})
{
    return Policy{procedure, Kind::Log, {}, specials};
}

constexpr Policy box(std::string_view procedure)
{
    return Policy{procedure, Kind::ShortMessage};
}

constexpr Policy ignore(std::string_view procedure)
{
    return Policy{procedure, Kind::Ignore};
}

constexpr std::array k_table{
    log("UserControl_ExitFocus"),
    log("txtFieldCmb_KeyUp"),
    log("AfterUpdateOrNotInList", k_commit_specials),
    log("AutoComplete", k_type_ahead_specials),
    log("DropDown"),
    log("ShowDropDown"),
    log("PrepareDataGrid"),
    log("GetRECTForGrid"),
    log("ResizeGrid"),
    log("ResizeColumns"),
    log("aantalGesplitsteDelenInString"),
    log("UserControl_Resize"),
    log("Let Value"),
    log("Get Value"),
    log("Let RowSource"),
    Policy{"Class_GetDataMember", Kind::DetailedMessage, "Error in Class_GetDataMember",
        k_rows_specials},
    box("InitpData"),
    box("HideDropDown"),
    box("GetTheAddressOf"),
    box("DataGridWindowProc"),
    box("DropdownList_OnLButtonDown"),
    box("DropdownList_OnLButtonUp"),
    box("DropdownList_OnVScroll"),
    box("DropdownList_OnHScroll"),
    box("GetHiLoWord"),
    box("MakeLParm"),
    Policy{"RemDGBookMark", Kind::PassOn},
    ignore("ValueOfColumn"),
    ignore("PrepForSQL"),
    ignore("PrepSQLforJoker"),
    ignore("IsBlank"),
    ignore("Class_Terminate"),
    ignore("DropdownList_OnCaptureChanged"),
    ignore("DropdownList_OnMouseMove"),
    ignore("DropdownList_MouseMove"),
};

} // namespace

std::string log_ending(const Policy& policy)
{
    return ") in " + std::string(policy.procedure);
}

std::span<const Policy> all_policies()
{
    return k_table;
}

const Policy& policy_of(std::string_view procedure)
{
    for (const auto& p : k_table) {
        if (p.procedure == procedure)
            return p;
    }
    assert(false && "a trapped procedure without a row in the report table");
    static constexpr Policy unknown{"", Kind::Ignore};
    return unknown;
}

} // namespace diag
