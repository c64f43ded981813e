// Opening and closing the list of a Morvex. Closed, the grid is a hidden,
// disabled child of the control; open, it is a top-most window of the
// desktop next to the control, with the list window procedure installed
// and the mouse captured. The per-thread record (modGridCombo::state())
// describes the control that last opened or closed a list.
#include "data/IsBlank.h"
#include "diag/Steps.h"
#include "dropdown/Placement.h"
#include "dropdown/modGridCombo.h"
#include "pendrel/Morvex.h"
#include "pendrel/clsDataSource.h"
#include "platform/ado/Recordset.h"
#include "platform/controls/TextBox.h"
#include "platform/grid/DataGrid.h"
#include "platform/host/ControlSurface.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Strings.h"
#include "platform/win/User32.h"

namespace pendrel {

namespace {

// The height of a list that has no rows to show, in twips.
constexpr vb::Single k_empty_list_height = 210;
// The open list shows above every other window without taking the
// activation, at the size it was given (0x0051).
constexpr win::UINT k_show_topmost_flags
    = win::SWP_NOSIZE | win::SWP_NOACTIVATE | win::SWP_SHOWWINDOW;
// The open list window's title; nothing reads it back.
constexpr const char* k_list_window_text = "Veltmark";

} // namespace

vb::Long Morvex::GetTheAddressOf(vb::Long& number)
{
    diag::Steps s("GetTheAddressOf");
    vb::Long address = 0;
    s.step("1", [&] { address = number; });
    return address;
}

vb::Long Morvex::list_window_proc_number()
{
    vb::Long number = win::ProcNumber(&modGridCombo::DataGridWindowProc);
    return GetTheAddressOf(number);
}

void Morvex::ShowDropDown(vb::Integer& Show)
{
    diag::Steps s("ShowDropDown", m_fLogging);
    const win::HWND grid = m_DropdownList->get_hWnd();
    auto& g = modGridCombo::state();
    // 1. Closing a closed list does nothing at all.
    if (s.condition("1", [&] { return Show == 0 && !win::IsWindowVisible(grid); }))
        return;
    // 2. Only other non-zero values open an open list or a disabled control.
    if (s.condition("2",
            [&] { return Show == 1 && (win::IsWindowVisible(grid) || !surface().get_Enabled()); }))
        return;
    // 3. The per-thread record now describes this control.
    s.step("3", [&] { InitpData(); });
    // 4. Closing is the module's work.
    if (s.condition("4", [&] { return Show == 0; })) {
        s.step("4.1", [] { modGridCombo::HideDropDown(); });
        return;
    }
    // 5. No rows: a one-row-high list without scroll bars.
    const auto empty_list = [&] {
        s.step("5.1", [&] { m_DropdownList->extender().let_Height(k_empty_list_height); });
        s.step("5.2", [&] { m_DropdownList->let_ScrollBars(grid::dbgNone); });
    };
    if (s.condition("5", [&] { return IsBlank(vb::Variant(m_RowSource)); })) {
        empty_list();
    } else if (s.condition(
                   "5.3", [&] { return data_source().get_Recordset()->get_RecordCount() == 0; })) {
        empty_list();
    } else {
        s.step("5.4", [&] { m_DropdownList->let_ScrollBars(grid::dbgAutomatic); });
    }
    // 6. The typing goes on in the text field.
    if (s.condition("6", [&] { return win::IsWindowVisible(m_txtFieldCmb->get_hWnd()); }))
        s.step("6.1", [&] { m_txtFieldCmb->SetFocus(); });
    // 7. On the desktop, top-most, next to the control.
    s.step("7", [&] { PrepareDataGrid(); });
    // 8. The list window procedure, once.
    if (s.condition("8", [&] {
            return win::GetWindowLongA(grid, win::GWL_WNDPROC) != list_window_proc_number();
        })) {
        // NOTE: as on a move over the list, a failed test gets here with
        // the hook in place: it never passes on to itself.
        s.step("8.1", [&] {
            const vb::Long previous
                = win::SetWindowLongA(grid, win::GWL_WNDPROC, list_window_proc_number());
            if (previous != list_window_proc_number())
                g.PrevGridWndProc = previous;
        });
        s.step("8.2", [&] { g.GridSubclassed = true; });
    }
    // 9.-11. The list takes the mouse, gets its title and shows.
    s.step("9", [&] { win::SetCapture(grid); });
    s.step("10", [&] { win::SetWindowTextA(grid, k_list_window_text); });
    s.step("11", [&] { win::ShowWindow(grid, win::SW_SHOW); });
}

void Morvex::DropDown()
{
    diag::Steps s("DropDown", m_fLogging);
    vb::Long sel_start = 0;
    std::string text;
    s.step("1", [&] {
        sel_start = m_txtFieldCmb->get_SelStart();
        text = m_txtFieldCmb->get_Text();
    });
    // 2. The text just failed to match and the caret is at its end: typing
    // on would not find a row either.
    if (s.condition("2", [&] {
            return sel_start == vb::Len(text) && m_NoMatch && !m_BackspacePressed
                && !m_DeletePressed;
        }))
        return;
    if (s.condition("3", [&] { return !modGridCombo::state().GridSubclassed; })) {
        vb::Integer open = 1;
        s.step("3.1", [&] { ShowDropDown(open); });
    }
}

void Morvex::DropdownButton_Click()
{
    vb::Integer show = 0;
    // 1. The list opens on the row the text matches.
    if (!modGridCombo::state().GridSubclassed) {
        AutoComplete(*m_txtFieldCmb);
        show = 1;
    }
    // 2. Otherwise it closes.
    ShowDropDown(show);
}

// The per-thread record now describes this control.
void Morvex::InitpData()
{
    diag::Steps s("InitpData");
    auto& g = modGridCombo::state();
    s.step("1", [] { win::ReleaseCapture(); });
    s.step("2", [&] { g.GridControl = m_DropdownList; });
    // 3. While the list window procedure is installed the saved procedure
    // stays, so that closing can give the grid its own back.
    if (s.condition("3", [&] { return !g.GridSubclassed; }))
        s.step("3.1", [&] { g.PrevGridWndProc = 0; });
    s.step("4", [&] {
        g.TextHwnd = m_txtFieldCmb->get_hWnd();
        g.ControlHwnd = surface().get_hWnd();
        g.GridHwnd = m_DropdownList->get_hWnd();
    });
    s.step("5", [&] { g.PickPending = false; });
    s.step("6", [&] {
        const host::Extender text(m_txtFieldCmb->get_hWnd());
        g.GridRestTop = vb::CInt(vb::Variant(text.get_Height() + text.get_Top() + 100.0F));
    });
    s.step("7", [&] { g.TextColumn = m_TextColumn; });
}

// The grid leaves the control for the desktop, top-most, where the list
// goes.
void Morvex::PrepareDataGrid()
{
    diag::Steps s("PrepareDataGrid", m_fLogging);
    const win::HWND grid = m_DropdownList->get_hWnd();
    s.step("1", [&] { m_DropdownList->extender().let_Enabled(true); });
    // 2. The columns keep their widths and visibility when the grid binds
    // again.
    s.step("2", [&] { m_DropdownList->HoldFields(); });
    dropdown::DropRect r;
    s.step("3", [&] { r = GetRECTForGrid(); });
    s.step("4", [&] { win::MoveWindow(grid, r.left, r.top, r.width, r.height, 1); });
    s.step("5", [&] { win::ShowWindow(grid, win::SW_HIDE); });
    s.step("6", [&] { win::SetParent(grid, win::GetDesktopWindow()); });
    s.step("7", [&] {
        win::SetWindowPos(
            grid, win::HWND_TOPMOST, r.left, r.top, r.width, r.height, k_show_topmost_flags);
    });
}

} // namespace pendrel
