#include "support/grid/SqliteDataSource.h"

#include "platform/ado/AdoConstants.h"
#include "platform/ado/Connection.h"

namespace pendrel::test {

SqliteDataSource::SqliteDataSource(std::string connection_string, std::string sql)
    : m_connection_string(std::move(connection_string)), m_sql(std::move(sql))
{
    m_recordset->let_CursorLocation(ado::adUseClient);
}

void SqliteDataSource::Class_GetDataMember(const std::string& DataMember, vb::Variant& Data)
{
    ++m_calls;
    m_data_member = DataMember;
    auto connection = std::make_shared<ado::Connection>();
    connection->Open(m_connection_string, "", "", ado::adConnectUnspecified);
    m_recordset->Open(vb::Variant(m_sql), vb::Variant(connection), ado::adOpenStatic,
        ado::adLockReadOnly, ado::adCmdUnspecified);
    Data = m_recordset;
}

} // namespace pendrel::test
