#pragma once
// The grid's selected rows, by bookmark, in the order they were added. The
// selected rows are drawn highlighted. Adding a row that is selected
// already changes nothing; binding the grid again empties the selection.

#include <memory>
#include <unordered_set>
#include <vector>

#include "platform/vb/Object.h"
#include "platform/vb/Variant.h"

namespace grid {

class DataGrid;

class SelBookmarks final : public vb::Object {
public:
    static constexpr vb::DispId DISPID_Item = 0;
    static constexpr vb::DispId DISPID_Count = 1;
    static constexpr vb::DispId DISPID_Add = 2;
    static constexpr vb::DispId DISPID_Remove = 3;

    explicit SelBookmarks(std::weak_ptr<DataGrid> grid) : m_grid(std::move(grid)) {}

    [[nodiscard]] std::string_view type_name() const override { return "SelBookmarks"; }
    [[nodiscard]] std::optional<vb::DispId> id_of_name(std::string_view name) const override;
    vb::Variant invoke(vb::DispId id, vb::InvokeKind kind, std::span<vb::Variant> args) override;

    [[nodiscard]] vb::Long get_Count() const { return static_cast<vb::Long>(m_rows.size()); }
    // The bookmark at 0-based Index; raises 9 outside 0 .. Count - 1.
    [[nodiscard]] vb::Variant get_Item(vb::Long Index) const;
    // Raises 5 for a value that is not a bookmark of the grid's rows.
    void Add(const vb::Variant& Bookmark);
    // Raises 9 outside 0 .. Count - 1.
    void Remove(vb::Long Index);

    // For the grid.
    [[nodiscard]] bool contains(std::int64_t row) const { return m_set.count(row) != 0; }
    void clear();

private:
    [[nodiscard]] std::size_t checked(vb::Long index, const char* source) const;
    void changed(std::int64_t row) const;

    std::weak_ptr<DataGrid> m_grid;
    std::vector<std::int64_t> m_rows; // 0-based rows, in the order added
    std::unordered_set<std::int64_t> m_set;
};

} // namespace grid
