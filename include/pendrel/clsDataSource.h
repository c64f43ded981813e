#pragma once
// clsDataSource: the data-source object a Morvex binds its list grid to.
// It holds a connection string, the SQL text of the rows and one recordset,
// made with the object and never replaced. Its properties only read and
// store; the rows are opened when a bound consumer (the grid) asks for them
// through Class_GetDataMember. When the last reference goes, an open
// recordset is closed.
//
// Create it with create(): it is shared by reference (the control and the
// grid both hold it).

#include <memory>
#include <string>

#include "platform/ado/Recordset.h"
#include "platform/grid/DataSource.h"
#include "platform/vb/Object.h"
#include "platform/vb/Variant.h"

namespace pendrel {

class clsDataSource final : public vb::Object, public grid::DataSource {
    struct Passkey {};

public:
    [[nodiscard]] static std::shared_ptr<clsDataSource> create();
    explicit clsDataSource(Passkey);
    ~clsDataSource() override;

    [[nodiscard]] std::string_view type_name() const override { return "clsDataSource"; }

    // _clsDataSource, in slot order.
    [[nodiscard]] const std::shared_ptr<ado::Recordset>& get_Recordset() const
    {
        return m_Recordset;
    }
    [[nodiscard]] const std::string& get_RecordSource() const { return m_RecordSource; }
    void let_RecordSource(std::string_view New_RecordSource) { m_RecordSource = New_RecordSource; }
    [[nodiscard]] const std::string& get_ConnectionString() const { return m_ConnectionString; }
    void let_ConnectionString(std::string_view New_ConnectionString)
    {
        m_ConnectionString = New_ConnectionString;
    }

    // The data-source callback: opens a connection and, on it, the
    // recordset (static, read-only, client-side) and hands the recordset
    // over in Data. DataMember is not looked at. A failure shows one
    // OK-only message box and leaves Data as it was; nothing is raised.
    void Class_GetDataMember(const std::string& DataMember, vb::Variant& Data) override;

    // Dispatch of _clsDataSource by identifier and by name.
    [[nodiscard]] std::optional<vb::DispId> id_of_name(std::string_view name) const override;
    vb::Variant invoke(vb::DispId id, vb::InvokeKind kind, std::span<vb::Variant> args) override;

private:
    void Class_Initialize();
    void Class_Terminate() noexcept;

    std::string m_RecordSource;
    std::string m_ConnectionString;
    std::shared_ptr<ado::Recordset> m_Recordset;
};

} // namespace pendrel
