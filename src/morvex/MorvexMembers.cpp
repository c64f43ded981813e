// The rows of _Morvex. Arguments convert as the language converts them
// (CInt, CLng, CBool, CStr ...), so a value out of range raises 6 and one of
// the wrong kind 13; a wrong number of arguments raises 450.
#include "morvex/MorvexMembers.h"

#include <array>

#include "pendrel/Morvex.h"
#include "platform/ado/Recordset.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Error.h"

namespace pendrel {

namespace {

using vb::Variant;
using Args = std::span<Variant>;

void expect(Args args, std::size_t n)
{
    if (args.size() != n)
        vb::raise(vb::err::WrongArgumentCount, "Morvex");
}

const Variant& value(Args args)
{
    expect(args, 1);
    return args.back();
}

gfx::OLE_COLOR color(Args args)
{
    return static_cast<gfx::OLE_COLOR>(vb::CLng(value(args)));
}

host::StdFontRef font(Args args)
{
    const Variant& v = value(args);
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
    if (a.size() > 5)
        vb::raise(vb::err::WrongArgumentCount, "Morvex.PopupMenu");
    const auto arg = [&](std::size_t i) { return i < a.size() ? a[i] : Variant(vb::Missing); };
    c.PopupMenu(arg(0), arg(1), arg(2), arg(3), arg(4));
    return {};
}

// Show goes by reference: what the call leaves in it goes back.
Variant show_drop_down(Morvex& c, Args a)
{
    vb::Integer show = vb::CInt(value(a));
    c.ShowDropDown(show);
    a.back() = show;
    return {};
}

// clang-format off
const std::array k_members{
    MorvexMember{"fLogging", dispid::fLogging, k_get | k_let,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return c.get_fLogging(); },
        [](Morvex& c, Args a) { c.let_fLogging(vb::CStr(value(a))); }},
    MorvexMember{"ScreenWidth", dispid::ScreenWidth, k_get | k_let,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return c.get_ScreenWidth(); },
        [](Morvex& c, Args a) { c.let_ScreenWidth(vb::CInt(value(a))); }},
    MorvexMember{"DropDown", dispid::DropDown, k_call,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); c.DropDown(); return {}; }, nullptr},
    MorvexMember{"ShowDropDown", dispid::ShowDropDown, k_call, &show_drop_down, nullptr},
    // FIXME: ItemData, Value and ValueOfColumn get their functions when the
    // bound value is built.
    MorvexMember{"ItemData", dispid::ItemData, k_get, nullptr, nullptr},
    MorvexMember{"Value", dispid::Value, k_get | k_let, nullptr, nullptr},
    MorvexMember{"BoundColumn", dispid::BoundColumn, k_get | k_let,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return c.get_BoundColumn(); },
        [](Morvex& c, Args a) { c.let_BoundColumn(vb::CInt(value(a))); }},
    MorvexMember{"ValueOfColumn", dispid::ValueOfColumn, k_get, nullptr, nullptr},
    MorvexMember{"ColumnCount", dispid::ColumnCount, k_get,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return c.get_ColumnCount(); }, nullptr},
    MorvexMember{"DataField", dispid::DataField, k_let,
        nullptr, [](Morvex& c, Args a) { c.let_DataField(vb::CStr(value(a))); }},
    MorvexMember{"dataSource", dispid::dataSource, k_set,
        nullptr, [](Morvex& c, Args a) { c.set_dataSource(value(a)); }},
    MorvexMember{"Recordset", dispid::Recordset, k_get,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return c.get_Recordset(); }, nullptr},
    MorvexMember{"CnStr", dispid::CnStr, k_let,
        nullptr, [](Morvex& c, Args a) { c.let_CnStr(vb::CStr(value(a))); }},
    MorvexMember{"ListWidth", dispid::ListWidth, k_get,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return c.get_ListWidth(); }, nullptr},
    MorvexMember{"RowSource", dispid::RowSource, k_get | k_let,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return c.get_RowSource(); },
        [](Morvex& c, Args a) { c.let_RowSource(vb::CStr(value(a))); }},
    MorvexMember{"ListRows", dispid::ListRows, k_get | k_let,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return c.get_ListRows(); },
        [](Morvex& c, Args a) { c.let_ListRows(vb::CInt(value(a))); }},
    MorvexMember{"ColumnWidths", dispid::ColumnWidths, k_get | k_let,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return c.get_ColumnWidths(); },
        [](Morvex& c, Args a) { c.let_ColumnWidths(vb::CStr(value(a))); }},
    MorvexMember{"AutoExpand", dispid::AutoExpand, k_get | k_let,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return c.get_AutoExpand(); },
        [](Morvex& c, Args a) { c.let_AutoExpand(vb::CBool(value(a))); }},
    MorvexMember{"RowHeight", dispid::RowHeight, k_get | k_let,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return c.get_RowHeight(); },
        [](Morvex& c, Args a) { c.let_RowHeight(vb::CLng(value(a))); }},
    MorvexMember{"BackColor", dispid::BackColor, k_get | k_let,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return static_cast<vb::Long>(c.get_BackColor()); },
        [](Morvex& c, Args a) { c.let_BackColor(color(a)); }},
    MorvexMember{"ForeColor", dispid::ForeColor, k_get | k_let,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return static_cast<vb::Long>(c.get_ForeColor()); },
        [](Morvex& c, Args a) { c.let_ForeColor(color(a)); }},
    MorvexMember{"FontBold", dispid::FontBold, k_get | k_let,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return c.get_FontBold(); },
        [](Morvex& c, Args a) { vb::Boolean v = vb::CBool(value(a)); c.let_FontBold(v); a.back() = v; }},
    MorvexMember{"ColumnHeads", dispid::ColumnHeads, k_get | k_let,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return c.get_ColumnHeads(); },
        [](Morvex& c, Args a) { vb::Boolean v = vb::CBool(value(a)); c.let_ColumnHeads(v); a.back() = v; }},
    MorvexMember{"Clear", dispid::Clear, k_call,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); c.Clear(); return {}; }, nullptr},
    MorvexMember{"Enabled", dispid::Enabled, k_get | k_let,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return c.get_Enabled(); },
        [](Morvex& c, Args a) { c.let_Enabled(vb::CBool(value(a))); }},
    MorvexMember{"Appearance", dispid::Appearance, k_get | k_let,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return static_cast<vb::Long>(c.get_Appearance()); },
        [](Morvex& c, Args a) { c.let_Appearance(static_cast<mtbAppearance>(vb::CLng(value(a)))); }},
    MorvexMember{"Font", dispid::Font, k_get | k_set,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return c.get_Font(); },
        [](Morvex& c, Args a) { c.set_Font(font(a)); }},
    MorvexMember{"FontItalic", dispid::FontItalic, k_get | k_let,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return c.get_FontItalic(); },
        [](Morvex& c, Args a) { c.let_FontItalic(vb::CBool(value(a))); }},
    MorvexMember{"FontSize", dispid::FontSize, k_get | k_let,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return c.get_FontSize(); },
        [](Morvex& c, Args a) { c.let_FontSize(vb::CSng(value(a))); }},
    MorvexMember{"FontUnderline", dispid::FontUnderline, k_get | k_let,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return c.get_FontUnderline(); },
        [](Morvex& c, Args a) { c.let_FontUnderline(vb::CBool(value(a))); }},
    MorvexMember{"hwnd", dispid::hwnd, k_get,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return c.get_hwnd(); }, nullptr},
    MorvexMember{"SelLength", dispid::SelLength, k_get | k_let,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return c.get_SelLength(); },
        [](Morvex& c, Args a) { c.let_SelLength(vb::CInt(value(a))); }},
    MorvexMember{"SelStart", dispid::SelStart, k_get | k_let,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return c.get_SelStart(); },
        [](Morvex& c, Args a) { c.let_SelStart(vb::CInt(value(a))); }},
    MorvexMember{"SelText", dispid::SelText, k_get | k_let,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return c.get_SelText(); },
        [](Morvex& c, Args a) { c.let_SelText(vb::CStr(value(a))); }},
    MorvexMember{"PopupMenu", dispid::PopupMenu, k_call, &popup_menu, nullptr},
    MorvexMember{"Refresh", dispid::Refresh, k_call,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); c.Refresh(); return {}; }, nullptr},
    MorvexMember{"Text", dispid::Text, k_get | k_let,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return c.get_Text(); },
        [](Morvex& c, Args a) { c.let_Text(vb::CStr(value(a))); }},
    MorvexMember{"CausesValidation", dispid::CausesValidation, k_get | k_let,
        [](Morvex& c, Args a) -> Variant { expect(a, 0); return c.get_CausesValidation(); },
        [](Morvex& c, Args a) { c.let_CausesValidation(vb::CBool(value(a))); }},
};
// clang-format on

} // namespace

std::span<const MorvexMember> morvex_members()
{
    return k_members;
}

} // namespace pendrel
