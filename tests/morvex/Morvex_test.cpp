// The Morvex shell: its children as designed, the events it raises for the
// host's lifecycle calls and passes on from its text field, and its end.

#include <tuple>

#include "platform/controls/DropDownPicture.h"
#include "platform/gfx/Compositor.h"
#include "platform/win/User32.h"
#include "support/controls/Ui.h"
#include "support/gfx/Pixels.h"
#include "support/morvex/MorvexTest.h"

namespace pendrel {
namespace {

using Events = std::vector<std::string>;

class MorvexShell : public test::MorvexTest {
protected:
    static win::RECT parent_rect(win::HWND hwnd)
    {
        win::RECT r{};
        win::GetWindowRect(hwnd, &r);
        win::POINT p{r.left, r.top};
        win::ScreenToClient(win::GetParent(hwnd), &p);
        return win::RECT{p.x, p.y, p.x + r.width(), p.y + r.height()};
    }

    test::Ui ui;
};

TEST_F(MorvexShell, ChildrenAreMadeAndLaidOutInTheControl)
{
    const win::HWND surface = site->hwnd();
    const auto& txt = ctl->txtFieldCmb();
    const auto& button = ctl->DropdownButton();
    auto& list = ctl->DropdownList();
    for (const win::HWND child : {txt.get_hWnd(), button.get_hWnd(), list.get_hWnd()})
        EXPECT_EQ(win::GetParent(child), surface);
    EXPECT_EQ(ctl->get_hwnd(), static_cast<vb::Long>(surface));
    // A 3015 x 375 control, twips at 15 a pixel: the text field at 0, 0,
    // 3015 x 360; the button at 2700, 25, 300 x 325; the closed list at top
    // 675 with its design-time size, 3015 x 1455.
    EXPECT_EQ(parent_rect(txt.get_hWnd()), (win::RECT{0, 0, 201, 24}));
    EXPECT_EQ(parent_rect(button.get_hWnd()), (win::RECT{180, 2, 200, 24}));
    EXPECT_EQ(parent_rect(list.get_hWnd()), (win::RECT{0, 45, 201, 142}));
    EXPECT_FALSE(list.extender().get_Visible());
    EXPECT_TRUE(button.get_Picture() == controls::drop_down_picture() && button.get_UseMaskColor());
    // The classic list font, one object for the rows and one for the heads.
    for (const auto* font : {&list.get_Font(), &list.get_HeadFont()}) {
        EXPECT_EQ(std::tuple((*font)->get_Name(), (*font)->get_Size(), (*font)->get_Bold(),
                      (*font)->get_Italic()),
            std::tuple("MS Sans Serif", 8.25F, vb::False, vb::False));
    }
    EXPECT_NE(list.get_Font(), list.get_HeadFont());
    EXPECT_EQ(txt.get_Font()->font(), gfx::default_font());
}

TEST_F(MorvexShell, ShowHideAndPaintRaiseTheirEventsOnly)
{
    form->Show();
    EXPECT_EQ(events.take(), Events{"Show"});
    ctl->Refresh();
    EXPECT_EQ(events.take(), Events{"Paint"});
    site->extender().Move(120, 120, 4000, 500);
    form->Hide();
    // Resize and Z are declared and never raised.
    EXPECT_EQ(events.take(), Events{"Hide"});
}

// The text field's keys and validation reach the host as the control's own
// events; what the host changes goes back: a KeyAscii of 0 types nothing, a
// True Cancel keeps the focus.
TEST_F(MorvexShell, TextFieldKeysAndValidationReachTheHostWhichMayChangeThem)
{
    form->Show();
    Morvex& other = add("Morvex2");
    auto keys = site->events().on<vb::Integer>(event::KeyPress, [](vb::Integer& KeyAscii) {
        if (KeyAscii == 'b')
            KeyAscii = 0;
        else if (KeyAscii == 'c')
            KeyAscii = 'C';
    });
    auto cancel = site->events().on<vb::Boolean>(
        event::Validate, [](vb::Boolean& Cancel) { Cancel = true; });
    ctl->txtFieldCmb().SetFocus();
    (void)events.take();
    ui.type("abc");
    other.txtFieldCmb().SetFocus();
    EXPECT_EQ(ctl->get_Text(), "aC");
    EXPECT_EQ(win::GetFocus(), ctl->txtFieldCmb().get_hWnd());
    EXPECT_EQ(events.take(),
        (Events{"KeyDown 65 0", "KeyPress 97", "KeyUp 65 0", "KeyDown 66 0", "KeyPress 98",
            "KeyUp 66 0", "KeyDown 67 0", "KeyPress 99", "Change", "KeyUp 67 0",
            "Validate False"}));
}

// Every control terminates, then every window goes; the last reference to
// the data-source object closes its rows.
TEST_F(MorvexShell, FormClosesWhileTheTextFieldHasTheFocus)
{
    bind(*ctl, "SELECT id, name FROM cities");
    const auto rs = ctl->get_Recordset();
    form->Show();
    ctl->txtFieldCmb().SetFocus();
    ASSERT_EQ(rs->get_State(), ado::adStateOpen);
    form.reset();
    ctl = nullptr;
    EXPECT_EQ(rs->get_State(), ado::adStateClosed);
    EXPECT_EQ(win::GetFocus(), 0u);
}

TEST_F(MorvexShell, DrawsItsTextAndTheButtonsTriangle)
{
    form->Show();
    ctl->let_Text("Zürich");
    const gfx::Image image = gfx::Compositor::the().snapshot(site->hwnd());
    ASSERT_EQ(image.width(), 201);
    // The text field's text, and the 25 black pixels of the triangle (the
    // button is smaller than its picture, which is centred on it).
    EXPECT_GT(test::count_dark(image, win::RECT{3, 3, 170, 22}), 20);
    EXPECT_EQ(test::count_color(image, win::RECT{183, 5, 197, 21}, gfx::Rgb{0, 0, 0}), 25);
}

class PlainControl : public host::UserControl {
public:
    using host::UserControl::UserControl;
    [[nodiscard]] std::string_view class_name() const override { return "Test.Plain"; }
};

TEST_F(MorvexShell, OfRefusesAnotherKindOfControl)
{
    auto& plain = form->add_control("Plain1",
        [](host::ControlSurface& s) { return std::make_unique<PlainControl>(s); },
        {0, 0, 300, 300});
    EXPECT_VB_ERROR((void)Morvex::of(plain), vb::err::TypeMismatch);
    EXPECT_EQ(&Morvex::of(*site), ctl);
}

} // namespace
} // namespace pendrel
