// clsDataSource: the recordset it is made with, the data-source callback
// that opens it, and its dispatch interface _clsDataSource.
#include "pendrel/clsDataSource.h"

#include "diag/Steps.h"
#include "pendrel/TypeLibrary.h"
#include "platform/ado/AdoConstants.h"
#include "platform/ado/Connection.h"
#include "platform/vb/Ascii.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Error.h"

namespace pendrel {

namespace {

constexpr std::string_view k_source = "clsDataSource";

ado::Connection& require(const std::shared_ptr<ado::Connection>& cn)
{
    if (!cn)
        vb::raise(vb::err::ObjectNotSet, std::string(k_source));
    return *cn;
}

} // namespace

std::shared_ptr<clsDataSource> clsDataSource::create()
{
    return std::make_shared<clsDataSource>(Passkey{});
}

clsDataSource::clsDataSource(Passkey)
{
    Class_Initialize();
}

clsDataSource::~clsDataSource()
{
    Class_Terminate();
}

void clsDataSource::Class_Initialize()
{
    m_Recordset = std::make_shared<ado::Recordset>();
}

// Every error is ignored: a recordset that cannot be closed is simply let
// go.
void clsDataSource::Class_Terminate() noexcept
{
    try {
        diag::Steps s("Class_Terminate");
        // 1.-3. Only an open recordset is closed and let go.
        if (s.condition("1", [&] { return m_Recordset->get_State() == ado::adStateOpen; })) {
            s.step("2", [&] { m_Recordset->Close(); });
            s.step("3", [&] { m_Recordset.reset(); });
        }
    } catch (...) {
        // NOTE: a destructor must not throw; the trap ignores every vb::Error
        // already, this only keeps anything else from escaping.
    }
}

// Leaves at the first failing step with one message box; the consumer then
// shows no rows.
void clsDataSource::Class_GetDataMember(const std::string& /*DataMember*/, vb::Variant& Data)
{
    diag::Steps s("Class_GetDataMember");
    std::shared_ptr<ado::Connection> cn;
    // 1. A connection of this call's own.
    s.step("1", [&] { cn = std::make_shared<ado::Connection>(); });
    // 2. The host's connection string, as it is.
    s.step("2", [&] { require(cn).Open(m_ConnectionString, "", "", ado::adConnectUnspecified); });
    // 3. The cursor location was set by the control before binding.
    s.step("3", [&] {
        m_Recordset->Open(vb::Variant(m_RecordSource), vb::Variant(cn), ado::adOpenStatic,
            ado::adLockReadOnly, ado::adCmdUnspecified);
    });
    // 4. The consumer gets the open rows.
    s.step("4", [&] { Data = vb::Variant(m_Recordset); });
    // 5. The local reference goes; the open recordset keeps the connection.
}

std::optional<vb::DispId> clsDataSource::id_of_name(std::string_view name) const
{
    namespace did = dispid_clsDataSource;
    if (vb::iequals(name, "Recordset"))
        return did::Recordset;
    if (vb::iequals(name, "RecordSource"))
        return did::RecordSource;
    if (vb::iequals(name, "ConnectionString"))
        return did::ConnectionString;
    return std::nullopt;
}

vb::Variant clsDataSource::invoke(vb::DispId id, vb::InvokeKind kind, std::span<vb::Variant> args)
{
    namespace did = dispid_clsDataSource;
    const bool get = kind == vb::InvokeKind::PropertyGet || kind == vb::InvokeKind::Method;
    const bool let = kind == vb::InvokeKind::PropertyLet;
    if (id == did::Recordset && get && args.empty())
        return vb::Variant(m_Recordset);
    if (id == did::Recordset && !get)
        vb::raise(vb::err::ReadOnlyProperty, std::string(k_source) + ".Recordset");
    if (id == did::RecordSource && get && args.empty())
        return vb::Variant(m_RecordSource);
    if (id == did::RecordSource && let && args.size() == 1) {
        let_RecordSource(vb::CStr(args[0]));
        return {};
    }
    if (id == did::ConnectionString && get && args.empty())
        return vb::Variant(m_ConnectionString);
    if (id == did::ConnectionString && let && args.size() == 1) {
        let_ConnectionString(vb::CStr(args[0]));
        return {};
    }
    if (id == did::Recordset || id == did::RecordSource || id == did::ConnectionString)
        vb::raise(vb::err::WrongArgumentCount, std::string(k_source));
    vb::raise(vb::err::NotSupported, std::string(k_source));
}

} // namespace pendrel
