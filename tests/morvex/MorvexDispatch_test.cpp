// _Morvex and __Morvex as a scripted host reaches them: members by
// identifier and by name, arguments converted and written back, the
// accessors each member has, the members not built yet, and events by name.

#include <set>

#include "morvex/MorvexMembers.h"
#include "pendrel/clsDataSource.h"
#include "support/ado/AdoFixture.h"
#include "support/morvex/MorvexTest.h"

namespace pendrel {
namespace {

using enum vb::InvokeKind;
using vb::InvokeKind;
using vb::Variant;

class MorvexDispatch : public test::MorvexTest {
protected:
    Variant call(vb::DispId id, InvokeKind kind, std::vector<Variant> args = {})
    {
        return ctl->invoke(id, kind, args);
    }
    Variant get(std::string_view name) { return call(ctl->id_of_name(name).value(), PropertyGet); }
    void let(std::string_view name, Variant value)
    {
        call(ctl->id_of_name(name).value(), PropertyLet, {std::move(value)});
    }
};

// Fourteen events, numbered from 1, found by name too.
TEST_F(MorvexDispatch, ThirtySixMembersTwoVariablesAndFourteenEventsEachWithItsOwnIdentifier)
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
    const auto table = ctl->event_table();
    ASSERT_EQ(table.size(), 14u);
    for (std::size_t i = 0; i < table.size(); ++i)
        EXPECT_EQ(table[i].id, static_cast<vb::DispId>(i + 1)) << table[i].name;
    EXPECT_EQ(site->events().id_of_name("notinlist"), event::NotInList);
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
    ctl->invoke(dispid::FontBold, PropertyLet, args);
    EXPECT_EQ(args[0], Variant(vb::True));
    EXPECT_TRUE(ctl->DropdownList().get_Font()->get_Bold());
    args = {Variant(vb::Long{0})};
    ctl->invoke(dispid::ColumnHeads, PropertyLet, args);
    EXPECT_EQ(args[0], Variant(vb::False));
}

TEST_F(MorvexDispatch, ObjectsGoInWithSet)
{
    const auto font = host::StdFont::create();
    call(dispid::Font, PropertySet, {Variant(font)});
    EXPECT_EQ(ctl->txtFieldCmb().get_Font(), font);
    EXPECT_EQ(get("Font"), Variant(font));
    EXPECT_VB_ERROR(
        call(dispid::Font, PropertySet, {Variant(clsDataSource::create())}), vb::err::TypeMismatch);
    EXPECT_VB_ERROR(
        call(dispid::Font, PropertySet, {Variant(vb::ObjectRef{})}), vb::err::ObjectRequired);
}

// Which accessors each member has and how its arguments convert.
TEST_F(MorvexDispatch, WrongCallsRaiseTheLanguagesErrors)
{
    struct Call {
        vb::DispId id;
        InvokeKind kind;
        std::vector<Variant> args;
        vb::Long error;
    };
    const Call calls[] = {
        {dispid::CnStr, PropertyGet, {}, vb::err::WriteOnlyProperty},
        {dispid::ColumnCount, PropertyLet, {Variant(1)}, vb::err::ReadOnlyProperty},
        {dispid::Font, PropertyLet, {Variant("Arial")}, vb::err::WrongArgumentCount},
        {dispid::ShowDropDown, Method, {}, vb::err::WrongArgumentCount},
        {dispid::BoundColumn, PropertyLet, {Variant(vb::Long{40000})}, vb::err::Overflow},
        {dispid::ListRows, PropertyLet, {Variant("many")}, vb::err::TypeMismatch},
        {dispid::Text, PropertyLet, {Variant(vb::Null)}, vb::err::InvalidUseOfNull},
        {dispid::PopupMenu, Method, {}, vb::err::ArgumentNotOptional},
        {dispid::ItemData, Method, {Variant(1)}, vb::err::AdoObjectClosed},
        {dispid::Value, Method, {Variant(1)}, vb::err::WrongArgumentCount},
        {dispid::ValueOfColumn, Method, {Variant("x")}, vb::err::TypeMismatch},
    };
    for (const Call& c : calls)
        EXPECT_VB_ERROR(call(c.id, c.kind, c.args), c.error) << c.id;
}

TEST_F(MorvexDispatch, PopupMenuGoesOnWithLeftOutArgumentsMissing)
{
    call(dispid::PopupMenu, Method,
        {Variant(clsDataSource::create()), Variant(vb::Long{4}), Variant(10)});
    ASSERT_EQ(site->surface().popup_menu_calls().size(), 1u);
    const auto& shown = site->surface().popup_menu_calls()[0];
    EXPECT_EQ(shown.X, Variant(10));
    EXPECT_TRUE(shown.Y.is_missing() && shown.DefaultMenu.is_missing());
}

} // namespace
} // namespace pendrel
