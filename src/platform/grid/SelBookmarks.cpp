#include "platform/grid/SelBookmarks.h"

#include <array>

#include "platform/grid/Bookmarks.h"
#include "platform/grid/DataGrid.h"
#include "platform/grid/DispatchSupport.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Error.h"

namespace grid {

namespace {

constexpr std::array k_members{
    dispatch::Member{"Item", SelBookmarks::DISPID_Item},
    dispatch::Member{"Count", SelBookmarks::DISPID_Count},
    dispatch::Member{"Add", SelBookmarks::DISPID_Add},
    dispatch::Member{"Remove", SelBookmarks::DISPID_Remove},
};

constexpr const char* k_source = "SelBookmarks";

} // namespace

std::size_t SelBookmarks::checked(vb::Long index, const char* source) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_rows.size()) {
        vb::raise(vb::err::SubscriptOutOfRange,
            "No selected row " + std::to_string(index) + " (there are "
                + std::to_string(m_rows.size()) + ")",
            source);
    }
    return static_cast<std::size_t>(index);
}

vb::Variant SelBookmarks::get_Item(vb::Long Index) const
{
    return bookmark_of_row(m_rows[checked(Index, "SelBookmarks.Item")]);
}

void SelBookmarks::Add(const vb::Variant& Bookmark)
{
    auto grid = m_grid.lock();
    const auto row = grid ? grid->row_of_bookmark(Bookmark) : std::nullopt;
    if (!row) {
        vb::raise(
            vb::err::InvalidProcedureCall, "Not a bookmark of the grid's rows", "SelBookmarks.Add");
    }
    if (m_set.insert(*row).second) {
        m_rows.push_back(*row);
        changed();
    }
}

void SelBookmarks::Remove(vb::Long Index)
{
    const std::size_t i = checked(Index, "SelBookmarks.Remove");
    m_set.erase(m_rows[i]);
    m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(i));
    changed();
}

void SelBookmarks::clear()
{
    m_rows.clear();
    m_set.clear();
}

void SelBookmarks::changed() const
{
    if (auto grid = m_grid.lock()) {
        grid->selection_changed();
    }
}

std::optional<vb::DispId> SelBookmarks::id_of_name(std::string_view name) const
{
    return dispatch::find(k_members, name);
}

vb::Variant SelBookmarks::invoke(vb::DispId id, vb::InvokeKind kind, std::span<vb::Variant> args)
{
    if (dispatch::is_get(kind)) {
        switch (id) {
        case DISPID_Item:
            if (args.size() == 1) {
                return get_Item(vb::CLng(args[0]));
            }
            break;
        case DISPID_Count:
            if (args.empty()) {
                return get_Count();
            }
            break;
        case DISPID_Add:
            if (args.size() == 1) {
                Add(args[0]);
                return {};
            }
            break;
        case DISPID_Remove:
            if (args.size() == 1) {
                Remove(vb::CLng(args[0]));
                return {};
            }
            break;
        default:
            break;
        }
    }
    dispatch::fail(k_members, id, k_source);
}

} // namespace grid
