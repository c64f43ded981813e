// While the list is open, the row under the pointer is its one selected
// row: nothing else changes (the text, the value, the current row). The
// same move puts back a lost window-procedure hook, so that the list's
// mouse handling is in force again. Every failure is ignored.
#include "diag/Steps.h"
#include "dropdown/modGridCombo.h"
#include "pendrel/Morvex.h"
#include "platform/grid/DataGrid.h"
#include "platform/grid/SelBookmarks.h"
#include "platform/win/User32.h"

namespace pendrel {

void Morvex::DropdownList_MouseMove(
    vb::Integer /*Button*/, vb::Integer /*Shift*/, vb::Single X, vb::Single Y)
{
    diag::Steps s("DropdownList_MouseMove");
    auto& g = modGridCombo::state();
    grid::DataGrid& list = *m_DropdownList;
    const win::HWND hwnd = list.get_hWnd();
    // 1.-2. Only a data row under the pointer: not the header, not below the
    // last row, not outside.
    vb::Single height = 0;
    vb::Integer row = -1;
    vb::Integer column = -1;
    s.step("1", [&] {
        height = list.extender().get_Height();
        row = list.RowContaining(Y);
        column = list.ColContaining(X);
    });
    if (!s.condition("2", [&] { return row >= 0 && column >= 0 && X > 0 && Y > 0 && Y <= height; }))
        return;
    // 3. The hook, and the mouse, back where they were lost.
    if (s.condition("3", [&] {
            return !g.PointerInList
                && win::GetWindowLongA(hwnd, win::GWL_WNDPROC) != list_window_proc_number();
        })) {
        // NOTE: a failed test counts as true, so the hook may be in place
        // already; its own number is never the procedure to pass on to, or
        // every message would call the hook again until the stack ran out.
        s.step("3.1", [&] {
            const vb::Long previous
                = win::SetWindowLongA(hwnd, win::GWL_WNDPROC, list_window_proc_number());
            if (previous != list_window_proc_number())
                g.PrevGridWndProc = previous;
        });
        s.step("3.2", [&] { win::SetCapture(hwnd); });
    }
    // 4. Beyond the list's extent.
    const host::Extender extent = list.extender();
    if (s.condition("4", [&] {
            return extent.get_Top() + extent.get_Height() < Y
                || extent.get_Left() + extent.get_Width() < X;
        }))
        return;
    // 5. Within the highlighted row: nothing to do, nothing repainted.
    if (s.condition("5", [&] {
            const auto selected = list.get_SelBookmarks();
            return selected->get_Count() > 0
                && list.RowBookmark(list.RowContaining(Y)) == selected->get_Item(0);
        }))
        return;
    // 6.-7. That row, and only it.
    s.step("6.1", [&] { modGridCombo::RemDGBookMark(list); });
    s.step("6.2", [&] {
        const auto selected = list.get_SelBookmarks();
        while (selected->get_Count() > 0)
            selected->Remove(0);
    });
    s.step("7", [&] { list.get_SelBookmarks()->Add(list.RowBookmark(list.RowContaining(Y))); });
}

} // namespace pendrel
