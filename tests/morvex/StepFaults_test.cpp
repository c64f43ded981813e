// Every numbered step of every trapped procedure fails once. A clean run of
// each scenario records the steps it reaches; then each step is made to
// fail in the first scenario that reaches it, and the report is checked
// against the procedure's row of the report table: the log line with its
// ending and the procedure going on, the box with its prompt, style and
// title, the error passed on with the procedure as source, or nothing.

#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "diag/Policies.h"
#include "diag/Steps.h"
#include "dropdown/modGridCombo.h"
#include "platform/host/Extender.h"
#include "platform/host/Screen.h"
#include "platform/win/User32.h"
#include "support/ado/AdoFixture.h"
#include "support/controls/Ui.h"
#include "support/morvex/MorvexTest.h"

namespace pendrel {
namespace {

using Pair = std::pair<std::string, std::string>; // procedure, step number
using Lines = std::vector<std::string>;
using Boxes = std::vector<host::MessageBoxRecord>;

class StepFaults : public test::MorvexTest {
public:
    test::Ui ui;

    void open() { ui.click(ctl->DropdownButton().get_hWnd()); }
    void bind_rows(const std::string& rows) { bind(*ctl, rows); }

    // A fresh form, its control ready to be bound.
    void restart()
    {
        MorvexTest::restart();
        ctl->let_fLogging(R"(c:\gebruikers\kestrel\appdata\roaming\tallis\Logging.txt)");
        ctl->let_ScreenWidth(19200);
        ctl->let_RowHeight(210);
        ctl->let_ColumnWidths("0;25;5;5;5");
        ctl->let_AutoExpand(true);
    }

