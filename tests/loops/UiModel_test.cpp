// Random sequences of what a person and a host do to a Morvex, against a
// small model of the control: typing, keys, clicks on the button, a row or
// outside, scrolling, hovering, new row sources and connection strings,
// Value, Enabled, destroying and placing the control again. After every
// command the windows must be in a legal state (no capture on a hidden or
// dead window, no top-most list without an open list, the grid's own
// procedure back once the list is closed) and the host's events in a legal
// order. A failing sequence is shrunk by RapidCheck; a shrunk one is kept
// as a regression case below and replayed on every run.
//
// PENDREL_UI_SEQUENCES sets how many sequences one run checks (2000 by
// default), RC_PARAMS="seed=N" replays one run.

#include <rapidcheck.h>
#include <rapidcheck/state.h>

#include <cstdlib>

#include "dropdown/modGridCombo.h"
#include "platform/host/Extender.h"
#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"
#include "support/ado/AdoFixture.h"
#include "support/controls/Ui.h"
#include "support/morvex/MorvexTest.h"

namespace pendrel {
namespace {

constexpr auto k_rows = "SELECT id, name, code, population, founded FROM cities ORDER BY name";
const char* const k_row_sources[] = {k_rows, "SELECT id, name FROM empty_cities", "",
    "SELECT id, nickname FROM cities", "SELECT name, id FROM cities WHERE name LIKE '*A*'"};

struct Model {
    bool alive = true;
};

class UiModel : public test::MorvexTest {
public:
    test::Ui ui;
    std::vector<std::string> seen; // every event of the sequence

    void fresh()
    {
        MorvexTest::restart();
        (void)add("Other");
        place();
        seen.clear();
    }
    void place()
    {
        ctl->let_ScreenWidth(19200);
        ctl->let_ListRows(4);
        ctl->let_ColumnWidths("0;25;5;5;5");
        ctl->let_AutoExpand(true);
        bind(*ctl, k_rows);
        ctl->txtFieldCmb().SetFocus();
    }
    void destroy()
    {
        form->remove_control("Morvex1");
        ctl = nullptr;
    }
    void again()
    {
        site = &form->add_control("Morvex1", Morvex::factory(), {120, 120, 3015, 375});
        ctl = &Morvex::of(*site);
        events.watch(*site);
        place();
    }
    [[nodiscard]] win::HWND grid() const { return ctl->DropdownList().get_hWnd(); }

