// The grid's dispatch entry: every member by name and identifier, for a
// scripted host, one row each.
//
// The extender's members answer here too, as they do on the object a form
// hands out for a placed control.

#include <array>

#include "platform/grid/Columns.h"
#include "platform/grid/DataGrid.h"
#include "platform/grid/SelBookmarks.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Dispatch.h"
#include "platform/vb/Error.h"

namespace grid {

namespace {

using namespace vb::dispatch;
using vb::Variant;
using G = DataGrid;
using Row = Member<DataGrid>;

constexpr vb::DispId extender_id(std::uint32_t id)
{
    return static_cast<vb::DispId>(id);
}

gfx::OLE_COLOR color_of(const Variant& v)
{
    return static_cast<gfx::OLE_COLOR>(vb::CLng(v));
}

host::StdFontRef font_of(const Variant& v)
{
    auto font = std::dynamic_pointer_cast<host::StdFont>(object_in(v));
    if (!font) {
        vb::raise(vb::err::ObjectRequired, "A font is a StdFont object", "DataGrid.Font");
    }
    return font;
}

// Columns(i) and SelBookmarks(i) reach the collection's item, as the
// language's call of a collection-valued property with an index does.
Variant columns(G& g, Args a)
{
    return a.empty() ? Variant(g.get_Columns()) : Variant(g.get_Columns()->get_Item(a[0]));
}

Variant sel_bookmarks(G& g, Args a)
{
    return a.empty() ? Variant(g.get_SelBookmarks())
                     : g.get_SelBookmarks()->get_Item(vb::CLng(a[0]));
}

// clang-format off
const auto k_members = std::to_array<Row>({
    {"hWnd", -515, Get, [](G& g, Args) -> Variant { return static_cast<vb::Long>(g.get_hWnd()); }},
    {"ScrollBars", -535, Get | Let, [](G& g, Args) -> Variant { return g.get_ScrollBars(); },
        [](G& g, Args a) { g.let_ScrollBars(vb::CInt(a.back())); }},
    {"BackColor", -501, Get | Let, [](G& g, Args) -> Variant { return static_cast<vb::Long>(g.get_BackColor()); },
        [](G& g, Args a) { g.let_BackColor(color_of(a.back())); }},
    {"ForeColor", -513, Get | Let, [](G& g, Args) -> Variant { return static_cast<vb::Long>(g.get_ForeColor()); },
        [](G& g, Args a) { g.let_ForeColor(color_of(a.back())); }},
    {"Font", -512, Get | Set, [](G& g, Args) -> Variant { return g.get_Font(); },
        [](G& g, Args a) { g.set_Font(font_of(a.back())); }},
    {"Bookmark", 9, Get | Let, [](G& g, Args) { return g.get_Bookmark(); },
        [](G& g, Args a) { g.let_Bookmark(a.back()); }},
    {"ColumnHeaders", 11, Get | Let, [](G& g, Args) -> Variant { return g.get_ColumnHeaders(); },
        [](G& g, Args a) { g.let_ColumnHeaders(vb::CBool(a.back())); }},
    {"RowHeight", 29, Get | Let, [](G& g, Args) -> Variant { return g.get_RowHeight(); },
        [](G& g, Args a) { g.let_RowHeight(vb::CSng(a.back())); }},
    {"DataSource", 42, Get | Set, [](G& g, Args) { return g.get_DataSource(); },
        [](G& g, Args a) { g.set_DataSource(a.back()); }},
    {"HoldFields", 102, Call, [](G& g, Args) { g.HoldFields(); return Variant(); }},
    {"ColContaining", 104, Call, [](G& g, Args a) -> Variant { return g.ColContaining(vb::CSng(a[0])); }, nullptr, exactly(1)},
    {"Columns", 105, Get, &columns, nullptr, {0, 1}},
    {"RowBookmark", 109, Call, [](G& g, Args a) { return g.RowBookmark(vb::CInt(a[0])); }, nullptr, exactly(1)},
    {"RowContaining", 110, Call, [](G& g, Args a) -> Variant { return g.RowContaining(vb::CSng(a[0])); }, nullptr, exactly(1)},
    {"SelBookmarks", 113, Get, &sel_bookmarks, nullptr, {0, 1}},
    {"Refresh", -550, Call, [](G& g, Args) { g.Refresh(); return Variant(); }},
    {"Appearance", -520, Get, [](G& g, Args) -> Variant { return g.get_Appearance(); }},
    {"BorderStyle", -504, Get, [](G& g, Args) -> Variant { return g.get_BorderStyle(); }},
    // The grid's own members.
    {"DataMember", 256, Get | Let, [](G& g, Args) -> Variant { return g.get_DataMember(); },
        [](G& g, Args a) { g.let_DataMember(vb::CStr(a.back())); }},
    {"HeadFont", 257, Get | Set, [](G& g, Args) -> Variant { return g.get_HeadFont(); },
        [](G& g, Args a) { g.set_HeadFont(font_of(a.back())); }},
    {"HeaderHeight", 267, Get, [](G& g, Args) -> Variant { return g.get_HeaderHeight(); }},
    {"ApproxCount", 258, Get, [](G& g, Args) -> Variant { return g.get_ApproxCount(); }},
    {"VisibleRows", 259, Get, [](G& g, Args) -> Variant { return g.get_VisibleRows(); }},
    {"FirstRow", 260, Get | Let, [](G& g, Args) { return g.get_FirstRow(); },
        [](G& g, Args a) { g.let_FirstRow(a.back()); }},
    {"LeftCol", 261, Get | Let, [](G& g, Args) -> Variant { return g.get_LeftCol(); },
        [](G& g, Args a) { g.let_LeftCol(vb::CInt(a.back())); }},
    {"Row", 262, Get, [](G& g, Args) -> Variant { return g.get_Row(); }},
    {"ClearFields", 263, Call, [](G& g, Args) { g.ClearFields(); return Variant(); }},
    {"ReBind", 264, Call, [](G& g, Args) { g.ReBind(); return Variant(); }},
    {"Scroll", 265, Call, [](G& g, Args a) { g.Scroll(vb::CLng(a[0]), vb::CLng(a[1])); return Variant(); }, nullptr, exactly(2)},
    {"GetBookmark", 266, Call, [](G& g, Args a) { return g.GetBookmark(vb::CLng(a[0])); }, nullptr, exactly(1)},
    {"AllowAddNew", 270, Get, [](G& g, Args) -> Variant { return g.get_AllowAddNew(); }},
    {"AllowArrows", 271, Get, [](G& g, Args) -> Variant { return g.get_AllowArrows(); }},
    {"AllowDelete", 272, Get, [](G& g, Args) -> Variant { return g.get_AllowDelete(); }},
    {"AllowUpdate", 273, Get, [](G& g, Args) -> Variant { return g.get_AllowUpdate(); }},
    {"DefColWidth", 274, Get, [](G& g, Args) -> Variant { return g.get_DefColWidth(); }},
    {"RightToLeft", 275, Get, [](G& g, Args) -> Variant { return g.get_RightToLeft(); }},
    {"TabAcrossSplits", 276, Get, [](G& g, Args) -> Variant { return g.get_TabAcrossSplits(); }},
    {"TabAction", 277, Get, [](G& g, Args) -> Variant { return g.get_TabAction(); }},
    {"WrapCellPointer", 278, Get, [](G& g, Args) -> Variant { return g.get_WrapCellPointer(); }},
    // The extender.
    {"Left", extender_id(0x80010003), Get | Let, [](G& g, Args) -> Variant { return g.extender().get_Left(); },
        [](G& g, Args a) { g.extender().let_Left(vb::CSng(a.back())); }},
    {"Top", extender_id(0x80010004), Get | Let, [](G& g, Args) -> Variant { return g.extender().get_Top(); },
        [](G& g, Args a) { g.extender().let_Top(vb::CSng(a.back())); }},
    {"Width", extender_id(0x80010005), Get | Let, [](G& g, Args) -> Variant { return g.extender().get_Width(); },
        [](G& g, Args a) { g.extender().let_Width(vb::CSng(a.back())); }},
    {"Height", extender_id(0x80010006), Get | Let, [](G& g, Args) -> Variant { return g.extender().get_Height(); },
        [](G& g, Args a) { g.extender().let_Height(vb::CSng(a.back())); }},
    {"Visible", extender_id(0x80010007), Get | Let, [](G& g, Args) -> Variant { return g.extender().get_Visible(); },
        [](G& g, Args a) { g.extender().let_Visible(vb::CBool(a.back())); }},
    {"Enabled", extender_id(0x8001000D), Get | Let, [](G& g, Args) -> Variant { return g.extender().get_Enabled(); },
        [](G& g, Args a) { g.extender().let_Enabled(vb::CBool(a.back())); }},
});
// clang-format on

} // namespace

std::optional<vb::DispId> DataGrid::id_of_name(std::string_view name) const
{
    return vb::dispatch::id_of_name(k_members, name);
}

Variant DataGrid::invoke(vb::DispId id, vb::InvokeKind kind, std::span<Variant> args)
{
    return vb::dispatch::invoke(k_members, *this, id, kind, args);
}

} // namespace grid
