#pragma once
// ADODB.Connection: a link to one database through a provider, opened from
// a connection string. A recordset opened on it keeps it as its active
// connection; the rows it fetched stay usable after the connection closes.

#include <memory>
#include <string>
#include <string_view>

#include "platform/ado/Session.h"
#include "platform/vb/Object.h"
#include "platform/vb/Variant.h"

namespace ado {

class Connection : public vb::Object {
public:
    Connection() = default;
    ~Connection() override;

    [[nodiscard]] std::string_view type_name() const override { return "Connection"; }
    [[nodiscard]] std::optional<vb::DispId> id_of_name(std::string_view name) const override;
    vb::Variant invoke(vb::DispId id, vb::InvokeKind kind, std::span<vb::Variant> args) override;

    // Opens the connection; an empty ConnectionString uses the stored one.
    // UserID and Password, when not empty, replace those of the string.
    // Options must be -1 (adConnectUnspecified). Raises 3705 when open,
    // -2147467259 when the provider cannot connect.
    void Open(std::string_view ConnectionString = {}, std::string_view UserID = {},
        std::string_view Password = {}, vb::Long Options = -1);
    // Raises 3704 when closed.
    void Close();

    [[nodiscard]] vb::Long get_State() const;
    [[nodiscard]] std::string get_ConnectionString() const { return m_connection_string; }
    // Raises 3705 while open.
    void let_ConnectionString(std::string_view New_ConnectionString);
    // Seconds a row source may run; 0 means no limit. 10 by default; Open
    // takes the connection string's Command Timeout when it has one.
    [[nodiscard]] vb::Long get_CommandTimeout() const { return m_command_timeout; }
    void let_CommandTimeout(vb::Long New_CommandTimeout);

    // Fetches a row source for a recordset. Raises 3704 when closed.
    [[nodiscard]] std::shared_ptr<const Table> fetch(std::string_view sql);

private:
    std::string m_connection_string;
    vb::Long m_command_timeout = 10;
    std::size_t m_byte_budget = TableBuilder::k_default_budget;
    std::unique_ptr<Session> m_session;
};

} // namespace ado
