// The bound value of a Morvex: one field (BoundColumn, shared by every
// Morvex of the thread) of the current row, which is the list grid's
// current row too.
#include "diag/Steps.h"
#include "dropdown/modGridCombo.h"
#include "pendrel/Morvex.h"
#include "platform/ado/Fields.h"
#include "platform/ado/Recordset.h"
#include "platform/controls/TextBox.h"
#include "platform/grid/Column.h"
#include "platform/vb/Convert.h"

namespace pendrel {

namespace {

constexpr vb::Long k_search_forward = 1;

} // namespace

// The column object, not its cell: a reader who takes it as a value gets
// the cell of whatever row is current then.
vb::Variant Morvex::get_ValueOfColumn(vb::Long ColumnNbr) const
{
    diag::Steps s("ValueOfColumn");
    vb::Variant result = std::string();
    s.step("1", [&] {
        result = vb::Variant(vb::ObjectRef(list_column(vb::checked_sub(ColumnNbr, vb::Long{1}))));
    });
    return result;
}

vb::Variant Morvex::get_Value()
{
    diag::Steps s("Get Value", m_fLogging);
    const vb::Integer bound = modGridCombo::state().BoundColumn;
    vb::Variant result;
    if (s.condition("1", [&] { return bound != 0; }))
        s.step("1.1", [&] { result = get_ValueOfColumn(bound); });
    else
        s.step("2", [&] { result = rows().get_AbsolutePosition(); });
    return result;
}

void Morvex::let_Value(const vb::Variant& newValue)
{
    diag::Steps s("Let Value", m_fLogging);
    const auto& g = modGridCombo::state();
    if (!s.condition("1", [&] { return g.BoundColumn != 0; })) {
        // 2. The row of that number; the text stays.
        s.step("2.1", [&] { rows().MoveFirst(); });
        s.step("2.2", [&] { rows().Move(vb::checked_sub(vb::CLng(newValue), vb::Long{1})); });
        return;
    }
    // 1.1-1.3 The first row whose bound field equals the value as text, with
    // no quotes added.
    s.step("1.1", [&] { rows().MoveFirst(); });
    std::string criterion;
    s.step("1.2", [&] {
        const auto field = rows().get_Fields()->get_Item(vb::Variant(vb::Long{g.BoundColumn} - 1));
        criterion = field->get_Name() + " = " + vb::CStr(newValue);
    });
    s.step("1.3", [&] { rows().Find(criterion, 0, k_search_forward); });
    // 1.4 Its text in the field: the text column, or the copy the list
    // keeps when this control has none yet.
    s.step("1.4", [&] {
        const vb::Integer shown = m_TextColumn < 1 ? g.TextColumn : m_TextColumn;
        const auto field = rows().get_Fields()->get_Item(vb::Variant(vb::Long{shown} - 1));
        m_txtFieldCmb->let_Text(vb::CStr(field->get_Value()));
    });
}

vb::Variant Morvex::get_ItemData(vb::Integer RowIndex)
{
    rows().MoveFirst();
    rows().Move(vb::checked_sub(RowIndex, vb::Integer{1}));
    return get_ValueOfColumn(modGridCombo::state().BoundColumn);
}

} // namespace pendrel
