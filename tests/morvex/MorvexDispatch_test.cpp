// _Morvex and __Morvex as a scripted host reaches them: members by
// identifier and by name, arguments converted and written back, the
// errors of wrong calls, the members not built yet, and events by name.

#include <gtest/gtest.h>

#include <set>

#include "morvex/MorvexMembers.h"
#include "pendrel/Morvex.h"
#include "pendrel/clsDataSource.h"
#include "platform/controls/TextBox.h"
#include "platform/grid/DataGrid.h"
#include "support/ado/AdoFixture.h"
#include "support/morvex/MorvexTest.h"

namespace pendrel {
namespace {

using test::error_of;
using vb::InvokeKind;
using vb::Variant;

class MorvexDispatch : public test::MorvexTest {
protected:
    Variant get(std::string_view name)
    {
        return ctl->invoke(id(name), InvokeKind::PropertyGet, {});
    }
    void let(std::string_view name, Variant value)
    {
        std::vector<Variant> args{std::move(value)};
        ctl->invoke(id(name), InvokeKind::PropertyLet, args);
    }
    vb::Long failure(vb::DispId dispid, InvokeKind kind, std::vector<Variant> args = {})
    {
        return error_of([&] { ctl->invoke(dispid, kind, args); }).number();
    }
    vb::DispId id(std::string_view name) const
    {
        const auto found = ctl->id_of_name(name);
        EXPECT_TRUE(found.has_value()) << name;
        return found.value_or(0);
    }
};

TEST_F(MorvexDispatch, ThirtySixMembersAndTwoVariablesEachWithItsOwnIdentifier)
{
    const auto members = morvex_members();
    ASSERT_EQ(members.size(), 38u);
    EXPECT_EQ(members.front().name, "fLogging");
    EXPECT_EQ(members.back().name, "CausesValidation");
    std::set<vb::DispId> ids;
    for (const auto& m : members) {
        ids.insert(m.id);
        EXPECT_EQ(ctl->id_of_name(m.name), m.id) << m.name;
    }
    EXPECT_EQ(ids.size(), members.size());
    EXPECT_EQ(ctl->id_of_name("ROWSOURCE"), 0x68030014);
    EXPECT_EQ(ctl->id_of_name("clear"), 0x60030036);
    EXPECT_EQ(ctl->id_of_name("Resize"), std::nullopt);
}

TEST_F(MorvexDispatch, PropertiesByNameReachTheSameAccessors)
{
    let("CnStr", Variant(cnstr));
    let("RowSource", Variant("SELECT id, name FROM cities"));
    EXPECT_EQ(get("ColumnCount"), Variant(vb::Long{2}));
    EXPECT_EQ(get("Recordset"), Variant(ctl->get_Recordset()));
    let("Text", Variant(vb::Long{42}));
    EXPECT_EQ(ctl->get_Text(), "42");
    let("BackColor", Variant(vb::Long{0x00808000}));
    EXPECT_EQ(get("BackColor"), Variant(vb::Long{0x00808000}));
    let("Appearance", Variant(vb::Integer{0}));
    EXPECT_EQ(get("Appearance"), Variant(vb::Long{0}));
    EXPECT_EQ(get("hwnd"), Variant(ctl->get_hwnd()));
    EXPECT_EQ(get("BoundColumn"), Variant(vb::Integer{1}));
    EXPECT_EQ(take_changes(),
        (std::vector<std::string>{"CnStr", "RowSource", "BackColor", "Appearance"}));
}

TEST_F(MorvexDispatch, ByReferenceParametersAreWrittenBack)
{
    std::vector<Variant> args{Variant("1")};
    ctl->invoke(dispid::FontBold, InvokeKind::PropertyLet, args);
    EXPECT_EQ(args[0], Variant(vb::True));
    EXPECT_TRUE(ctl->DropdownList().get_Font()->get_Bold());
    args = {Variant(vb::Long{0})};
    ctl->invoke(dispid::ColumnHeads, InvokeKind::PropertyLet, args);
    EXPECT_EQ(args[0], Variant(vb::False));
}

TEST_F(MorvexDispatch, ObjectsGoInWithSet)
{
    const auto font = host::StdFont::create();
    std::vector<Variant> args{Variant(font)};
    ctl->invoke(dispid::Font, InvokeKind::PropertySet, args);
    EXPECT_EQ(ctl->txtFieldCmb().get_Font(), font);
    EXPECT_EQ(get("Font"), Variant(font));
    EXPECT_EQ(failure(dispid::Font, InvokeKind::PropertySet, {Variant(clsDataSource::create())}),
        vb::err::TypeMismatch);
    EXPECT_EQ(failure(dispid::Font, InvokeKind::PropertySet, {Variant(vb::ObjectRef{})}),
        vb::err::ObjectRequired);
}

TEST_F(MorvexDispatch, WrongCallsRaiseTheLanguagesErrors)
{
    struct Call {
        vb::DispId id;
        InvokeKind kind;
        std::vector<Variant> args;
        vb::Long error;
    };
    const Call calls[] = {
        {dispid::CnStr, InvokeKind::PropertyGet, {}, vb::err::WriteOnlyProperty},
        {dispid::ColumnCount, InvokeKind::PropertyLet, {Variant(1)}, vb::err::ReadOnlyProperty},
        {dispid::Font, InvokeKind::PropertyLet, {Variant("Arial")}, vb::err::WrongArgumentCount},
        {dispid::Text, InvokeKind::PropertyLet, {}, vb::err::WrongArgumentCount},
        {dispid::Refresh, InvokeKind::Method, {Variant(1)}, vb::err::WrongArgumentCount},
        {0x12345, InvokeKind::Method, {}, vb::err::NotSupported},
        {dispid::BoundColumn, InvokeKind::PropertyLet, {Variant(vb::Long{40000})},
            vb::err::Overflow},
        {dispid::ListRows, InvokeKind::PropertyLet, {Variant("many")}, vb::err::TypeMismatch},
        {dispid::Text, InvokeKind::PropertyLet, {Variant(vb::Null)}, vb::err::InvalidUseOfNull},
        {dispid::PopupMenu, InvokeKind::Method, {}, vb::err::ArgumentNotOptional},
    };
    for (const Call& c : calls)
        EXPECT_EQ(failure(c.id, c.kind, c.args), c.error) << c.id;
}

TEST_F(MorvexDispatch, MembersNotBuiltYetRaiseInsteadOfPretending)
{
    for (const vb::DispId dispid : {dispid::ItemData, dispid::Value, dispid::ValueOfColumn}) {
        std::vector<Variant> args{Variant(vb::Integer{1})};
        const vb::Error e = error_of([&] { ctl->invoke(dispid, InvokeKind::Method, args); });
        EXPECT_EQ(e.number(), vb::err::NotSupported);
        EXPECT_NE(e.description().find("not implemented"), std::string::npos) << e.description();
    }
}

TEST_F(MorvexDispatch, PopupMenuGoesOnWithLeftOutArgumentsMissing)
{
    std::vector<Variant> args{Variant(clsDataSource::create()), Variant(vb::Long{4}), Variant(10)};
    ctl->invoke(dispid::PopupMenu, InvokeKind::Method, args);
    ASSERT_EQ(site->surface().popup_menu_calls().size(), 1u);
    const auto& call = site->surface().popup_menu_calls()[0];
    EXPECT_EQ(call.X, Variant(10));
    EXPECT_TRUE(call.Y.is_missing() && call.DefaultMenu.is_missing());
}

TEST_F(MorvexDispatch, EventsByNameAndByIdentifier)
{
    const auto table = ctl->event_table();
    ASSERT_EQ(table.size(), 14u);
    for (std::size_t i = 0; i < table.size(); ++i)
        EXPECT_EQ(table[i].id, static_cast<vb::DispId>(i + 1)) << table[i].name;
    EXPECT_EQ(site->events().id_of_name("notinlist"), event::NotInList);
    int shown = 0;
    auto by_name = site->events().subscribe("Show", [&](std::span<Variant>) { ++shown; });
    form->Show();
    EXPECT_EQ(shown, 1);
}

} // namespace
} // namespace pendrel
