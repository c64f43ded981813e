// Typing in a Morvex: the text field's keys, changes and focus, the
// control's own focus, and the commit of an edited text.
//
// Two per-thread flags decide what a text change reports: TextEdited (a key
// other than Enter was released since the last commit: changes are Change
// events) and PickPending (a row was just picked with the mouse: the change
// it makes is also AfterUpdate). Being per thread, they are shared by every
// Morvex of the thread: an uncommitted key in one control makes the next
// text change of another report Change.
#include "diag/Steps.h"
#include "dropdown/modGridCombo.h"
#include "pendrel/Morvex.h"
#include "platform/controls/TextBox.h"
#include "platform/grid/Column.h"
#include "platform/host/ControlSurface.h"
#include "platform/vb/Strings.h"

namespace pendrel {

namespace {

constexpr vb::Integer k_backspace = 8;
constexpr vb::Integer k_delete = 46;
constexpr vb::Integer k_enter = 13;

} // namespace

void Morvex::RememberEditKey(vb::Integer KeyCode)
{
    m_BackspacePressed = KeyCode == k_backspace;
    m_DeletePressed = KeyCode == k_delete;
}

// Every released key searches, Enter too; Enter then commits an edited text,
// any other key counts as an edit (Shift and the arrows included) and
// reaches the host.
void Morvex::txtFieldCmb_KeyUp(vb::Integer& KeyCode, vb::Integer& Shift)
{
    diag::Steps s("txtFieldCmb_KeyUp", m_fLogging);
    auto& g = modGridCombo::state();
    s.step("1", [&] { RememberEditKey(KeyCode); });
    s.step("2", [&] { AutoComplete(*m_txtFieldCmb); });
    if (s.condition("3", [&] { return KeyCode == k_enter; })) {
        if (s.condition("3.1", [&] { return g.TextEdited; })) {
            s.step("3.1.1", [&] { g.TextEdited = false; });
            s.step("3.1.2", [&] { AfterUpdateOrNotInList(); });
        }
    } else {
        s.step("4.1", [&] { g.TextEdited = true; });
        s.step("4.2", [&] { surface().raise(event::KeyUp, KeyCode, Shift); });
    }
}

// Typing, a completion, a pick or the host's Text: Change while the text is
// being edited, and AfterUpdate for the change a pick makes.
void Morvex::txtFieldCmb_Change()
{
    auto& g = modGridCombo::state();
    if (g.TextEdited)
        surface().RaiseEvent(event::Change);
    if (g.PickPending) {
        g.PickPending = false;
        g.TextEdited = false;
        surface().RaiseEvent(event::AfterUpdate);
    }
}

// The caret goes to the end, nothing selected.
void Morvex::txtFieldCmb_GotFocus()
{
    m_txtFieldCmb->let_SelStart(vb::Len(m_txtFieldCmb->get_Text()));
}

void Morvex::EnterFocus()
{
    vb::Integer close = 0;
    ShowDropDown(close);
}

void Morvex::LostFocus()
{
    vb::Integer close = 0;
    ShowDropDown(close);
}

void Morvex::ExitFocus()
{
    UserControl_ExitFocus();
}

// An edited text is committed unless the field was emptied; ExitFocus
// always follows. An open list closes only through the commit.
void Morvex::UserControl_ExitFocus()
{
    diag::Steps s("UserControl_ExitFocus", m_fLogging);
    auto& g = modGridCombo::state();
    if (s.condition("1", [&] { return g.TextEdited; })) {
        s.step("1.1", [&] { g.TextEdited = false; });
        if (s.condition("1.2", [&] { return !m_txtFieldCmb->get_Text().empty(); }))
            s.step("1.2.1", [&] { AfterUpdateOrNotInList(); });
    }
    s.step("2", [&] { surface().RaiseEvent(event::ExitFocus); });
}

// The last search found a row: the field shows that row's text and the host
// hears BeforeUpdate and AfterUpdate. It found none, or the row cannot be
// read (errors 9 and 6160): the list closes and the host hears NotInList
// with the text, which it may read but not change.
void Morvex::AfterUpdateOrNotInList()
{
    diag::Steps s("AfterUpdateOrNotInList", m_fLogging);
    if (s.condition("1", [&] { return !m_NoMatch; })) {
        s.step("1.1", [&] { surface().RaiseEvent(event::BeforeUpdate); });
        s.step("1.2",
            [&] { m_txtFieldCmb->let_Text(list_column(vb::Long{m_TextColumn} - 1)->get_Text()); });
        vb::Integer close = 0;
        s.step("1.3", [&] { ShowDropDown(close); });
        s.step("1.4", [&] { surface().RaiseEvent(event::AfterUpdate); });
        if (!s.left())
            return;
    }
    // 2. Also where error 9 or 6160 left the steps above.
    s.resume();
    s.step("2.1", [] { modGridCombo::HideDropDown(); });
    s.step("2.2", [&] {
        std::string Newdata = m_txtFieldCmb->get_Text();
        surface().raise(event::NotInList, Newdata);
    });
}

} // namespace pendrel
