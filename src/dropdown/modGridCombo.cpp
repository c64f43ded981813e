#include "dropdown/modGridCombo.h"

#include "diag/Steps.h"
#include "platform/grid/DataGrid.h"
#include "platform/grid/SelBookmarks.h"
#include "platform/win/User32.h"

namespace modGridCombo {

// NOTE: GridControl may hold a grid when a thread ends with a list
// prepared; the record is made after the thread's window manager (a control
// exists before anyone asks for it), so it goes before the window manager
// and the grid can still destroy its window.
GridState& state()
{
    thread_local GridState record;
    return record;
}

void HideDropDown()
{
    diag::Steps s("HideDropDown");
    GridState& g = state();
    s.step("1", [] { win::ReleaseCapture(); });
    if (s.condition("2", [&] { return g.GridSubclassed; }))
        s.step(
            "2.1", [&] { win::SetWindowLongA(g.GridHwnd, win::GWL_WNDPROC, g.PrevGridWndProc); });
    s.step("3", [&] { g.GridSubclassed = false; });
    s.step("4", [&] { win::ShowWindow(g.GridHwnd, win::SW_HIDE); });
    if (s.condition("5", [&] { return g.GridControl != nullptr; }))
        s.step("5.1", [&] { g.GridControl->extender().let_Visible(false); });
    s.step("6",
        [&] { win::SetWindowPos(g.GridHwnd, win::HWND_BOTTOM, 0, 0, 0, 0, win::SWP_HIDEWINDOW); });
    s.step("7", [&] { win::SetParent(g.GridHwnd, g.ControlHwnd); });
    if (s.condition("8", [&] { return g.GridControl != nullptr; })) {
        s.step("8.1", [&] { g.GridControl->extender().let_Top(g.GridRestTop); });
        s.step("8.2", [&] { g.GridControl->extender().let_Enabled(false); });
    }
    s.step("9", [] { win::ReleaseCapture(); });
    s.step("10", [&] { g.GridControl.reset(); });
}

void RemDGBookMark(grid::DataGrid& grid)
{
    diag::Steps s("RemDGBookMark");
    s.step("1", [&] {
        auto selected = grid.get_SelBookmarks();
        while (selected->get_Count() >= 1)
            selected->Remove(0);
    });
}

} // namespace modGridCombo
