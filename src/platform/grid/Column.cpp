#include "platform/grid/Column.h"

#include <array>
#include <cmath>

#include "platform/gfx/Units.h"
#include "platform/grid/CellText.h"
#include "platform/grid/DataGrid.h"
#include "platform/grid/DispatchSupport.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Error.h"

namespace grid {

namespace {

constexpr std::array k_members{
    dispatch::Member{"Value", Column::DISPID_Value},
    dispatch::Member{"Caption", Column::DISPID_Caption},
    dispatch::Member{"DataField", Column::DISPID_DataField},
    dispatch::Member{"Text", Column::DISPID_Text},
    dispatch::Member{"Visible", Column::DISPID_Visible},
    dispatch::Member{"Width", Column::DISPID_Width},
    dispatch::Member{"ColIndex", Column::DISPID_ColIndex},
};

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

std::optional<vb::DispId> Column::id_of_name(std::string_view name) const
{
    return dispatch::find(k_members, name);
}

vb::Variant Column::invoke(vb::DispId id, vb::InvokeKind kind, std::span<vb::Variant> args)
{
    if (dispatch::is_get(kind) && args.empty()) {
        switch (id) {
        case DISPID_Value:
            return get_Value();
        case DISPID_Caption:
            return get_Caption();
        case DISPID_DataField:
            return get_DataField();
        case DISPID_Text:
            return get_Text();
        case DISPID_Visible:
            return get_Visible();
        case DISPID_Width:
            return get_Width();
        case DISPID_ColIndex:
            return get_ColIndex();
        default:
            break;
        }
    } else if (kind == vb::InvokeKind::PropertyLet && args.size() == 1) {
        switch (id) {
        case DISPID_Caption:
            let_Caption(vb::CStr(args[0]));
            return {};
        case DISPID_Visible:
            let_Visible(vb::CBool(args[0]));
            return {};
        case DISPID_Width:
            let_Width(vb::CSng(args[0]));
            return {};
        default:
            break;
        }
    }
    dispatch::fail(k_members, id, k_source);
}

} // namespace grid
