// The rows of _Morvex, in type-library order. Arguments convert as the
// language converts them (CInt, CLng, CBool, CStr ...), so a value out of
// range raises 6 and one of the wrong kind 13; the shared invoke raises the
// errors of a wrong call (438, 394, 383, 450).
#include "morvex/MorvexMembers.h"

#include <array>

#include "pendrel/Morvex.h"
#include "platform/ado/Recordset.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Error.h"

namespace pendrel {

namespace {

using namespace vb::dispatch;
using vb::Variant;
using M = Morvex;
using Row = MorvexMember;

gfx::OLE_COLOR color(Args args)
{
    return static_cast<gfx::OLE_COLOR>(vb::CLng(args.back()));
}

host::StdFontRef font(Args args)
{
    const Variant& v = args.back();
    if (!v.is_object())
        vb::raise(vb::err::ObjectRequired, "Morvex.Font");
    const auto& object = std::get<vb::ObjectRef>(v.storage());
    auto f = std::dynamic_pointer_cast<host::StdFont>(object);
    if (object && !f)
        vb::raise(vb::err::TypeMismatch, "A font is a StdFont object", "Morvex.Font");
    return f;
}

// PopupMenu's optional arguments: those left out go on as Missing.
Variant popup_menu(Morvex& c, Args a)
{
    const auto arg = [&](std::size_t i) { return i < a.size() ? a[i] : Variant(vb::Missing); };
    c.PopupMenu(arg(0), arg(1), arg(2), arg(3), arg(4));
    return {};
}

// Show goes by reference: what the call leaves in it goes back.
Variant show_drop_down(Morvex& c, Args a)
{
    vb::Integer show = vb::CInt(a[0]);
    c.ShowDropDown(show);
    a[0] = show;
    return {};
}

// clang-format off
const auto k_members = std::to_array<Row>({
    {"fLogging", dispid::fLogging, Get | Let,
        [](M& c, Args) -> Variant { return c.get_fLogging(); },
        [](M& c, Args a) { c.let_fLogging(vb::CStr(a.back())); }},
    {"ScreenWidth", dispid::ScreenWidth, Get | Let,
        [](M& c, Args) -> Variant { return c.get_ScreenWidth(); },
        [](M& c, Args a) { c.let_ScreenWidth(vb::CInt(a.back())); }},
    {"DropDown", dispid::DropDown, Call,
        [](M& c, Args) -> Variant { c.DropDown(); return {}; }, nullptr},
    {"ShowDropDown", dispid::ShowDropDown, Call, &show_drop_down, nullptr, exactly(1)},
    {"ItemData", dispid::ItemData, Get,
        [](M& c, Args a) -> Variant { return c.get_ItemData(vb::CInt(a[0])); }, nullptr,
        exactly(1)},
    {"Value", dispid::Value, Get | Let,
        [](M& c, Args) -> Variant { return c.get_Value(); },
        [](M& c, Args a) { c.let_Value(a.back()); }},
    {"BoundColumn", dispid::BoundColumn, Get | Let,
        [](M& c, Args) -> Variant { return c.get_BoundColumn(); },
        [](M& c, Args a) { c.let_BoundColumn(vb::CInt(a.back())); }},
    {"ValueOfColumn", dispid::ValueOfColumn, Get,
        [](M& c, Args a) -> Variant { return c.get_ValueOfColumn(vb::CLng(a[0])); }, nullptr,
        exactly(1)},
    {"ColumnCount", dispid::ColumnCount, Get,
        [](M& c, Args) -> Variant { return c.get_ColumnCount(); }, nullptr},
    {"DataField", dispid::DataField, Let,
        nullptr, [](M& c, Args a) { c.let_DataField(vb::CStr(a.back())); }},
    {"dataSource", dispid::dataSource, Set,
        nullptr, [](M& c, Args a) { c.set_dataSource(a.back()); }},
    {"Recordset", dispid::Recordset, Get,
        [](M& c, Args) -> Variant { return c.get_Recordset(); }, nullptr},
    {"CnStr", dispid::CnStr, Let,
        nullptr, [](M& c, Args a) { c.let_CnStr(vb::CStr(a.back())); }},
    {"ListWidth", dispid::ListWidth, Get,
        [](M& c, Args) -> Variant { return c.get_ListWidth(); }, nullptr},
    {"RowSource", dispid::RowSource, Get | Let,
        [](M& c, Args) -> Variant { return c.get_RowSource(); },
        [](M& c, Args a) { c.let_RowSource(vb::CStr(a.back())); }},
    {"ListRows", dispid::ListRows, Get | Let,
        [](M& c, Args) -> Variant { return c.get_ListRows(); },
        [](M& c, Args a) { c.let_ListRows(vb::CInt(a.back())); }},
    {"ColumnWidths", dispid::ColumnWidths, Get | Let,
        [](M& c, Args) -> Variant { return c.get_ColumnWidths(); },
        [](M& c, Args a) { c.let_ColumnWidths(vb::CStr(a.back())); }},
    {"AutoExpand", dispid::AutoExpand, Get | Let,
        [](M& c, Args) -> Variant { return c.get_AutoExpand(); },
        [](M& c, Args a) { c.let_AutoExpand(vb::CBool(a.back())); }},
    {"RowHeight", dispid::RowHeight, Get | Let,
        [](M& c, Args) -> Variant { return c.get_RowHeight(); },
        [](M& c, Args a) { c.let_RowHeight(vb::CLng(a.back())); }},
    {"BackColor", dispid::BackColor, Get | Let,
        [](M& c, Args) -> Variant { return static_cast<vb::Long>(c.get_BackColor()); },
        [](M& c, Args a) { c.let_BackColor(color(a)); }},
    {"ForeColor", dispid::ForeColor, Get | Let,
        [](M& c, Args) -> Variant { return static_cast<vb::Long>(c.get_ForeColor()); },
        [](M& c, Args a) { c.let_ForeColor(color(a)); }},
    {"FontBold", dispid::FontBold, Get | Let,
        [](M& c, Args) -> Variant { return c.get_FontBold(); },
        [](M& c, Args a) { vb::Boolean v = vb::CBool(a.back()); c.let_FontBold(v); a.back() = v; }},
    {"ColumnHeads", dispid::ColumnHeads, Get | Let,
        [](M& c, Args) -> Variant { return c.get_ColumnHeads(); },
        [](M& c, Args a) { vb::Boolean v = vb::CBool(a.back()); c.let_ColumnHeads(v); a.back() = v; }},
    {"Clear", dispid::Clear, Call,
        [](M& c, Args) -> Variant { c.Clear(); return {}; }, nullptr},
    {"Enabled", dispid::Enabled, Get | Let,
        [](M& c, Args) -> Variant { return c.get_Enabled(); },
        [](M& c, Args a) { c.let_Enabled(vb::CBool(a.back())); }},
    {"Appearance", dispid::Appearance, Get | Let,
        [](M& c, Args) -> Variant { return static_cast<vb::Long>(c.get_Appearance()); },
        [](M& c, Args a) { c.let_Appearance(static_cast<mtbAppearance>(vb::CLng(a.back()))); }},
    {"Font", dispid::Font, Get | Set,
        [](M& c, Args) -> Variant { return c.get_Font(); },
        [](M& c, Args a) { c.set_Font(font(a)); }},
    {"FontItalic", dispid::FontItalic, Get | Let,
        [](M& c, Args) -> Variant { return c.get_FontItalic(); },
        [](M& c, Args a) { c.let_FontItalic(vb::CBool(a.back())); }},
    {"FontSize", dispid::FontSize, Get | Let,
        [](M& c, Args) -> Variant { return c.get_FontSize(); },
        [](M& c, Args a) { c.let_FontSize(vb::CSng(a.back())); }},
    {"FontUnderline", dispid::FontUnderline, Get | Let,
        [](M& c, Args) -> Variant { return c.get_FontUnderline(); },
        [](M& c, Args a) { c.let_FontUnderline(vb::CBool(a.back())); }},
    {"hwnd", dispid::hwnd, Get,
        [](M& c, Args) -> Variant { return c.get_hwnd(); }, nullptr},
    {"SelLength", dispid::SelLength, Get | Let,
        [](M& c, Args) -> Variant { return c.get_SelLength(); },
        [](M& c, Args a) { c.let_SelLength(vb::CInt(a.back())); }},
    {"SelStart", dispid::SelStart, Get | Let,
        [](M& c, Args) -> Variant { return c.get_SelStart(); },
        [](M& c, Args a) { c.let_SelStart(vb::CInt(a.back())); }},
    {"SelText", dispid::SelText, Get | Let,
        [](M& c, Args) -> Variant { return c.get_SelText(); },
        [](M& c, Args a) { c.let_SelText(vb::CStr(a.back())); }},
    {"PopupMenu", dispid::PopupMenu, Call, &popup_menu, nullptr, {0, 5}},
    {"Refresh", dispid::Refresh, Call,
        [](M& c, Args) -> Variant { c.Refresh(); return {}; }, nullptr},
    {"Text", dispid::Text, Get | Let,
        [](M& c, Args) -> Variant { return c.get_Text(); },
        [](M& c, Args a) { c.let_Text(vb::CStr(a.back())); }},
    {"CausesValidation", dispid::CausesValidation, Get | Let,
        [](M& c, Args) -> Variant { return c.get_CausesValidation(); },
        [](M& c, Args a) { c.let_CausesValidation(vb::CBool(a.back())); }},
});
// clang-format on

} // namespace

std::span<const MorvexMember> morvex_members()
{
    return k_members;
}

} // namespace pendrel