    struct Outcome {
        std::vector<diag::StepRecorder::Step> steps;
        std::vector<diag::StepRecorder::Failure> failures;
        std::vector<std::string> lines;
        std::vector<host::MessageBoxRecord> boxes;
        int hits = 0;
        bool ran_away = false;
    };
    Outcome run(const std::function<void(StepFaults&)>& scenario, const Pair* fault = nullptr,
        const vb::Error& error = vb::Error(0, ""));
    // Makes the step fail once in the scenario and checks the report the
    // procedure's row (or the row's special number) gives.
    void expect_report(const Pair& pair, std::size_t scenario, const diag::Policy& policy,
        const diag::Special* special);
};

constexpr auto k_rows = "SELECT id, name, code, population, founded FROM cities ORDER BY name";

// 8 rows: 's-Hertogenbosch, Amsterdam, Antwerpen, München, Rotterdam,
// Utrecht, Zürich, Łódź.
const std::pair<const char*, std::function<void(StepFaults&)>> k_scenarios[] = {
    {"bind, widths, resize",
        [](StepFaults& t) {
            t.bind_rows(k_rows);
            t.ctl->let_ColumnWidths("");
            t.ctl->let_ColumnWidths("0;25;5;5;5;5");
            vb::Boolean heads = true;
            t.ctl->let_ColumnHeads(heads);
            t.form->find("Morvex1")->extender().let_Width(4000);
        }},
    {"type, complete, commit",
        [](StepFaults& t) {
            t.bind_rows(k_rows);
            t.ctl->txtFieldCmb().SetFocus();
            t.ui.type("Ro");
            t.ui.press(win::VK_BACK);
            t.ui.press(win::VK_RETURN);
            t.ui.type("nowhere");
            t.ui.press(win::VK_RETURN);
            t.ctl->let_Text("");
            t.ui.press(win::VK_BACK);
            t.form->find("Morvex1")->extender().let_Width(4000);
        }},
    {"list: open, hover, scroll, pick, close",
        [](StepFaults& t) {
            t.ctl->let_ListRows(4);
            t.bind_rows(k_rows);
            t.ctl->txtFieldCmb().SetFocus();
            t.open();
            t.ui.move_to(t.grid(), {20, 30});
            t.ui.move_to(t.grid(), {20, 50});
            win::RECT client{};
            win::GetClientRect(t.grid(), &client);
            t.ui.click(t.grid(), {client.right - 8, client.bottom - 24});
            t.ui.click(t.grid(), {30, client.bottom - 8});
            t.ui.click(t.grid(), {20, 40});
            t.open();
            t.ui.move_to(t.form->hwnd(), {5, 300});
            t.ui.click(t.form->hwnd(), {5, 300});
            vb::Integer show = 1;
            t.ctl->ShowDropDown(show);
            t.ctl->DropDown();
            show = 0;
            t.ctl->ShowDropDown(show);
        }},
    {"value, columns, leave, destroy",
        [](StepFaults& t) {
            t.bind_rows(k_rows);
            t.ctl->let_Value(vb::Variant(vb::Long{3}));
            (void)t.ctl->get_Value();
            (void)t.ctl->get_ValueOfColumn(1);
            t.ctl->let_Value(vb::Variant(""));
            t.ctl->txtFieldCmb().SetFocus();
            t.ui.type("Am");
            Morvex& other = t.add("Morvex2");
            other.txtFieldCmb().SetFocus();
            t.form->remove_control("Morvex1");
            t.ctl = nullptr;
        }},
    {"list: header, lost hook, read-only field, resize",
        [](StepFaults& t) {
            vb::Boolean heads = true;
            t.ctl->let_ColumnHeads(heads);
            t.bind_rows(k_rows);
            t.ctl->txtFieldCmb().SetFocus();
            t.open();
            t.ui.button_down(t.grid(), {20, 30});
            t.ui.button_up(t.grid(), {20, 3});
            t.open();
            t.ui.click(t.grid(), {20, 3});
            t.open();
            t.ui.move_to(t.form->hwnd(), {5, 300});
            win::SetWindowLongA(t.grid(), win::GWL_WNDPROC, modGridCombo::state().PrevGridWndProc);
            win::SetCapture(0);
            t.ui.move_to(t.grid(), {20, 40});
            t.ctl->txtFieldCmb().let_Locked(true);
            t.ui.click(t.grid(), {20, 40});
            t.ctl->txtFieldCmb().let_Locked(false);
            t.open();
            t.form->find("Morvex1")->extender().let_Width(3500);
        }},
    {"sizes: wide, narrow, fixed-length, above",
        [](StepFaults& t) {
            t.ctl->let_ColumnWidths("90;90");
            t.bind_rows("SELECT id, name FROM cities");
            t.ctl->let_ColumnWidths("1;1");
            const auto file = t.dir / "fixed.db";
            test::create_sqlite_file(
                file, "CREATE TABLE t (code CHAR(40)); INSERT INTO t VALUES ('x');");
            t.ctl->let_ColumnWidths("");
            t.ctl->let_CnStr(test::sqlite_connection_string(file));
            t.ctl->let_RowSource("SELECT code FROM t");
            const auto bottom = static_cast<int>(host::Screen::the().get_Height() / 15);
            win::SetWindowPos(
                t.form->hwnd(), 0, 100, bottom - 30, 0, 0, win::SWP_NOSIZE | win::SWP_NOZORDER);
            t.open();
        }},
    {"no rows, unbound, bound column",
        [](StepFaults& t) {
            t.bind_rows("SELECT id, name FROM empty_cities");
            t.ctl->txtFieldCmb().SetFocus();
            t.open();
            t.ui.type("x");
            t.ctl->let_RowSource("");
            t.bind_rows(k_rows);
            t.ctl->let_BoundColumn(1);
            t.ctl->let_Value(vb::Variant(vb::Long{3}));
        }},
};

StepFaults::Outcome StepFaults::run(
    const std::function<void(StepFaults&)>& scenario, const Pair* fault, const vb::Error& error)
{
    restart();
    Outcome out;
    {
        diag::StepRecorder recorder(100'000);
        std::optional<diag::InjectedFault> injected;
        if (fault != nullptr)
            injected.emplace(fault->first, fault->second, error, 1);
        try {
            scenario(*this);
        } catch (const vb::Error&) {
            // Errors of untrapped calls; what matters is the trap's report.
        } catch (const std::length_error&) {
            out.ran_away = true;
        }
        out.hits = injected ? injected->hits() : 0;
        out.steps = recorder.steps();
        out.failures = recorder.failures();
    }
    out.lines = fixed_log_lines();
    out.boxes = host::message_boxes();
    return out;
}

// What the procedure did after step `at`: some later step of the same run
// ran, or was skipped because the procedure had left.
struct After {
    bool ran = false;
    bool skipped = false;
};

After after(const std::vector<diag::StepRecorder::Step>& steps, std::size_t at)
{
    After a;
    for (std::size_t i = at + 1; i < steps.size(); ++i) {
        if (steps[i].run == steps[at].run)
            (steps[i].skipped ? a.skipped : a.ran) = true;
    }
    return a;
}

std::optional<std::size_t> first_of(
    const std::vector<diag::StepRecorder::Step>& steps, const Pair& pair)
{
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (!steps[i].skipped && steps[i].procedure == pair.first && steps[i].number == pair.second)
            return i;
    }
    return std::nullopt;
}

template <class T, class F> std::vector<T> matching(const std::vector<T>& all, F&& keep)
{
    std::vector<T> out;
    std::copy_if(all.begin(), all.end(), std::back_inserter(out), keep);
    return out;
}

// What `pattern`'s group `group` matches in each source file, by file name.
std::map<std::string, std::set<std::string>> scan_sources(const std::regex& pattern, int group)
{
    std::map<std::string, std::set<std::string>> out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(PENDREL_SOURCE_DIR "/src")) {
        if (e.path().extension() != ".cpp")
            continue;
        std::ifstream in(e.path());
        std::stringstream text;
        text << in.rdbuf();
        const std::string s = text.str();
        for (std::sregex_iterator it(s.begin(), s.end(), pattern), end; it != end; ++it)
            out[e.path().filename().string()].insert((*it)[group]);
    }
    return out;
}

// The numbered steps written in the sources, by file: each must be reached
// by a procedure of its file (shared helpers take the steps of their
// caller).
std::map<std::string, std::set<std::string>> written_steps()
{
    return scan_sources(std::regex(R"(\.(step|condition|quietly)\(\s*"([0-9.]+)\")"), 2);
}

std::map<std::string, std::set<std::string>> procedures_by_file()
{
    return scan_sources(std::regex(R"(diag::Steps \w+\("([^"]+)\")"), 1);
}

void StepFaults::expect_report(const Pair& pair, std::size_t scenario, const diag::Policy& policy,
    const diag::Special* special)
{
    const std::string description = "injected into " + pair.first + " " + pair.second;
    const vb::Long number = special != nullptr ? special->number : vb::err::InvalidProcedureCall;
    const Outcome out
        = run(k_scenarios[scenario].second, &pair, vb::Error(number, description, "Fault"));
    ASSERT_EQ(out.hits, 1);
    EXPECT_FALSE(out.ran_away) << "the scenario ran away";
    const std::size_t at = first_of(out.steps, pair).value();
    const After next = after(out.steps, at);
    const auto mine
        = [&](const std::string& text) { return text.find(description) != std::string::npos; };
    const auto lines = matching(out.lines, mine);
    const auto boxes = matching(out.boxes, [&](const auto& box) { return mine(box.prompt); });
    const auto failures = matching(
        out.failures, [&](const auto& f) { return f.error.description() == description; });
    if (out.steps[at].sort == diag::StepSort::Quietly) {
        // The procedure's own signal: nothing reported, and it goes on.
        EXPECT_EQ(std::tuple(lines, boxes, failures.size(), next.skipped),
            std::tuple(Lines{}, Boxes{}, 0U, false));
        return;
    }
    ASSERT_FALSE(failures.empty());
    EXPECT_EQ(failures[0].procedure, pair.first) << "caught by its own trap";
    switch (special != nullptr ? special->kind : policy.kind) {
    case diag::Kind::Log:
        EXPECT_EQ(lines, Lines{expected_line(number, description, diag::log_ending(policy))});
        EXPECT_EQ(boxes, Boxes{});
        EXPECT_FALSE(next.skipped) << "the next step runs";
        break;
    case diag::Kind::Ignore:
        EXPECT_EQ(std::pair(lines, boxes), std::pair(Lines{}, Boxes{}));
        EXPECT_FALSE(next.skipped) << "the next step runs";
        break;
    case diag::Kind::Custom: // the procedure's own path follows
        EXPECT_EQ(std::pair(lines, boxes), std::pair(Lines{}, Boxes{}));
        break;
    case diag::Kind::ShortMessage:
        EXPECT_EQ(boxes, (Boxes{{description, host::vbCritical, std::string(pair.first)}}));
        EXPECT_EQ(lines, Lines{});
        EXPECT_FALSE(next.ran) << "the procedure leaves";
        break;
    case diag::Kind::DetailedMessage: {
        const bool own_first = special != nullptr && !special->first_line.empty();
        std::string prompt = std::string(own_first ? special->first_line : policy.first_line)
            + "\r\nError: " + description + "\r\nNumber: " + std::to_string(number);
        if (special != nullptr && !special->last_line.empty())
            prompt += "\r\n" + std::string(special->last_line);
        EXPECT_EQ(boxes, (Boxes{{prompt, host::vbOKOnly, "Fault"}}));
        EXPECT_EQ(lines, Lines{});
        EXPECT_FALSE(next.ran) << "the procedure leaves";
        break;
    }
    case diag::Kind::PassOn:
        EXPECT_FALSE(next.ran) << "the procedure leaves";
        ASSERT_EQ(failures.size(), 2u) << "the caller's trap gets it";
        EXPECT_EQ(std::tuple(failures[1].error.number(), failures[1].error.source()),
            std::tuple(number, pair.first));
        break;
    }
}

TEST_F(StepFaults, EveryStepFailsOnceAndIsReportedAsItsProcedureSays)
{
    // 1. Clean runs: the first scenario to reach each step.
    std::map<Pair, std::size_t> registry;
    for (std::size_t i = 0; i < std::size(k_scenarios); ++i) {
        for (const auto& step : run(k_scenarios[i].second).steps) {
            if (!step.skipped)
                registry.emplace(Pair{step.procedure, step.number}, i);
        }
    }
    // 2. Every step written in the sources is reached, and so is every
    // procedure of the report table.
    const auto procedures = procedures_by_file();
    for (const auto& [file, numbers] : written_steps()) {
        for (const auto& number : numbers) {
            const bool reached = std::any_of(registry.begin(), registry.end(), [&](const auto& r) {
                return r.first.second == number && procedures.at(file).contains(r.first.first);
            });
            EXPECT_TRUE(reached) << "step " << number << " of " << file << " is never reached";
        }
    }
    for (const auto& policy : diag::all_policies()) {
        const bool reached = std::any_of(registry.begin(), registry.end(),
            [&](const auto& r) { return r.first.first == policy.procedure; });
        EXPECT_TRUE(reached) << policy.procedure << " is never reached";
    }
    // 3. Each step fails once, with an ordinary number and with each number
    // its procedure treats apart.
    int cases = 0;
    for (const auto& [pair, scenario] : registry) {
        SCOPED_TRACE(pair.first + " " + pair.second + " in " + k_scenarios[scenario].first);
        const diag::Policy& policy = diag::policy_of(pair.first);
        expect_report(pair, scenario, policy, nullptr);
        ++cases;
        for (const auto& special : policy.specials) {
            expect_report(pair, scenario, policy, &special);
            ++cases;
        }
    }
    std::cout << "StepFaults: " << registry.size() << " steps of " << diag::all_policies().size()
              << " procedures, " << cases << " failures checked\n";
}

} // namespace
} // namespace pendrel
