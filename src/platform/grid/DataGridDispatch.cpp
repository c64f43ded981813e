// The grid's dispatch entry: every member by name and identifier, for a
// scripted host. One table row per member: its identifier, how many
// arguments its get (or method call) takes, and how it reads and writes.
// A property without a writer is read-only (383 on a put).
//
// The extender's members answer here too, as they do on the object a form
// hands out for a placed control.

#include <array>

#include "platform/grid/Columns.h"
#include "platform/grid/DataGrid.h"
#include "platform/grid/DispatchSupport.h"
#include "platform/grid/SelBookmarks.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Error.h"

namespace grid {

namespace {

using vb::Variant;
using Args = std::span<Variant>;

struct Entry {
    std::string_view name;
    vb::DispId id;
    std::size_t arity; // arguments of a get or a method call
    Variant (*get)(DataGrid& g, Args args);
    void (*put)(DataGrid& g, const Variant& v); // nullptr: read-only
};

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
    auto font = std::dynamic_pointer_cast<host::StdFont>(dispatch::object_in(v));
    if (!font) {
        vb::raise(vb::err::ObjectRequired, "A font is a StdFont object", "DataGrid.Font");
    }
    return font;
}

Variant nothing()
{
    return {};
}

// clang-format off
const std::array k_entries{
    Entry{"hWnd", -515, 0, [](DataGrid& g, Args) -> Variant { return static_cast<vb::Long>(g.get_hWnd()); }, nullptr},
    Entry{"ScrollBars", -535, 0, [](DataGrid& g, Args) -> Variant { return g.get_ScrollBars(); },
        [](DataGrid& g, const Variant& v) { g.let_ScrollBars(vb::CInt(v)); }},
    Entry{"BackColor", -501, 0, [](DataGrid& g, Args) -> Variant { return static_cast<vb::Long>(g.get_BackColor()); },
        [](DataGrid& g, const Variant& v) { g.let_BackColor(color_of(v)); }},
    Entry{"ForeColor", -513, 0, [](DataGrid& g, Args) -> Variant { return static_cast<vb::Long>(g.get_ForeColor()); },
        [](DataGrid& g, const Variant& v) { g.let_ForeColor(color_of(v)); }},
    Entry{"Font", -512, 0, [](DataGrid& g, Args) -> Variant { return g.get_Font(); },
        [](DataGrid& g, const Variant& v) { g.set_Font(font_of(v)); }},
    Entry{"Bookmark", 9, 0, [](DataGrid& g, Args) { return g.get_Bookmark(); },
        [](DataGrid& g, const Variant& v) { g.let_Bookmark(v); }},
    Entry{"ColumnHeaders", 11, 0, [](DataGrid& g, Args) -> Variant { return g.get_ColumnHeaders(); },
        [](DataGrid& g, const Variant& v) { g.let_ColumnHeaders(vb::CBool(v)); }},
    Entry{"RowHeight", 29, 0, [](DataGrid& g, Args) -> Variant { return g.get_RowHeight(); },
        [](DataGrid& g, const Variant& v) { g.let_RowHeight(vb::CSng(v)); }},
    Entry{"DataSource", 42, 0, [](DataGrid& g, Args) { return g.get_DataSource(); },
        [](DataGrid& g, const Variant& v) { g.set_DataSource(v); }},
    Entry{"HoldFields", 102, 0, [](DataGrid& g, Args) { g.HoldFields(); return nothing(); }, nullptr},
    Entry{"ColContaining", 104, 1, [](DataGrid& g, Args a) -> Variant { return g.ColContaining(vb::CSng(a[0])); }, nullptr},
    Entry{"Columns", 105, 0, [](DataGrid& g, Args) -> Variant { return g.get_Columns(); }, nullptr},
    Entry{"RowBookmark", 109, 1, [](DataGrid& g, Args a) { return g.RowBookmark(vb::CInt(a[0])); }, nullptr},
    Entry{"RowContaining", 110, 1, [](DataGrid& g, Args a) -> Variant { return g.RowContaining(vb::CSng(a[0])); }, nullptr},
    Entry{"SelBookmarks", 113, 0, [](DataGrid& g, Args) -> Variant { return g.get_SelBookmarks(); }, nullptr},
    Entry{"Refresh", -550, 0, [](DataGrid& g, Args) { g.Refresh(); return nothing(); }, nullptr},
    Entry{"Appearance", -520, 0, [](DataGrid& g, Args) -> Variant { return g.get_Appearance(); }, nullptr},
    Entry{"BorderStyle", -504, 0, [](DataGrid& g, Args) -> Variant { return g.get_BorderStyle(); }, nullptr},
    // The grid's own members.
    Entry{"DataMember", 256, 0, [](DataGrid& g, Args) -> Variant { return g.get_DataMember(); },
        [](DataGrid& g, const Variant& v) { g.let_DataMember(vb::CStr(v)); }},
    Entry{"HeadFont", 257, 0, [](DataGrid& g, Args) -> Variant { return g.get_HeadFont(); },
        [](DataGrid& g, const Variant& v) { g.set_HeadFont(font_of(v)); }},
    Entry{"HeaderHeight", 267, 0, [](DataGrid& g, Args) -> Variant { return g.get_HeaderHeight(); }, nullptr},
    Entry{"ApproxCount", 258, 0, [](DataGrid& g, Args) -> Variant { return g.get_ApproxCount(); }, nullptr},
    Entry{"VisibleRows", 259, 0, [](DataGrid& g, Args) -> Variant { return g.get_VisibleRows(); }, nullptr},
    Entry{"FirstRow", 260, 0, [](DataGrid& g, Args) { return g.get_FirstRow(); },
        [](DataGrid& g, const Variant& v) { g.let_FirstRow(v); }},
    Entry{"LeftCol", 261, 0, [](DataGrid& g, Args) -> Variant { return g.get_LeftCol(); },
        [](DataGrid& g, const Variant& v) { g.let_LeftCol(vb::CInt(v)); }},
    Entry{"Row", 262, 0, [](DataGrid& g, Args) -> Variant { return g.get_Row(); }, nullptr},
    Entry{"ClearFields", 263, 0, [](DataGrid& g, Args) { g.ClearFields(); return nothing(); }, nullptr},
    Entry{"ReBind", 264, 0, [](DataGrid& g, Args) { g.ReBind(); return nothing(); }, nullptr},
    Entry{"Scroll", 265, 2, [](DataGrid& g, Args a) { g.Scroll(vb::CLng(a[0]), vb::CLng(a[1])); return nothing(); }, nullptr},
    Entry{"GetBookmark", 266, 1, [](DataGrid& g, Args a) { return g.GetBookmark(vb::CLng(a[0])); }, nullptr},
    Entry{"AllowAddNew", 270, 0, [](DataGrid& g, Args) -> Variant { return g.get_AllowAddNew(); }, nullptr},
    Entry{"AllowArrows", 271, 0, [](DataGrid& g, Args) -> Variant { return g.get_AllowArrows(); }, nullptr},
    Entry{"AllowDelete", 272, 0, [](DataGrid& g, Args) -> Variant { return g.get_AllowDelete(); }, nullptr},
    Entry{"AllowUpdate", 273, 0, [](DataGrid& g, Args) -> Variant { return g.get_AllowUpdate(); }, nullptr},
    Entry{"DefColWidth", 274, 0, [](DataGrid& g, Args) -> Variant { return g.get_DefColWidth(); }, nullptr},
    Entry{"RightToLeft", 275, 0, [](DataGrid& g, Args) -> Variant { return g.get_RightToLeft(); }, nullptr},
    Entry{"TabAcrossSplits", 276, 0, [](DataGrid& g, Args) -> Variant { return g.get_TabAcrossSplits(); }, nullptr},
    Entry{"TabAction", 277, 0, [](DataGrid& g, Args) -> Variant { return g.get_TabAction(); }, nullptr},
    Entry{"WrapCellPointer", 278, 0, [](DataGrid& g, Args) -> Variant { return g.get_WrapCellPointer(); }, nullptr},
    // The extender.
    Entry{"Left", extender_id(0x80010003), 0, [](DataGrid& g, Args) -> Variant { return g.extender().get_Left(); },
        [](DataGrid& g, const Variant& v) { g.extender().let_Left(vb::CSng(v)); }},
    Entry{"Top", extender_id(0x80010004), 0, [](DataGrid& g, Args) -> Variant { return g.extender().get_Top(); },
        [](DataGrid& g, const Variant& v) { g.extender().let_Top(vb::CSng(v)); }},
    Entry{"Width", extender_id(0x80010005), 0, [](DataGrid& g, Args) -> Variant { return g.extender().get_Width(); },
        [](DataGrid& g, const Variant& v) { g.extender().let_Width(vb::CSng(v)); }},
    Entry{"Height", extender_id(0x80010006), 0, [](DataGrid& g, Args) -> Variant { return g.extender().get_Height(); },
        [](DataGrid& g, const Variant& v) { g.extender().let_Height(vb::CSng(v)); }},
    Entry{"Visible", extender_id(0x80010007), 0, [](DataGrid& g, Args) -> Variant { return g.extender().get_Visible(); },
        [](DataGrid& g, const Variant& v) { g.extender().let_Visible(vb::CBool(v)); }},
    Entry{"Enabled", extender_id(0x8001000D), 0, [](DataGrid& g, Args) -> Variant { return g.extender().get_Enabled(); },
        [](DataGrid& g, const Variant& v) { g.extender().let_Enabled(vb::CBool(v)); }},
};
// clang-format on

const Entry* entry_of(vb::DispId id)
{
    for (const Entry& e : k_entries) {
        if (e.id == id) {
            return &e;
        }
    }
    return nullptr;
}

} // namespace

std::optional<vb::DispId> DataGrid::id_of_name(std::string_view name) const
{
    for (const Entry& e : k_entries) {
        if (dispatch::same_name(e.name, name)) {
            return e.id;
        }
    }
    return std::nullopt;
}

// Columns(i) and SelBookmarks(i) reach the collection's item, as the
// language's call of a collection-valued property with an index does.
Variant DataGrid::invoke(vb::DispId id, vb::InvokeKind kind, std::span<Variant> args)
{
    const Entry* e = entry_of(id);
    if (e == nullptr) {
        vb::raise(vb::err::NotSupported, "DataGrid");
    }
    const std::string source = "DataGrid." + std::string(e->name);
    if (dispatch::is_put(kind)) {
        if (e->put == nullptr) {
            vb::raise(vb::err::ReadOnlyProperty, source);
        }
        e->put(*this, dispatch::put_value(args, 0, source));
        return {};
    }
    if (id == 105 && args.size() == 1) {
        return get_Columns()->get_Item(args[0]);
    }
    if (id == 113 && args.size() == 1) {
        return get_SelBookmarks()->get_Item(vb::CLng(args[0]));
    }
    dispatch::expect(args, e->arity, source);
    return e->get(*this, args);
}

} // namespace grid
