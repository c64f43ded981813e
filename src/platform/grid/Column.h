#pragma once
// One column of a grid: the field it shows (DataField), its header caption,
// its width in twips and whether it is shown. Text and Value read the
// column's cell in the grid's current row -- the recordset's current row.
//
// A column belongs to the grid that made it until the grid is bound again
// or goes; after that its own settings still read and write, but its cells
// raise 91.

#include <memory>
#include <string>

#include "platform/vb/Object.h"
#include "platform/vb/Types.h"
#include "platform/vb/Variant.h"

namespace grid {

class DataGrid;

class Column final : public vb::Object {
public:
    // Dispatch identifiers.
    static constexpr vb::DispId DISPID_Value = 0;
    static constexpr vb::DispId DISPID_Caption = 1;
    static constexpr vb::DispId DISPID_DataField = 2;
    static constexpr vb::DispId DISPID_Text = 3;
    static constexpr vb::DispId DISPID_Visible = 4;
    static constexpr vb::DispId DISPID_Width = 5;
    static constexpr vb::DispId DISPID_ColIndex = 6;

    Column(
        std::weak_ptr<DataGrid> grid, std::size_t index, std::string data_field, vb::Single width);

    [[nodiscard]] std::string_view type_name() const override { return "Column"; }
    [[nodiscard]] std::optional<vb::DispId> id_of_name(std::string_view name) const override;
    vb::Variant invoke(vb::DispId id, vb::InvokeKind kind, std::span<vb::Variant> args) override;

    // Twips. Raises 380 for a negative width or one that is not a number,
    // 6 for one beyond the pixel range.
    [[nodiscard]] vb::Single get_Width() const { return m_width; }
    void let_Width(vb::Single New_Width);
    [[nodiscard]] vb::Boolean get_Visible() const { return m_visible; }
    void let_Visible(vb::Boolean New_Visible);
    // The header text: the field name until set.
    [[nodiscard]] const std::string& get_Caption() const { return m_caption; }
    void let_Caption(std::string_view New_Caption);
    [[nodiscard]] const std::string& get_DataField() const { return m_data_field; }
    [[nodiscard]] vb::Integer get_ColIndex() const;

    // The cell in the current row as text (Null as ""), and as its value.
    // Raise 6160 when the grid has no current row.
    [[nodiscard]] std::string get_Text() const;
    [[nodiscard]] vb::Variant get_Value() const;

    // For the grid.
    [[nodiscard]] std::size_t index() const { return m_index; }
    void detach() { m_grid.reset(); }
    // Takes width, visibility and caption from a column of an earlier layout.
    void take_layout(const Column& held);

private:
    [[nodiscard]] std::shared_ptr<DataGrid> grid() const;
    void changed() const;

    std::weak_ptr<DataGrid> m_grid;
    std::size_t m_index;
    std::string m_data_field;
    std::string m_caption;
    vb::Single m_width;
    bool m_visible = true;
};

} // namespace grid
