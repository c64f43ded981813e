#include "platform/ado/Connection.h"

#include "platform/ado/AdoConstants.h"
#include "platform/vb/Error.h"

namespace ado {

namespace {

constexpr const char* k_source = "ADODB.Connection";

} // namespace

Connection::~Connection() = default;

void Connection::Open(std::string_view ConnectionString, std::string_view UserID,
    std::string_view Password, vb::Long Options)
{
    if (m_session)
        vb::raise(vb::err::AdoObjectOpen, k_source);
    if (Options != adConnectUnspecified)
        vb::raise(vb::err::AdoBadArguments, k_source);
    if (!ConnectionString.empty())
        m_connection_string = std::string(ConnectionString);
    const auto cs = ConnectionString::parse(m_connection_string);
    const FetchLimits limits = limits_of(cs);
    m_session = open_session(cs, UserID, Password);
    if (cs.get(k_timeout_key))
        m_command_timeout = static_cast<vb::Long>(limits.timeout.count());
    m_byte_budget = limits.byte_budget;
}

void Connection::Close()
{
    if (!m_session)
        vb::raise(vb::err::AdoObjectClosed, k_source);
    m_session.reset();
}

vb::Long Connection::get_State() const
{
    return m_session ? adStateOpen : adStateClosed;
}

void Connection::let_ConnectionString(std::string_view New_ConnectionString)
{
    if (m_session)
        vb::raise(vb::err::AdoObjectOpen, k_source);
    m_connection_string = std::string(New_ConnectionString);
}

void Connection::let_CommandTimeout(vb::Long New_CommandTimeout)
{
    if (New_CommandTimeout < 0)
        vb::raise(vb::err::AdoBadArguments, k_source);
    m_command_timeout = New_CommandTimeout;
}

std::shared_ptr<const Table> Connection::fetch(std::string_view sql)
{
    if (!m_session)
        vb::raise(vb::err::AdoObjectClosed, "The connection is closed.", k_source);
    FetchLimits limits;
    limits.timeout = std::chrono::seconds(m_command_timeout);
    limits.byte_budget = m_byte_budget;
    return m_session->fetch(sql, limits);
}

} // namespace ado
