#include "platform/grid/SelBookmarks.h"

#include <array>

#include "platform/grid/Bookmarks.h"
#include "platform/grid/DataGrid.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Dispatch.h"
#include "platform/vb/Error.h"

namespace grid {

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
        changed(*row);
    }
}

void SelBookmarks::Remove(vb::Long Index)
{
    const std::size_t i = checked(Index, "SelBookmarks.Remove");
    const std::int64_t row = m_rows[i];
    m_set.erase(row);
    m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(i));
    changed(row);
}

void SelBookmarks::clear()
{
    m_rows.clear();
    m_set.clear();
}

void SelBookmarks::changed(std::int64_t row) const
{
    if (auto grid = m_grid.lock()) {
        grid->selection_changed(row);
    }
}

namespace {

using namespace vb::dispatch;
using S = SelBookmarks;

// clang-format off
const auto k_members = std::to_array<Member<SelBookmarks>>({
    {"Item", S::DISPID_Item, Get, [](S& s, Args a) { return s.get_Item(vb::CLng(a[0])); }, nullptr, exactly(1)},
    {"Count", S::DISPID_Count, Get, [](S& s, Args) -> vb::Variant { return s.get_Count(); }},
    {"Add", S::DISPID_Add, Call, [](S& s, Args a) { s.Add(a[0]); return vb::Variant(); }, nullptr, exactly(1)},
    {"Remove", S::DISPID_Remove, Call, [](S& s, Args a) { s.Remove(vb::CLng(a[0])); return vb::Variant(); }, nullptr, exactly(1)},
});
// clang-format on

} // namespace

std::optional<vb::DispId> SelBookmarks::id_of_name(std::string_view name) const
{
    return vb::dispatch::id_of_name(k_members, name);
}

vb::Variant SelBookmarks::invoke(vb::DispId id, vb::InvokeKind kind, std::span<vb::Variant> args)
{
    return vb::dispatch::invoke(k_members, *this, id, kind, args);
}

} // namespace grid