    // The legal states and orders; a message for the first broken one.
    std::string broken();
};

std::string UiModel::broken()
{
    const auto& g = modGridCombo::state();
    const win::HWND capture = win::GetCapture();
    if (capture != 0 && (!win::IsWindow(capture) || !win::IsWindowVisible(capture)))
        return "the capture is on a hidden or destroyed window";
    if (ctl != nullptr) {
        const bool top_most
            = (win::GetWindowLongA(grid(), win::GWL_EXSTYLE) & win::WS_EX_TOPMOST) != 0;
        if (win::IsWindowVisible(grid()) && top_most && !g.GridSubclassed)
            return "a top-most list is shown while no list is open";
        const auto hook = win::ProcNumber(&modGridCombo::DataGridWindowProc);
        if (!g.GridSubclassed && win::GetWindowLongA(grid(), win::GWL_WNDPROC) == hook)
            return "the closed list still has the list window procedure";
    }
    for (const auto& e : events.events())
        seen.push_back(e);
    (void)events.take();
    // A commit: BeforeUpdate, the text written (Change), then AfterUpdate,
    // or NotInList when the row could not be read after all; a pick by the
    // mouse: Change, AfterUpdate.
    bool committing = false;
    for (std::size_t i = 0; i < seen.size(); ++i) {
        const std::string_view before = i > 0 ? std::string_view(seen[i - 1]) : "";
        const std::string_view e = seen[i];
        if (e == "AfterUpdate" && before != "BeforeUpdate" && before != "Change")
            return "AfterUpdate after " + std::string(before);
        if (committing && e != "Change" && e != "AfterUpdate" && !e.starts_with("NotInList"))
            return "BeforeUpdate, then " + std::string(e);
        if (e.starts_with("KeyPress") && !before.starts_with("KeyDown"))
            return "KeyPress after " + std::string(before);
        committing = e == "BeforeUpdate" || (committing && e == "Change");
    }
    return {};
}

using Command = rc::state::Command<Model, UiModel>;

// A command for a live control: its action, then the check.
template <class Derived> struct Live : Command {
    void checkPreconditions(const Model& m) const override { RC_PRE(m.alive); }
    void run(const Model&, UiModel& t) const override
    {
        static_cast<const Derived*>(this)->act(t);
        if (const std::string why = t.broken(); !why.empty())
            RC_FAIL(why);
    }
};

struct Type : Live<Type> {
    Type() = default;
    explicit Type(std::string t) : text(std::move(t)) {}
    std::string text = *rc::gen::element<std::string>("A", "Am", "R", "Zü", "x", "1", "Ł");
    void act(UiModel& t) const { t.ui.type(text); }
    void show(std::ostream& os) const override { os << "type " << text; }
};
struct Key : Live<Key> {
    int vk = *rc::gen::element(win::VK_DOWN, win::VK_UP, win::VK_RETURN, win::VK_ESCAPE,
        win::VK_BACK, win::VK_DELETE, win::VK_F4, win::VK_LEFT, win::VK_TAB);
    void act(UiModel& t) const { t.ui.press(vk); }
    void show(std::ostream& os) const override { os << "key " << vk; }
};
struct ClickButton : Live<ClickButton> {
    void act(UiModel& t) const { t.ui.click(t.ctl->DropdownButton().get_hWnd()); }
    void show(std::ostream& os) const override { os << "click the button"; }
};
struct ClickRow : Live<ClickRow> {
    int y = *rc::gen::inRange(0, 80);
    bool hover = *rc::gen::arbitrary<bool>();
    void act(UiModel& t) const
    {
        if (hover)
            t.ui.move_to(t.grid(), {20, y});
        else
            t.ui.click(t.grid(), {20, y});
    }
    void show(std::ostream& os) const override
    {
        os << (hover ? "hover" : "click") << " the list at " << y;
    }
};
struct ClickOutside : Live<ClickOutside> {
    void act(UiModel& t) const { t.ui.click(t.form->hwnd(), {5, 300}); }
    void show(std::ostream& os) const override { os << "click outside"; }
};
struct Scroll : Live<Scroll> {
    bool down = *rc::gen::arbitrary<bool>();
    void act(UiModel& t) const
    {
        win::RECT client{};
        win::GetClientRect(t.grid(), &client);
        t.ui.click(t.grid(), {client.right - 8, down ? client.bottom - 24 : 8});
    }
    void show(std::ostream& os) const override { os << "scroll " << (down ? "down" : "up"); }
};
struct SetRowSource : Live<SetRowSource> {
    SetRowSource() = default;
    explicit SetRowSource(int w) : which(w) {}
    int which = *rc::gen::inRange(0, static_cast<int>(std::size(k_row_sources)));
    void act(UiModel& t) const { t.ctl->let_RowSource(k_row_sources[which]); }
    void show(std::ostream& os) const override { os << "RowSource " << which; }
};
struct SetCnStr : Live<SetCnStr> {
    bool valid = *rc::gen::arbitrary<bool>();
    void act(UiModel& t) const
    {
        t.ctl->let_CnStr(valid ? t.cnstr : "Provider=SQLite;Data Source=none.db");
    }
    void show(std::ostream& os) const override { os << "CnStr " << (valid ? "valid" : "broken"); }
};
struct SetValue : Live<SetValue> {
    int value = *rc::gen::inRange(-1, 10);
    void act(UiModel& t) const { t.ctl->let_Value(vb::Variant(vb::Long{value})); }
    void show(std::ostream& os) const override { os << "Value " << value; }
};
struct SetEnabled : Live<SetEnabled> {
    SetEnabled() = default;
    explicit SetEnabled(bool e) : enabled(e) {}
    bool enabled = *rc::gen::arbitrary<bool>();
    void act(UiModel& t) const { t.ctl->let_Enabled(enabled); }
    void show(std::ostream& os) const override { os << "Enabled " << enabled; }
};
struct Destroy : Live<Destroy> {
    void apply(Model& m) const override { m.alive = false; }
    void act(UiModel& t) const { t.destroy(); }
    void show(std::ostream& os) const override { os << "destroy"; }
};
struct PlaceAgain : Command {
    void checkPreconditions(const Model& m) const override { RC_PRE(!m.alive); }
    void apply(Model& m) const override { m.alive = true; }
    void run(const Model&, UiModel& t) const override
    {
        t.again();
        if (const std::string why = t.broken(); !why.empty())
            RC_FAIL(why);
    }
    void show(std::ostream& os) const override { os << "place again"; }
};

const auto k_commands = rc::state::gen::execOneOfWithArgs<Type, Key, ClickButton, ClickRow,
    ClickOutside, Scroll, SetRowSource, SetCnStr, SetValue, SetEnabled, Destroy, PlaceAgain>();

TEST_F(UiModel, RandomSequencesKeepTheWindowsAndEventsLegal)
{
    const char* count = std::getenv("PENDREL_UI_SEQUENCES");
    rc::detail::TestParams params;
    params.maxSuccess = count != nullptr ? std::atoi(count) : 2000;
    params.maxSize = 40;
    params.seed = rc::detail::configuration().testParams.seed;
    rc::detail::TestMetadata metadata;
    metadata.id = "UiModel/RandomSequences";
    const auto result = rc::detail::checkTestable(
        [&] {
            fresh();
            rc::state::check(Model{}, *this, k_commands);
        },
        metadata, params);
    std::ostringstream message;
    rc::detail::printResultMessage(result, message);
    EXPECT_TRUE(result.is<rc::detail::SuccessResult>()) << message.str();
    std::cout << "UiModel: " << message.str() << " (seed " << params.seed << ")\n";
}

// Shrunk sequences that once failed, replayed as they are.
TEST_F(UiModel, ShrunkSequencesStayLegal)
{
    using Sequence = std::vector<std::shared_ptr<const Command>>;
    const std::pair<const char*, Sequence> k_regressions[] = {
        // Leaving the control (it is disabled) commits a text whose row
        // the new row source lacks: BeforeUpdate, then NotInList.
        {"CommitAfterTheRowsWentIsNotInList",
            {std::make_shared<Type>("Ł"), std::make_shared<SetRowSource>(1),
                std::make_shared<SetEnabled>(false)}},
    };
    for (const auto& [name, sequence] : k_regressions) {
        SCOPED_TRACE(name);
        fresh();
        try {
            rc::state::runAll(sequence, Model{}, *this);
        } catch (const rc::detail::CaseResult& result) {
            ADD_FAILURE() << result.description;
        }
    }
}

} // namespace
} // namespace pendrel
