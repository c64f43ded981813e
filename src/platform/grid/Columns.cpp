#include "platform/grid/Columns.h"

#include <array>
#include <cmath>

#include "platform/grid/DataGrid.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Dispatch.h"
#include "platform/vb/Error.h"

namespace grid {

namespace {

using namespace vb::dispatch;

// clang-format off
const auto k_members = std::to_array<Member<Columns>>({
    {"Item", Columns::DISPID_Item, Get, [](Columns& c, Args a) -> vb::Variant { return c.get_Item(a[0]); }, nullptr, exactly(1)},
    {"Count", Columns::DISPID_Count, Get, [](Columns& c, Args) -> vb::Variant { return c.get_Count(); }},
});
// clang-format on

constexpr const char* k_source = "Columns";

std::shared_ptr<DataGrid> locked(const std::weak_ptr<DataGrid>& grid)
{
    auto g = grid.lock();
    if (!g) {
        vb::raise(vb::err::ObjectNotSet, "The grid is gone", k_source);
    }
    return g;
}

[[noreturn]] void no_column(const std::string& what)
{
    vb::raise(vb::err::SubscriptOutOfRange, "The grid has no column " + what, "Columns.Item");
}

} // namespace

vb::Long Columns::get_Count() const
{
    return static_cast<vb::Long>(locked(m_grid)->columns().size());
}

std::shared_ptr<Column> Columns::get_Item(const vb::Variant& Index) const
{
    const auto& columns = locked(m_grid)->columns();
    if (Index.is_string()) {
        for (const auto& c : columns) {
            if (vb::iequals(c->get_DataField(), Index.as_string())) {
                return c;
            }
        }
        no_column("'" + Index.as_string() + "'");
    }
    if (!Index.is_numeric() || Index.type() == vb::VarType::Boolean) {
        vb::raise(vb::err::TypeMismatch, "A column is chosen by number or by name", "Columns.Item");
    }
    const double n = vb::CDbl(Index);
    if (!std::isfinite(n) || n <= -0.5 || n >= static_cast<double>(columns.size()) - 0.5) {
        no_column(vb::to_text(Index) + " (there are " + std::to_string(columns.size()) + ")");
    }
    return columns[static_cast<std::size_t>(vb::round_half_even(n))];
}

std::optional<vb::DispId> Columns::id_of_name(std::string_view name) const
{
    return vb::dispatch::id_of_name(k_members, name);
}

vb::Variant Columns::invoke(vb::DispId id, vb::InvokeKind kind, std::span<vb::Variant> args)
{
    return vb::dispatch::invoke(k_members, *this, id, kind, args);
}

} // namespace grid
