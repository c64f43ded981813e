#pragma once
// A data-source object over real rows: it opens a connection and a static,
// read-only, client-side recordset when a grid asks for its rows, the way
// the control's own data-source object does, and counts how often it was
// asked. Its recordset is made with the object and opened by the first
// call, so a second call fails as the control's object would (3705).

#include <memory>
#include <string>

#include "platform/ado/Recordset.h"
#include "platform/grid/DataSource.h"
#include "platform/vb/Object.h"

namespace pendrel::test {

class SqliteDataSource final : public vb::Object, public grid::DataSource {
public:
    SqliteDataSource(std::string connection_string, std::string sql);

    [[nodiscard]] std::string_view type_name() const override { return "SqliteDataSource"; }

    void Class_GetDataMember(const std::string& DataMember, vb::Variant& Data) override;

    [[nodiscard]] int calls() const { return m_calls; }
    [[nodiscard]] const std::string& last_data_member() const { return m_data_member; }
    [[nodiscard]] const std::shared_ptr<ado::Recordset>& recordset() const { return m_recordset; }

private:
    std::string m_connection_string;
    std::string m_sql;
    std::shared_ptr<ado::Recordset> m_recordset = std::make_shared<ado::Recordset>();
    int m_calls = 0;
    std::string m_data_member;
};

// A data-source object that answers without rows (leaves Data as it is).
class EmptyDataSource final : public vb::Object, public grid::DataSource {
public:
    [[nodiscard]] std::string_view type_name() const override { return "EmptyDataSource"; }
    void Class_GetDataMember(const std::string&, vb::Variant&) override { ++calls; }
    int calls = 0;
};

} // namespace pendrel::test
