// Typing into a Morvex bound to the benchmark table, at 10,000, 1,000,000
// and 10,000,000 rows (the last only when PENDREL_BENCH_10M is set: its
// table takes minutes to make once):
//   BM_BindControl        RowSource to a list ready to open (compare with
//                         BM_SqliteStepFloor of the same size)
//   BM_FirstKeyAfterBind  the first key released after a new RowSource
//   BM_KeyBeforeIndex     the first key after a new RowSource, a miss or a
//                         match in the last row only, while the text
//                         column's key index is still being completed on
//                         its own thread: the stage the bind made answers
//   BM_KeyToText/miss     a key after which no row matches: the whole table
//                         is searched
//   BM_KeyToText/late     a key whose only match is the last row
//   BM_KeyToText/back     Backspace after a miss: still no match
// Each key goes through the window manager's input injection, the text
// field, type-ahead, the completed and selected text and the new current
// row.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <memory>
#include <string>

#include "BenchDatabase.h"
#include "pendrel/Morvex.h"
#include "platform/ado/Fields.h"
#include "platform/ado/Recordset.h"
#include "platform/controls/TextBox.h"
#include "platform/host/Form.h"
#include "platform/vb/Convert.h"
#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"

namespace {

constexpr const char* k_row_source = "SELECT id, name, code, qty, price, created, note FROM t";
// The same rows, another text: a new RowSource makes a new binding.
constexpr const char* k_row_source_again
    = "SELECT id, name, code, qty, price, created, note FROM t ";

struct TypingForm {
    explicit TypingForm(std::size_t rows)
    {
        win::WindowManager::reset();
        form = std::make_unique<host::Form>("frmBench", win::RECT{100, 100, 700, 500});
        control = &pendrel::Morvex::of(
            form->add_control("cboBench", pendrel::Morvex::factory(), {120, 120, 4200, 375}));
        control->let_ScreenWidth(28800);
        control->let_ColumnWidths("0;30;6;4;6;8;8");
        control->let_AutoExpand(true);
        control->let_CnStr(pendrel::bench::bench_connection_string(rows));
        form->Show();
        control->txtFieldCmb().SetFocus();
    }
    TypingForm(const TypingForm&) = delete;
    TypingForm& operator=(const TypingForm&) = delete;
    ~TypingForm()
    {
        form.reset();
        win::WindowManager::reset();
    }

    void bind(bool again = false)
    {
        control->let_RowSource(again ? k_row_source_again : k_row_source);
    }
    // The text as typed, the caret at its end.
    void set_text(const std::string& text)
    {
        control->let_Text(text);
        control->let_SelStart(static_cast<vb::Integer>(text.size()));
    }
    void key(int vk, char32_t ch)
    {
        auto& wm = win::WindowManager::the();
        wm.inject_key_down(vk);
        wm.inject_char(ch);
        wm.inject_key_up(vk);
        win::PumpMessages();
    }

    std::unique_ptr<host::Form> form;
    pendrel::Morvex* control = nullptr;
};

void sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(10000)->Arg(1000000);
    if (std::getenv("PENDREL_BENCH_10M") != nullptr)
        b->Arg(10000000);
    b->Unit(benchmark::kMillisecond);
}

// Times one key by the wall clock alone (the benchmark's own timers also
// read the process's processor time, which takes milliseconds while the
// index thread is busy in the kernel, and would be counted as the key's).
template <class F> void timed_key(benchmark::State& state, F key)
{
    state.ResumeTiming();
    const auto start = std::chrono::steady_clock::now();
    key();
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    state.PauseTiming();
}

