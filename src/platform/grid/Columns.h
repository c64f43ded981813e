#pragma once
// A grid's Columns collection: Count, and Item by 0-based index or by
// DataField name. It reads the grid's columns as they are now, so it stays
// right across bindings.

#include <memory>

#include "platform/grid/Column.h"
#include "platform/vb/Object.h"
#include "platform/vb/Variant.h"

namespace grid {

class DataGrid;

class Columns final : public vb::Object {
public:
    static constexpr vb::DispId DISPID_Item = 0;
    static constexpr vb::DispId DISPID_Count = 1;

    explicit Columns(std::weak_ptr<DataGrid> grid) : m_grid(std::move(grid)) {}

    [[nodiscard]] std::string_view type_name() const override { return "Columns"; }
    [[nodiscard]] std::optional<vb::DispId> id_of_name(std::string_view name) const override;
    vb::Variant invoke(vb::DispId id, vb::InvokeKind kind, std::span<vb::Variant> args) override;

    [[nodiscard]] vb::Long get_Count() const;
    // A number 0 .. Count - 1 (rounded as CLng rounds), or a DataField
    // name (case-insensitive). Raises 9 for any other number or name, 13
    // for a value that is neither.
    [[nodiscard]] std::shared_ptr<Column> get_Item(const vb::Variant& Index) const;

private:
    std::weak_ptr<DataGrid> m_grid;
};

} // namespace grid
