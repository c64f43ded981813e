#include <gtest/gtest.h>

#include "platform/gfx/Compositor.h"
#include "platform/host/Site.h"
#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"
#include "support/VbError.h"
#include "support/host/HostTest.h"

namespace {

using Log = std::vector<std::string>;
using pendrel::test::HostTest;
using pendrel::test::RecordingControl;

class SiteLifecycle : public HostTest {};

// Paint runs, with a canvas, when the screen of a shown form is rendered.
TEST_F(SiteLifecycle, NewControlIsInitialisedOnceThenSizedThenShownAndPaintedWithTheForm)
{
    auto& a = add("A");
    gfx::Compositor::the().render(); // a hidden form paints nothing
    EXPECT_EQ(take_log(), (Log{"A.Create", "A.InitProperties", "A.Resize 3015x375"}));
    form->Show();
    EXPECT_EQ(take_log(), (Log{"A.Show"}));
    gfx::Compositor::the().render();
    EXPECT_EQ(take_log(), (Log{"A.Paint"}));
    EXPECT_TRUE(a.painted_with_canvas);
    EXPECT_EQ(a.surface().canvas(), nullptr) << "only during Paint";
    add("B", {0, 0, 1500, 300}); // on a shown form: shown at once
    EXPECT_EQ(take_log(), (Log{"B.Create", "B.InitProperties", "B.Resize 1500x300", "B.Show"}));
}

TEST_F(SiteLifecycle, ResizeOnlyWhenTheSizeChangesAndShowAndHideFollowTheControlAndTheForm)
{
    add("A");
    auto& site = *form->find("A");
    form->Show();
    take_log();
    auto ext = site.extender();
    ext.let_Left(600);
    ext.let_Top(30);
    EXPECT_EQ(take_log(), Log{});
    ext.let_Height(600);
    EXPECT_EQ(take_log(), (Log{"A.Resize 3015x600"}));
    win::MoveWindow(site.hwnd(), 1, 1, 10, 10, 1); // a move by anyone counts
    EXPECT_EQ(take_log(), (Log{"A.Resize 150x150"}));
    ext.let_Visible(false);
    ext.let_Visible(false);
    ext.let_Visible(true);
    form->Hide();
    ext.let_Visible(false);
    form->Show(); // the control itself stays hidden
    ext.let_Visible(true);
    EXPECT_EQ(take_log(), (Log{"A.Hide", "A.Show", "A.Hide", "A.Show"}));
}

// Enter and exit come outside got and lost; the focus moved inside
// ExitFocus ends where it was moved; hiding the form with the focus inside
// exits nothing.
TEST_F(SiteLifecycle, FocusEnteringAndLeavingTheControlOrItsChildren)
{
    auto& a = add("A", {0, 0, 1500, 375});
    auto& b = add("B", {0, 600, 1500, 375});
    auto& c = add("C", {0, 1200, 1500, 375});
    form->Show();
    take_log();
    win::SetFocus(a.child);
    win::SetFocus(a.surface().get_hWnd()); // still inside A
    win::SetFocus(a.child);
    win::SetFocus(b.child);
    win::SetFocus(0);
    EXPECT_EQ(take_log(),
        (Log{"A.EnterFocus", "A.GotFocus", "A.LostFocus", "A.ExitFocus", "B.EnterFocus",
            "B.ExitFocus"}));
    win::SetFocus(a.child);
    a.during = [&](const std::string& call) {
        if (call == "ExitFocus")
            win::SetFocus(c.child);
    };
    take_log();
    win::SetFocus(b.child);
    EXPECT_EQ(take_log(), (Log{"A.ExitFocus", "C.EnterFocus"}));
    EXPECT_EQ(win::GetFocus(), c.child);
    form->Hide();
    EXPECT_EQ(take_log(), (Log{"A.Hide", "B.Hide", "C.Hide"}));
}

TEST_F(SiteLifecycle, RemovedControlOrDestroyedFormTerminatesOnceLatestFirst)
{
    add("A");
    add("B");
    add("C");
    take_log();
    form->remove_control("A");
    EXPECT_EQ(take_log(), (Log{"A.Terminate", "A.Delete"}));
    EXPECT_EQ(form->find("A"), nullptr);
    form.reset();
    EXPECT_EQ(take_log(), (Log{"C.Terminate", "B.Terminate", "C.Delete", "B.Delete"}));
}

TEST_F(SiteLifecycle, DestroyedWindowsTerminateTheirControlsWhileChildrenExist)
{
    auto& a = add("A");
    win::HWND child = a.child;
    bool child_alive = false;
    a.during = [&](const std::string& call) {
        if (call == "Terminate")
            child_alive = win::IsWindow(child) != 0;
    };
    take_log();
    win::DestroyWindow(form->hwnd());
    EXPECT_EQ(take_log(), (Log{"A.Terminate"}));
    EXPECT_TRUE(child_alive);
    form.reset();
    EXPECT_EQ(take_log(), (Log{"A.Delete"}));
}

// Removed from its own event, a control is deleted from the queue, not
// while its code runs; removed by another one's Show, it is told no more.
TEST_F(SiteLifecycle, ControlRemovedFromItsOwnEventOrByAnotherOnesShow)
{
    auto& a = add("A");
    auto& b = add("B");
    add("C");
    auto sub = form->find("A")->events().subscribe(
        RecordingControl::k_click, [&](std::span<vb::Variant>) { form->remove_control("A"); });
    take_log();
    a.surface().RaiseEvent(RecordingControl::k_click);
    EXPECT_EQ(take_log(), (Log{"A.Terminate"}));
    EXPECT_EQ(form->find("A"), nullptr);
    win::PumpMessages();
    EXPECT_EQ(take_log(), (Log{"A.Delete"}));
    b.during = [&](const std::string& call) {
        if (call == "Show")
            form->remove_control("C");
    };
    form->Show();
    EXPECT_EQ(take_log(), (Log{"B.Show", "C.Terminate", "C.Delete"}));
}

TEST_F(SiteLifecycle, FailingInitialisationRemovesTheControlAgain)
{
    struct Failing : RecordingControl {
        using RecordingControl::RecordingControl;
        void InitProperties() override { vb::raise(vb::err::InvalidPropertyValue, "Failing"); }
    };
    host::ControlFactory factory
        = [this](host::ControlSurface& s) { return std::make_unique<Failing>(s, "F", log); };
    EXPECT_VB_ERROR(
        form->add_control("F", factory, {0, 0, 100, 100}), vb::err::InvalidPropertyValue);
    EXPECT_EQ(form->find("F"), nullptr);
    EXPECT_EQ(take_log(), (Log{"F.Create", "F.Terminate", "F.Delete"}));
    EXPECT_EQ(win::WindowManager::the().children(form->hwnd()).size(), 0u);
}

TEST_F(SiteLifecycle, PropertyChangedMarksTheFormDirtyAndHandlersChangeArguments)
{
    auto& a = add("A");
    EXPECT_FALSE(form->dirty());
    a.surface().PropertyChanged("Caption");
    a.surface().PropertyChanged("Count");
    EXPECT_TRUE(form->dirty());
    EXPECT_EQ(form->find("A")->changed_properties(), (Log{"Caption", "Count"}));
    // A host handler changes the arguments the control sees.
    auto by_name = form->find("A")->events().subscribe(
        "moved", [](std::span<vb::Variant> args) { args[0] = vb::Long{42}; });
    vb::Single x = 1;
    vb::Single y = 2;
    a.surface().raise(RecordingControl::k_moved, x, y);
    EXPECT_EQ(x, 42.0f);
    EXPECT_EQ(y, 2.0f);
}

} // namespace
