#include "platform/grid/Column.h"

#include <array>
#include <cmath>

#include "platform/gfx/Units.h"
#include "platform/grid/CellText.h"
#include "platform/grid/DataGrid.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Dispatch.h"
#include "platform/vb/Error.h"

namespace grid {

namespace {

constexpr const char* k_source = "Column";

} // namespace

Column::Column(
    std::weak_ptr<DataGrid> grid, std::size_t index, std::string data_field, vb::Single width)
    : m_grid(std::move(grid)),
      m_index(index),
      m_data_field(std::move(data_field)),
      m_caption(m_data_field),
      m_width(width)
{
}

std::shared_ptr<DataGrid> Column::grid() const
{
    auto g = m_grid.lock();
    if (!g) {
        vb::raise(vb::err::ObjectNotSet, "The column no longer belongs to a grid", k_source);
    }
    return g;
}

void Column::changed() const
{
    if (auto g = m_grid.lock()) {
        g->columns_changed();
    }
}

// The width must also convert to pixels: 6 "Overflow" beyond their range.
void Column::let_Width(vb::Single New_Width)
{
    if (!std::isfinite(New_Width) || New_Width < 0) {
        vb::raise(
            vb::err::InvalidPropertyValue, "A column width cannot be negative", "Column.Width");
    }
    (void)gfx::to_pixels(gfx::Twips{New_Width});
    m_width = New_Width;
    changed();
}

void Column::let_Visible(vb::Boolean New_Visible)
{
    m_visible = New_Visible;
    changed();
}

void Column::let_Caption(std::string_view New_Caption)
{
    m_caption = New_Caption;
    changed();
}

vb::Integer Column::get_ColIndex() const
{
    return static_cast<vb::Integer>(m_index);
}

std::string Column::get_Text() const
{
    return cell_text(get_Value());
}

vb::Variant Column::get_Value() const
{
    return grid()->current_cell(m_index);
}

void Column::take_layout(const Column& held)
{
    m_width = held.m_width;
    m_visible = held.m_visible;
    m_caption = held.m_caption;
}

namespace {

using namespace vb::dispatch;
using C = Column;

// clang-format off
const auto k_members = std::to_array<Member<Column>>({
    {"Value", C::DISPID_Value, Get, [](C& c, Args) { return c.get_Value(); }},
    {"Caption", C::DISPID_Caption, Get | Let, [](C& c, Args) -> vb::Variant { return c.get_Caption(); },
        [](C& c, Args a) { c.let_Caption(vb::CStr(a.back())); }},
    {"DataField", C::DISPID_DataField, Get, [](C& c, Args) -> vb::Variant { return c.get_DataField(); }},
    {"Text", C::DISPID_Text, Get, [](C& c, Args) -> vb::Variant { return c.get_Text(); }},
    {"Visible", C::DISPID_Visible, Get | Let, [](C& c, Args) -> vb::Variant { return c.get_Visible(); },
        [](C& c, Args a) { c.let_Visible(vb::CBool(a.back())); }},
    {"Width", C::DISPID_Width, Get | Let, [](C& c, Args) -> vb::Variant { return c.get_Width(); },
        [](C& c, Args a) { c.let_Width(vb::CSng(a.back())); }},
    {"ColIndex", C::DISPID_ColIndex, Get, [](C& c, Args) -> vb::Variant { return c.get_ColIndex(); }},
});
// clang-format on

} // namespace

std::optional<vb::DispId> Column::id_of_name(std::string_view name) const
{
    return vb::dispatch::id_of_name(k_members, name);
}

vb::Variant Column::invoke(vb::DispId id, vb::InvokeKind kind, std::span<vb::Variant> args)
{
    return vb::dispatch::invoke(k_members, *this, id, kind, args);
}

} // namespace grid
