// The one table of failure reports: which procedure reports how.
#include "diag/Policies.h"

#include <cassert>

#include "platform/vb/ErrorNumbers.h"

namespace diag {

namespace {

Policy log(std::string_view procedure, std::string_view ending)
{
    return Policy{procedure, Kind::Log, ending};
}

Policy short_message(std::string_view procedure)
{
    return Policy{procedure, Kind::ShortMessage};
}

std::vector<Policy> make_table()
{
    std::vector<Policy> t;
    t.push_back(log("UserControl_ExitFocus", ") in UserControl_ExitFocus"));
    t.push_back(log("txtFieldCmb_KeyUp", ") in txtFieldCmb_KeyUp"));
    {
        // Errors 9 and 6160 mean "no such row or cell": the procedure takes
        // its not-in-list path instead of reporting them.
        Policy p = log("AfterUpdateOrNotInList", ") in AfterUpdateOrNotInList");
        p.specials = {{vb::err::SubscriptOutOfRange, Kind::Custom},
            {vb::err::GridNoCurrentRow, Kind::Custom}};
        t.push_back(p);
    }
    {
        Policy p = log("AutoComplete", ") in AutoComplete");
        p.specials = {{vb::err::AdoItemNotFound, Kind::DetailedMessage, "Error in AutoComplete",
            "No data in dropdownbox, check connectionstring and/or rowsource!!"}};
        t.push_back(p);
    }
    t.push_back(log("DropDown", ") in DropDown"));
    t.push_back(log("ShowDropDown", ") in ShowDropDown"));
    t.push_back(log("PrepareDataGrid", ") in PrepareDataGrid"));
    t.push_back(log("GetRECTForGrid", ") in GetRECTForGrid"));
    t.push_back(log("ResizeGrid", ") in ResizeGrid"));
    t.push_back(log("ResizeColumns", ") in ResizeColumns"));
    t.push_back(log("aantalGesplitsteDelenInString", ") in aantalGesplitsteDelenInString"));
    t.push_back(log("UserControl_Resize", ") in UserControl_Resize"));
    t.push_back(log("Let Value", ") in Let Value"));
    t.push_back(log("Get Value", ") in Get Value"));
    t.push_back(log("Let RowSource", ") in Let RowSource"));
    {
        Policy p{"Class_GetDataMember", Kind::DetailedMessage, {}, "Error in Class_GetDataMember"};
        p.specials = {{vb::err::AdoMissingParameter, Kind::DetailedMessage, "Error in RowSource"}};
        t.push_back(p);
    }
    for (auto name : {"InitpData", "HideDropDown", "GetTheAddressOf", "DataGridWindowProc",
             "DropdownList_OnLButtonDown", "DropdownList_OnLButtonUp", "DropdownList_OnVScroll",
             "DropdownList_OnHScroll", "GetHiLoWord", "MakeLParm"})
        t.push_back(short_message(name));
    t.push_back(Policy{"RemDGBookMark", Kind::PassOn});
    for (auto name :
        {"ValueOfColumn", "PrepForSQL", "PrepSQLforJoker", "IsBlank", "Class_Terminate",
            "DropdownList_OnCaptureChanged", "DropdownList_OnMouseMove", "DropdownList_MouseMove"})
        t.push_back(Policy{name, Kind::Ignore});
    return t;
}

} // namespace

const std::vector<Policy>& all_policies()
{
    static const std::vector<Policy> table = make_table();
    return table;
}

const Policy& policy_of(std::string_view procedure)
{
    for (const auto& p : all_policies()) {
        if (p.procedure == procedure)
            return p;
    }
    assert(false && "a trapped procedure without a row in the report table");
    static const Policy unknown{"", Kind::Ignore};
    return unknown;
}

} // namespace diag
