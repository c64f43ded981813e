// The data-access objects reached by name through the dispatch entry, as a
// caller holding them in a Variant does.
#include <gtest/gtest.h>

#include "platform/ado/Fields.h"
#include "platform/vb/Convert.h"
#include "platform/vb/ErrorNumbers.h"
#include "support/ado/AdoFixture.h"

namespace {

using vb::InvokeKind;
using vb::Variant;

Variant call(vb::Object& o, std::string_view name, InvokeKind kind, std::vector<Variant> args = {})
{
    const auto id = o.id_of_name(name);
    if (!id)
        throw std::runtime_error("no member " + std::string(name));
    return o.invoke(*id, kind, args);
}

TEST(Dispatch, OpensMovesFindsAndReadsByName)
{
    pendrel::test::TempDir dir;
    pendrel::test::create_sqlite_file(dir / "shop.db", pendrel::test::fixture_sql());
    auto connection = std::make_shared<ado::Connection>();
    call(*connection, "open", InvokeKind::Method,
        {pendrel::test::sqlite_connection_string(dir / "shop.db"), "", "", vb::Long(-1)});
    auto rs = std::make_shared<ado::Recordset>();
    EXPECT_EQ(rs->type_name(), "Recordset");
    call(*rs, "CursorLocation", InvokeKind::PropertyLet, {vb::Long(3)});
    call(*rs, "Open", InvokeKind::Method,
        {"SELECT id, name FROM people ORDER BY id", connection, vb::Long(3), vb::Long(1),
            vb::Long(-1)});
    EXPECT_EQ(call(*rs, "RecordCount", InvokeKind::PropertyGet), Variant(vb::Long(12)));
    call(*rs, "Find", InvokeKind::Method,
        {"[name] LIKE 'O''Br*'", vb::Long(0), vb::Long(1), vb::Missing});
    EXPECT_EQ(call(*rs, "AbsolutePosition", InvokeKind::PropertyGet), Variant(vb::Long(2)));
    const Variant fields = call(*rs, "Fields", InvokeKind::PropertyGet);
    EXPECT_EQ(vb::type_name(fields), "Fields");
    const Variant field
        = call(*fields.as_object(), "Item", InvokeKind::PropertyGet, {vb::Integer(1)});
    EXPECT_EQ(field.as_object()->invoke(vb::DISPID_VALUE, InvokeKind::PropertyGet, {}),
        Variant("O'Brien"));
    EXPECT_EQ(vb::CStr(field), "O'Brien"); // a field converts as its value
    call(*rs, "MoveLast", InvokeKind::Method);
    EXPECT_EQ(call(*rs, "EOF", InvokeKind::PropertyGet), Variant(vb::False));
    EXPECT_FALSE(rs->id_of_name("Requery").has_value());
    EXPECT_EQ(
        pendrel::test::error_of([&] { (void)rs->invoke(99, InvokeKind::Method, {}); }).number(),
        vb::err::NotSupported);
}

} // namespace
