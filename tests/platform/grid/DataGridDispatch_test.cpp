// The grid's members reached by identifier and by name, as a scripted host
// and the control's dispatch calls reach them.

#include <gtest/gtest.h>

#include "platform/grid/Columns.h"
#include "platform/grid/SelBookmarks.h"
#include "platform/host/StdFont.h"
#include "support/VbError.h"
#include "support/ado/AdoFixture.h"
#include "support/grid/GridTest.h"

namespace {

using enum vb::InvokeKind;
using vb::InvokeKind;
using vb::Variant;

class GridDispatch : public pendrel::test::GridTest {
protected:
    Variant call(vb::Object& o, vb::DispId id, InvokeKind kind, std::vector<Variant> args = {})
    {
        return o.invoke(id, kind, args);
    }
    Variant get(vb::DispId id, std::vector<Variant> args = {})
    {
        return call(*grid, id, PropertyGet, std::move(args));
    }
    void let(vb::DispId id, Variant v) { call(*grid, id, PropertyLet, {std::move(v)}); }
};

TEST_F(GridDispatch, BindsAndReadsRowsByIdentifier)
{
    const auto source
        = std::make_shared<pendrel::test::SqliteDataSource>(cnstr, "SELECT id, name FROM cities");
    call(*grid, 42, PropertySet, {Variant(source)});
    EXPECT_EQ(source->calls(), 1);
    EXPECT_EQ(get(-515), Variant(static_cast<vb::Long>(grid->get_hWnd())));

    const Variant row = call(*grid, 110, Method, {Variant(twips(row_point(2).y))});
    EXPECT_EQ(row, Variant(vb::Integer{2}));
    const Variant bookmark = call(*grid, 109, Method, {row});
    let(9, bookmark);
    const Variant column = get(105, {Variant(1)});
    EXPECT_EQ(call(*column.as_object(), grid::Column::DISPID_Text, PropertyGet), Variant("Łódź"));
    EXPECT_EQ(call(*grid, 104, Method, {Variant(0)}), Variant(vb::Integer{0}));

    const Variant selection = get(113);
    call(*selection.as_object(), grid::SelBookmarks::DISPID_Add, Method, {bookmark});
    EXPECT_EQ(get(113, {Variant(0)}), bookmark);
}

TEST_F(GridDispatch, AppearanceAndTheExtender)
{
    let(11, Variant(false));
    EXPECT_FALSE(grid->get_ColumnHeaders());
    let(29, Variant(vb::Single{300}));
    EXPECT_EQ(get(29), Variant(vb::Single{300}));
    let(-501, Variant(static_cast<vb::Long>(0x8000000FU)));
    EXPECT_EQ(grid->get_BackColor(), gfx::vbButtonFace);
    // The font object, shared: its Bold set through its own dispatch.
    const Variant font = get(-512);
    call(*font.as_object(), host::StdFont::DISPID_FONT_BOLD, PropertyLet, {Variant(true)});
    EXPECT_TRUE(grid->get_Font()->get_Bold());
    EXPECT_EQ(get(vb::DispId(0x80010003)), Variant(vb::Single{300})); // Left: 20 pixels
    let(vb::DispId(0x80010006), Variant(vb::Single{1500}));
    EXPECT_EQ(grid->extender().get_Height(), 1500);
}

TEST_F(GridDispatch, NamesGiveTheirIdentifiersAndWrongCallsRaiseTheirNumbers)
{
    // A stock member, our own ones in any case, and one of the extender.
    for (const auto& [name, id] : {std::pair<std::string_view, vb::DispId>{"hWnd", -515},
             {"Bookmark", 9}, {"HoldFields", 102}, {"colcontaining", 104}, {"ROWCONTAINING", 110},
             {"Enabled", vb::DispId(0x8001000D)}})
        EXPECT_EQ(grid->id_of_name(name), id) << name;
    EXPECT_VB_ERROR(
        let(*grid->id_of_name("AllowUpdate"), Variant(true)), vb::err::ReadOnlyProperty);
    EXPECT_VB_ERROR(get(110), vb::err::WrongArgumentCount);
    EXPECT_VB_ERROR(let(-535, Variant(vb::Integer{7})), vb::err::InvalidPropertyValue);
    EXPECT_VB_ERROR(let(-513, Variant(vb::Long{0x7F000000})), vb::err::InvalidPropertyValue);
    EXPECT_VB_ERROR(get(105, {Variant(0)}), vb::err::SubscriptOutOfRange);
}

} // namespace
