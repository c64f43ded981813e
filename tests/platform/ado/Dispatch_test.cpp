// The data-access objects reached by name through the dispatch entry, as a
// caller holding them in a Variant does.
#include <gtest/gtest.h>

#include "platform/ado/Fields.h"
#include "platform/vb/Convert.h"
#include "platform/vb/ErrorNumbers.h"
#include "support/VbError.h"
#include "support/ado/AdoFixture.h"

namespace {

using enum vb::InvokeKind;
using vb::InvokeKind;
using vb::Variant;

Variant call(vb::Object& o, std::string_view name, InvokeKind kind, std::vector<Variant> args = {})
{
    return o.invoke(o.id_of_name(name).value(), kind, args);
}

using Dispatch = pendrel::test::SqliteFileTest;

TEST_F(Dispatch, OpensMovesFindsAndReadsByName)
{
    auto connection = std::make_shared<ado::Connection>();
    call(*connection, "open", Method, {cnstr(), "", "", vb::Long(-1)});
    auto rs = std::make_shared<ado::Recordset>();
    call(*rs, "CursorLocation", PropertyLet, {vb::Long(3)});
    call(*rs, "Open", Method,
        {"SELECT id, name FROM people ORDER BY id", connection, vb::Long(3), vb::Long(1),
            vb::Long(-1)});
    EXPECT_EQ(call(*rs, "RecordCount", PropertyGet), Variant(vb::Long(12)));
    call(*rs, "Find", Method, {"[name] LIKE 'O''Br*'", vb::Long(0), vb::Long(1), vb::Missing});
    EXPECT_EQ(call(*rs, "AbsolutePosition", PropertyGet), Variant(vb::Long(2)));
    const Variant fields = call(*rs, "Fields", PropertyGet);
    EXPECT_EQ(vb::type_name(fields), "Fields");
    const Variant field = call(*fields.as_object(), "Item", PropertyGet, {vb::Integer(1)});
    EXPECT_EQ(field.as_object()->invoke(vb::DISPID_VALUE, PropertyGet, {}), Variant("O'Brien"));
    EXPECT_EQ(vb::CStr(field), "O'Brien"); // a field converts as its value
    EXPECT_EQ(vb::CStr(call(*rs, "Fields", PropertyGet, {"name"})), "O'Brien");
    call(*rs, "MoveLast", Method);
    EXPECT_EQ(call(*rs, "EOF", PropertyGet), Variant(vb::False));
    EXPECT_VB_ERROR(call(*rs, "State", PropertyLet, {vb::Long(0)}), vb::err::ReadOnlyProperty);
    EXPECT_VB_ERROR(call(*fields.as_object(), "Item", PropertyGet), vb::err::ArgumentNotOptional);
}

} // namespace
