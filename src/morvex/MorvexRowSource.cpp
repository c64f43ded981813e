// The row source of a Morvex: the connection string, the SQL text, the
// data-source object the list grid is bound to, and what reads them.
#include "data/IsBlank.h"
#include "data/SqlText.h"
#include "diag/Steps.h"
#include "pendrel/Morvex.h"
#include "pendrel/clsDataSource.h"
#include "platform/ado/AdoConstants.h"
#include "platform/controls/TextBox.h"
#include "platform/grid/Columns.h"
#include "platform/grid/DataGrid.h"
#include "platform/host/ControlSurface.h"
#include "platform/vb/Error.h"

namespace pendrel {

namespace {

// Where CnStr points the log; the host may point it elsewhere afterwards.
constexpr std::string_view k_log_path
    = R"(c:\gebruikers\kestrel\appdata\roaming\tallis\Logging.txt)";

} // namespace

// Every reader of the rows goes through here: a control without a
// data-source object makes one (with a new, closed recordset) and keeps it.
clsDataSource& Morvex::data_source()
{
    if (!m_data_source)
        m_data_source = clsDataSource::create();
    return *m_data_source;
}

ado::Recordset& Morvex::rows()
{
    const auto& rs = data_source().get_Recordset();
    if (!rs)
        vb::raise(vb::err::ObjectNotSet, "Morvex");
    return *rs;
}

std::shared_ptr<grid::Column> Morvex::list_column(vb::Long index) const
{
    return m_DropdownList->get_Columns()->get_Item(vb::Variant(index));
}

void Morvex::let_CnStr(std::string_view New_CnStr)
{
    m_CnStr = New_CnStr;
    surface().PropertyChanged("CnStr");
    m_fLogging = k_log_path;
}

void Morvex::let_RowSource(std::string_view New_RowSource)
{
    diag::Steps s("Let RowSource", m_fLogging);
    // 1. The wildcard pattern *text* with the field's text becomes %text%.
    std::string rewritten(New_RowSource);
    s.step("1", [&] { rewritten = PrepSQLforJoker(New_RowSource, m_txtFieldCmb->get_Text()); });
    // 2. The same text again changes nothing, whatever CnStr did meanwhile.
    if (s.condition("2", [&] { return rewritten == m_RowSource; }))
        return;
    // 3. The new text is kept and the host told.
    s.step("3.1", [&] { m_RowSource = rewritten; });
    s.step("3.2", [&] { surface().PropertyChanged("RowSource"); });
    // 4. Nothing to open: the list shows no rows; the data-source object
    // (and a recordset open in it) stays.
    if (s.condition("4", [&] { return IsBlank(m_RowSource) || IsBlank(m_CnStr); })) {
        s.step("4.1", [&] { m_DropdownList->set_DataSource(vb::Variant(vb::ObjectRef{})); });
        return;
    }
    // 5. A new data-source object for the new rows.
    s.step("5.1", [&] { m_data_source.reset(); });
    s.step("5.2", [&] { m_data_source = clsDataSource::create(); });
    s.step("5.3", [&] { data_source().let_ConnectionString(m_CnStr); });
    s.step("5.4", [&] { data_source().let_RecordSource(m_RowSource); });
    if (s.condition("5.5",
            [&] { return data_source().get_Recordset()->get_State() == ado::adStateClosed; }))
        s.step(
            "5.5.1", [&] { data_source().get_Recordset()->let_CursorLocation(ado::adUseClient); });
    // 5.6 The grid asks the new object for its rows (Class_GetDataMember).
    s.step("5.6", [&] {
        data_source();
        m_DropdownList->set_DataSource(vb::Variant(m_data_source));
    });
    // 5.7 The list's size for the new rows.
    s.step("5.7", [&] { ResizeGrid(); });
}

void Morvex::let_DataField(std::string_view New_DataField)
{
    m_DataField = New_DataField;
    m_txtFieldCmb->let_DataField(m_DataField);
    surface().PropertyChanged("DataField");
}

void Morvex::set_dataSource(const vb::Variant& New_dataSource)
{
    if (!New_dataSource.is_object())
        vb::raise(vb::err::ObjectRequired, "Morvex.dataSource");
    // Nothing is an object reference too: it clears the binding.
    const vb::ObjectRef& object = std::get<vb::ObjectRef>(New_dataSource.storage());
    if (object && dynamic_cast<grid::DataSource*>(object.get()) == nullptr) {
        vb::raise(vb::err::TypeMismatch,
            "A " + std::string(object->type_name()) + " is not a data source", "Morvex.dataSource");
    }
    m_txtFieldCmb->set_DataSource(object);
    surface().PropertyChanged("dataSource");
}

std::shared_ptr<ado::Recordset> Morvex::get_Recordset()
{
    return data_source().get_Recordset();
}

vb::Long Morvex::get_ColumnCount() const
{
    return m_DropdownList->get_Columns()->get_Count();
}

} // namespace pendrel
