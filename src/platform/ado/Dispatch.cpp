// The dispatch entries of the data-access objects: members by name and by
// identifier, for callers that hold them in a Variant. Identifier 0 is the
// default member (a Field's Value, the Fields' Item, the Recordset's
// Fields). Arguments a caller leaves out of a method go on as Missing and
// take the method's defaults.
#include <array>
#include <string_view>

#include "platform/ado/Connection.h"
#include "platform/ado/Fields.h"
#include "platform/ado/Recordset.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Dispatch.h"
#include "platform/vb/Error.h"

namespace ado {

namespace {

using namespace vb::dispatch;
using vb::Variant;
using R = Recordset;
using C = Connection;

// The argument at `i`, or Missing when the caller left it out.
const Variant& arg(Args args, std::size_t i)
{
    static const Variant missing = vb::Missing;
    return i < args.size() ? args[i] : missing;
}

vb::Long long_arg(Args args, std::size_t i, vb::Long fallback)
{
    const Variant& v = arg(args, i);
    return v.is_missing() ? fallback : vb::CLng(v);
}

std::string text_arg(Args args, std::size_t i)
{
    const Variant& v = arg(args, i);
    return v.is_missing() ? std::string() : vb::CStr(v);
}

// rs(i) reaches the field, as the language's call of the default member
// with an index does.
Variant fields(R& r, Args a)
{
    return a.empty() ? Variant(r.get_Fields()) : Variant(r.get_Fields()->get_Item(a[0]));
}

Variant open_recordset(R& r, Args a)
{
    r.Open(arg(a, 0), arg(a, 1), long_arg(a, 2, -1), long_arg(a, 3, -1), long_arg(a, 4, -1));
    return {};
}

Variant find(R& r, Args a)
{
    r.Find(text_arg(a, 0), long_arg(a, 1, 0), long_arg(a, 2, 1), arg(a, 3));
    return {};
}

Variant active_connection(R& r, Args)
{
    auto connection = r.get_ActiveConnection();
    return connection ? Variant(connection) : Variant(vb::Null);
}

// clang-format off
const auto k_recordset = std::to_array<Member<Recordset>>({
    {"Fields", 0, Get, &fields, nullptr, {0, 1}},
    {"Open", 1, Call, &open_recordset, nullptr, {0, 5}},
    {"Close", 2, Call, [](R& r, Args) { r.Close(); return Variant(); }},
    {"State", 3, Get, [](R& r, Args) -> Variant { return r.get_State(); }},
    {"CursorLocation", 4, Get | Let, [](R& r, Args) -> Variant { return r.get_CursorLocation(); },
        [](R& r, Args a) { r.let_CursorLocation(vb::CLng(a.back())); }},
    {"EOF", 5, Get, [](R& r, Args) -> Variant { return r.get_EOF(); }},
    {"BOF", 6, Get, [](R& r, Args) -> Variant { return r.get_BOF(); }},
    {"RecordCount", 7, Get, [](R& r, Args) -> Variant { return r.get_RecordCount(); }},
    {"AbsolutePosition", 8, Get | Let, [](R& r, Args) -> Variant { return r.get_AbsolutePosition(); },
        [](R& r, Args a) { r.let_AbsolutePosition(vb::CLng(a.back())); }},
    {"Bookmark", 9, Get | Let, [](R& r, Args) { return r.get_Bookmark(); },
        [](R& r, Args a) { r.let_Bookmark(a.back()); }},
    {"MoveFirst", 10, Call, [](R& r, Args) { r.MoveFirst(); return Variant(); }},
    {"MoveLast", 11, Call, [](R& r, Args) { r.MoveLast(); return Variant(); }},
    {"MoveNext", 12, Call, [](R& r, Args) { r.MoveNext(); return Variant(); }},
    {"MovePrevious", 13, Call, [](R& r, Args) { r.MovePrevious(); return Variant(); }},
    {"Move", 14, Call, [](R& r, Args a) { r.Move(long_arg(a, 0, 0), arg(a, 1)); return Variant(); }, nullptr, {0, 2}},
    {"Find", 15, Call, &find, nullptr, {0, 4}},
    {"ActiveConnection", 16, Get, &active_connection},
});

// Item's index cannot be left out: 449, as the data-access library raises.
const auto k_fields = std::to_array<Member<Fields>>({
    {"Item", 0, Get, [](Fields& f, Args a) -> Variant {
        if (a.empty())
            vb::raise(vb::err::ArgumentNotOptional, "ADODB.Fields");
        return f.get_Item(a[0]); }, nullptr, {0, 1}},
    {"Count", 1, Get, [](Fields& f, Args) -> Variant { return f.get_Count(); }},
});

const auto k_field = std::to_array<Member<Field>>({
    {"Value", 0, Get, [](Field& f, Args) { return f.get_Value(); }},
    {"Name", 1, Get, [](Field& f, Args) -> Variant { return f.get_Name(); }},
    {"Type", 2, Get, [](Field& f, Args) -> Variant { return f.get_Type(); }},
    {"DefinedSize", 3, Get, [](Field& f, Args) -> Variant { return f.get_DefinedSize(); }},
});

const auto k_connection = std::to_array<Member<Connection>>({
    {"ConnectionString", 0, Get | Let, [](C& c, Args) -> Variant { return c.get_ConnectionString(); },
        [](C& c, Args a) { c.let_ConnectionString(vb::CStr(a.back())); }},
    {"Open", 1, Call, [](C& c, Args a) {
        c.Open(text_arg(a, 0), text_arg(a, 1), text_arg(a, 2), long_arg(a, 3, -1));
        return Variant(); }, nullptr, {0, 4}},
    {"Close", 2, Call, [](C& c, Args) { c.Close(); return Variant(); }},
    {"State", 3, Get, [](C& c, Args) -> Variant { return c.get_State(); }},
    {"CommandTimeout", 4, Get | Let, [](C& c, Args) -> Variant { return c.get_CommandTimeout(); },
        [](C& c, Args a) { c.let_CommandTimeout(vb::CLng(a.back())); }},
});
// clang-format on

} // namespace

std::optional<vb::DispId> Recordset::id_of_name(std::string_view name) const
{
    return vb::dispatch::id_of_name(k_recordset, name);
}

Variant Recordset::invoke(vb::DispId id, vb::InvokeKind kind, std::span<Variant> args)
{
    return vb::dispatch::invoke(k_recordset, *this, id, kind, args);
}

std::optional<vb::DispId> Fields::id_of_name(std::string_view name) const
{
    return vb::dispatch::id_of_name(k_fields, name);
}

Variant Fields::invoke(vb::DispId id, vb::InvokeKind kind, std::span<Variant> args)
{
    return vb::dispatch::invoke(k_fields, *this, id, kind, args);
}

std::optional<vb::DispId> Field::id_of_name(std::string_view name) const
{
    return vb::dispatch::id_of_name(k_field, name);
}

Variant Field::invoke(vb::DispId id, vb::InvokeKind kind, std::span<Variant> args)
{
    return vb::dispatch::invoke(k_field, *this, id, kind, args);
}

std::optional<vb::DispId> Connection::id_of_name(std::string_view name) const
{
    return vb::dispatch::id_of_name(k_connection, name);
}

Variant Connection::invoke(vb::DispId id, vb::InvokeKind kind, std::span<Variant> args)
{
    return vb::dispatch::invoke(k_connection, *this, id, kind, args);
}

} // namespace ado
