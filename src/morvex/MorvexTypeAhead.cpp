// Type-ahead: after every key released in the text field, the first row
// whose text column starts with the typed text (or, for a number or date
// column, equals the typed number) becomes the current row of the rows and
// of the list, and with AutoExpand the text is completed with that row's
// text, the completed part selected. The typed text is the part in front of
// the selection, since a completion leaves its tail selected.
#include "data/IsBlank.h"
#include "data/TypeAhead.h"
#include "diag/Steps.h"
#include "pendrel/Morvex.h"
#include "pendrel/clsDataSource.h"
#include "platform/ado/Fields.h"
#include "platform/ado/Recordset.h"
#include "platform/controls/TextBox.h"
#include "platform/grid/Column.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Strings.h"

namespace pendrel {

void Morvex::AutoComplete(controls::TextBox& box)
{
    diag::Steps s("AutoComplete", m_fLogging);
    // 1. Nothing to search without rows.
    if (s.condition("1.1", [&] { return IsBlank(vb::Variant(m_CnStr)); }))
        return;
    if (s.condition("1.2", [&] { return IsBlank(vb::Variant(m_RowSource)); }))
        return;
    // 2. Typed text is searched; an emptied field goes back to the first row.
    if (s.condition("2", [&] { return !box.get_Text().empty(); }))
        search_prefix(s, box);
    else
        empty_text(s, box);
}

// 3.-11.
void Morvex::search_prefix(diag::Steps& s, controls::TextBox& box)
{
    // 3. The typed prefix: the characters in front of the selection.
    vb::Integer n = 0;
    s.step("3", [&] { n = vb::narrow(vb::Len(box.get_Text()) - box.get_SelLength()); });
    // 4. What the text column holds, what it is called, what was typed.
    const vb::Long i = vb::Long{m_TextColumn} - 1;
    vb::Long type = 0;
    std::string field;
    std::string prefix;
    s.step("4.1", [&] { type = rows().get_Fields()->get_Item(vb::Variant(i))->get_Type(); });
    s.step("4.2", [&] { field = list_column(i)->get_DataField(); });
    s.step("4.3", [&] { prefix = vb::Left(box.get_Text(), n); });
    // 5. A column of another type is never searched: everything stays.
    std::optional<std::string> criterion;
    s.step("5", [&] { criterion = type_ahead_criterion(type, field, prefix); });
    if (!criterion || s.left())
        return;
    // 6. The rows the list shows (and the grid's current row is theirs).
    ado::Recordset* rs = nullptr;
    s.step("6", [&] { rs = &rows(); });
    if (rs == nullptr)
        return;
    // 7. A new search starts at the first row, unless the last one ran off
    // the end and nothing has changed since.
    if (s.condition("7", [&] { return !rs->get_BOF(); })) {
        if (s.condition("7.1", [&] {
                return !rs->get_EOF() || m_NoMatch || m_BackspacePressed || m_DeletePressed;
            }))
            s.step("7.1.1", [&] { rs->MoveFirst(); });
    }
    // 8. The whole text selected: no search, the current row stays.
    if (s.condition("8", [&] { return n > 0; }))
        s.step("8.1", [&] { rs->Find(*criterion, 0, 1); });
    // 9.-10. Nothing found: the text stays as typed; an empty list closes.
    s.step("9", [&] { m_NoMatch = false; });
    if (s.condition("10", [&] { return rs->get_EOF(); })) {
        s.step("10.1", [&] { m_NoMatch = true; });
        if (s.condition("10.2", [&] { return rs->get_RecordCount() == 0; })) {
            vb::Integer close = 0;
            s.step("10.2.1", [&] { ShowDropDown(close); });
        }
        return;
    }
    // 11. The found row's text, its completed part selected; after Backspace
    // one more character, so that the next Backspace removes a typed one.
    if (s.condition("11", [&] { return m_AutoExpand && !m_DeletePressed; })) {
        s.step("11.1", [&] { box.let_Text(list_column(i)->get_Text()); });
        s.step("11.2", [&] { box.let_SelStart(m_BackspacePressed ? n - 1 : n); });
        s.step("11.3", [&] { box.let_SelLength(vb::Len(box.get_Text()) - box.get_SelStart()); });
    }
}

// 12. An emptied field after Backspace or Delete: the first row again.
void Morvex::empty_text(diag::Steps& s, controls::TextBox& box)
{
    if (!s.condition("12", [&] { return m_BackspacePressed || m_DeletePressed; }))
        return;
    if (s.condition("12.1", [&] { return rows().get_RecordCount() > 0; }))
        s.step("12.1.1", [&] { rows().MoveFirst(); });
    s.step("12.2", [&] { box.let_Text(""); });
    s.step("12.3", [&] { box.let_SelStart(0); });
}

} // namespace pendrel
