// The dispatch entries of the data-access objects: members by name and by
// identifier, for callers that hold them in a Variant. Each member's
// identifier is its row in the class's table; identifier 0 is the default
// member (a Field's Value, the Fields' Item, the Recordset's Fields).
#include <array>
#include <string_view>

#include "platform/ado/Connection.h"
#include "platform/ado/ConnectionString.h"
#include "platform/ado/Fields.h"
#include "platform/ado/Recordset.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Error.h"

namespace ado {

namespace {

using vb::InvokeKind;
using vb::Variant;

template <std::size_t N>
std::optional<vb::DispId> lookup(
    const std::array<std::string_view, N>& names, std::string_view name)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (same_key(names[i], name))
            return static_cast<vb::DispId>(i);
    }
    return std::nullopt;
}

// The argument at `i`, or Missing when the caller left it out.
const Variant& arg(std::span<Variant> args, std::size_t i)
{
    static const Variant missing = vb::Missing;
    return i < args.size() ? args[i] : missing;
}

vb::Long long_arg(std::span<Variant> args, std::size_t i, vb::Long fallback)
{
    const Variant& v = arg(args, i);
    return v.is_missing() ? fallback : vb::CLng(v);
}

std::string text_arg(std::span<Variant> args, std::size_t i)
{
    const Variant& v = arg(args, i);
    return v.is_missing() ? std::string() : vb::CStr(v);
}

[[noreturn]] void not_supported(std::string_view type)
{
    vb::raise(vb::err::NotSupported, std::string(type));
}

constexpr std::array<std::string_view, 17> k_recordset{"Fields", "Open", "Close", "State",
    "CursorLocation", "EOF", "BOF", "RecordCount", "AbsolutePosition", "Bookmark", "MoveFirst",
    "MoveLast", "MoveNext", "MovePrevious", "Move", "Find", "ActiveConnection"};
constexpr std::array<std::string_view, 2> k_fields{"Item", "Count"};
constexpr std::array<std::string_view, 4> k_field{"Value", "Name", "Type", "DefinedSize"};
constexpr std::array<std::string_view, 5> k_connection{
    "ConnectionString", "Open", "Close", "State", "CommandTimeout"};

} // namespace

std::optional<vb::DispId> Recordset::id_of_name(std::string_view name) const
{
    return lookup(k_recordset, name);
}

Variant Recordset::invoke(vb::DispId id, InvokeKind kind, std::span<Variant> args)
{
    const bool get = kind == InvokeKind::PropertyGet || kind == InvokeKind::Method;
    const bool let = kind == InvokeKind::PropertyLet;
    switch (id) {
    case 0:
        if (get && args.empty())
            return get_Fields();
        if (get)
            return get_Fields()->get_Item(args[0]);
        break;
    case 1:
        Open(arg(args, 0), arg(args, 1), long_arg(args, 2, -1), long_arg(args, 3, -1),
            long_arg(args, 4, -1));
        return {};
    case 2:
        Close();
        return {};
    case 3:
        return get_State();
    case 4:
        if (let)
            let_CursorLocation(vb::CLng(arg(args, args.size() - 1)));
        return let ? Variant() : Variant(get_CursorLocation());
    case 5:
        return get_EOF();
    case 6:
        return get_BOF();
    case 7:
        return get_RecordCount();
    case 8:
        if (let)
            let_AbsolutePosition(vb::CLng(arg(args, args.size() - 1)));
        return let ? Variant() : Variant(get_AbsolutePosition());
    case 9:
        if (let)
            let_Bookmark(arg(args, args.size() - 1));
        return let ? Variant() : get_Bookmark();
    case 10:
        MoveFirst();
        return {};
    case 11:
        MoveLast();
        return {};
    case 12:
        MoveNext();
        return {};
    case 13:
        MovePrevious();
        return {};
    case 14:
        Move(long_arg(args, 0, 0), arg(args, 1));
        return {};
    case 15:
        Find(text_arg(args, 0), long_arg(args, 1, 0), long_arg(args, 2, 1), arg(args, 3));
        return {};
    case 16:
        if (get && m_connection)
            return m_connection;
        if (get)
            return vb::Null;
        break;
    default:
        break;
    }
    not_supported(type_name());
}

std::optional<vb::DispId> Fields::id_of_name(std::string_view name) const
{
    return lookup(k_fields, name);
}

Variant Fields::invoke(vb::DispId id, InvokeKind kind, std::span<Variant> args)
{
    if (kind != InvokeKind::PropertyGet && kind != InvokeKind::Method)
        not_supported(type_name());
    if (id == 0) {
        if (args.empty())
            vb::raise(vb::err::ArgumentNotOptional, "ADODB.Fields");
        return get_Item(args[0]);
    }
    if (id == 1)
        return get_Count();
    not_supported(type_name());
}

std::optional<vb::DispId> Field::id_of_name(std::string_view name) const
{
    return lookup(k_field, name);
}

Variant Field::invoke(vb::DispId id, InvokeKind kind, std::span<Variant>)
{
    if (kind != InvokeKind::PropertyGet && kind != InvokeKind::Method)
        not_supported(type_name());
    switch (id) {
    case 0:
        return get_Value();
    case 1:
        return get_Name();
    case 2:
        return get_Type();
    case 3:
        return get_DefinedSize();
    default:
        not_supported(type_name());
    }
}

std::optional<vb::DispId> Connection::id_of_name(std::string_view name) const
{
    return lookup(k_connection, name);
}

Variant Connection::invoke(vb::DispId id, InvokeKind kind, std::span<Variant> args)
{
    const bool let = kind == InvokeKind::PropertyLet;
    switch (id) {
    case 0:
        if (let)
            let_ConnectionString(vb::CStr(arg(args, args.size() - 1)));
        return let ? Variant() : Variant(get_ConnectionString());
    case 1:
        Open(text_arg(args, 0), text_arg(args, 1), text_arg(args, 2), long_arg(args, 3, -1));
        return {};
    case 2:
        Close();
        return {};
    case 3:
        return get_State();
    case 4:
        if (let)
            let_CommandTimeout(vb::CLng(arg(args, args.size() - 1)));
        return let ? Variant() : Variant(get_CommandTimeout());
    default:
        not_supported(type_name());
    }
}

} // namespace ado