void BM_BindControl(benchmark::State& state)
{
    TypingForm f(static_cast<std::size_t>(state.range(0)));
    bool again = false;
    for (auto _ : state) {
        f.bind(again);
        again = !again;
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_FirstKeyAfterBind(benchmark::State& state)
{
    TypingForm f(static_cast<std::size_t>(state.range(0)));
    bool again = false;
    for (auto _ : state) {
        state.PauseTiming();
        f.bind(again);
        again = !again;
        f.set_text("");
        timed_key(state, [&] { f.key('B', U'B'); });
        state.ResumeTiming();
    }
    if (f.control->get_Recordset()->get_EOF())
        state.SkipWithError("the first key was meant to find a row");
}

enum class Case {
    Miss,
    Late,
    Back
};

// The name of the last row but its last letter, and that letter.
std::pair<std::string, char> last_name(TypingForm& f)
{
    auto rs = f.control->get_Recordset();
    rs->MoveLast();
    std::string last = vb::CStr(rs->get_Fields()->get_Item(vb::Variant(1))->get_Value());
    const char final = last.back();
    last.pop_back();
    return {last, final};
}

void BM_KeyBeforeIndex(benchmark::State& state, Case c)
{
    TypingForm f(static_cast<std::size_t>(state.range(0)));
    f.bind();
    const auto [start, final] = last_name(f);
    bool again = true;
    for (auto _ : state) {
        state.PauseTiming();
        f.bind(again);
        again = !again;
        f.set_text(c == Case::Miss ? "Qq" : start);
        timed_key(state,
            [&] { f.key(c == Case::Miss ? 'X' : '0', c == Case::Miss ? U'x' : char32_t(final)); });
        state.ResumeTiming();
    }
    if (bool(f.control->get_Recordset()->get_EOF()) != (c == Case::Miss))
        state.SkipWithError("the key did not find what it was meant to");
}

// The resident set of the process, now and at its peak since the peak was
// last reset, in bytes.
struct Resident {
    double now = 0;
    double peak = 0;
};

Resident resident()
{
    std::ifstream status("/proc/self/status");
    Resident r;
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:"))
            r.now = std::stod(line.substr(6)) * 1024;
        else if (line.starts_with("VmHWM:"))
            r.peak = std::stod(line.substr(6)) * 1024;
    }
    return r;
}

void reset_peak_resident()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

void BM_KeyToText(benchmark::State& state, Case c)
{
    const auto rows = static_cast<double>(state.range(0));
    // What earlier benchmarks freed goes back first, or it would be counted
    // against this one's memory when the index build gives it back.
#ifdef __GLIBC__
    malloc_trim(0);
#endif
    reset_peak_resident();
    const Resident before = resident();
    TypingForm f(static_cast<std::size_t>(state.range(0)));
    f.bind();
    const Resident bound = resident();
    auto rs = f.control->get_Recordset();
    const auto [start, final] = last_name(f);
    // Warm: whatever the first search builds is in place, the key index
    // built away from the UI thread too (how long that took after the first
    // key is reported).
    f.set_text("Qq");
    f.key('X', U'x');
    const auto t0 = std::chrono::steady_clock::now();
    rs->wait_for_search_indexes();
    state.counters["index_ready_ms"]
        = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    state.counters["bytes_per_row"] = static_cast<double>(rs->bytes()) / rows;
    // The process's memory for the rows: after binding, once the key index
    // is complete, and at its peak on the way.
    const Resident indexed = resident();
    state.counters["rss_bound_per_row"] = (bound.now - before.now) / rows;
    state.counters["rss_indexed_per_row"] = (indexed.now - before.now) / rows;
    state.counters["rss_peak_per_row"] = (indexed.peak - before.now) / rows;
    for (auto _ : state) {
        state.PauseTiming();
        f.set_text(c == Case::Miss ? "Qq" : c == Case::Back ? "Qqx" : start);
        state.ResumeTiming();
        if (c == Case::Back)
            f.key(win::VK_BACK, U'\b');
        else
            f.key(c == Case::Miss ? 'X' : '0', c == Case::Miss ? U'x' : char32_t(final));
    }
    const bool found = !f.control->get_Recordset()->get_EOF();
    if (found != (c == Case::Late))
        state.SkipWithError("the key did not find what it was meant to");
}

BENCHMARK(BM_BindControl)->Apply(sizes);
// Each iteration binds anew outside the timing: a fixed number of them, or a
// fast first key would ask for thousands of bindings.
BENCHMARK(BM_FirstKeyAfterBind)->Apply(sizes)->Iterations(5)->UseManualTime();
BENCHMARK_CAPTURE(BM_KeyBeforeIndex, miss, Case::Miss)
    ->Apply(sizes)
    ->Iterations(5)
    ->UseManualTime();
BENCHMARK_CAPTURE(BM_KeyBeforeIndex, late, Case::Late)
    ->Apply(sizes)
    ->Iterations(5)
    ->UseManualTime();
BENCHMARK_CAPTURE(BM_KeyToText, miss, Case::Miss)->Apply(sizes);
BENCHMARK_CAPTURE(BM_KeyToText, late, Case::Late)->Apply(sizes);
BENCHMARK_CAPTURE(BM_KeyToText, back, Case::Back)->Apply(sizes);

} // namespace
