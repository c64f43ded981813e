// Sizing and opening a Morvex's list over 100 and over a million rows (ten
// million too for opening, a pick and a hover when PENDREL_BENCH_10M is
// set). The size computation reads only the row count and the columns, and
// opening places a window and paints the displayed rows, so every size
// should cost the same: the report compares BM_SizeList/1000000 with
// BM_SizeList/100, and the same for the others. Moving the pointer over the
// open list (BM_HoverSameRow, BM_HoverNextRow) reads only the displayed rows
// too, and within one row repaints nothing. BM_HoverSameRowPaint and
// BM_HoverNextRowPaint take the move on to the pixels: the damage it made is
// rendered by the compositor (what the live presenter does before it copies
// to the window), and they report the pixels painted per move.
//
// The row source is opened once per size, outside the timing: opening the
// rows is the data layer's work (BM_OpenRecordset).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "BenchDatabase.h"
#include "pendrel/Morvex.h"
#include "platform/gfx/Compositor.h"
#include "platform/grid/DataGrid.h"
#include "platform/host/Form.h"
#include "platform/present/Damage.h"
#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"

namespace {

// A form with a Morvex bound to the benchmark table of `rows` rows.
struct ListForm {
    explicit ListForm(std::size_t rows)
    {
        win::WindowManager::reset();
        form = std::make_unique<host::Form>("frmBench", win::RECT{100, 100, 700, 500});
        control = &pendrel::Morvex::of(
            form->add_control("cboBench", pendrel::Morvex::factory(), {120, 120, 4200, 375}));
        control->let_ScreenWidth(28800);
        control->let_RowHeight(210);
        control->let_ColumnWidths("0;12;4;6;6;8");
        control->let_CnStr(pendrel::bench::bench_connection_string(rows));
        control->let_RowSource("SELECT id, name, code, qty, price, created FROM t");
        form->Show();
    }
    ListForm(const ListForm&) = delete;
    ListForm& operator=(const ListForm&) = delete;
    ~ListForm()
    {
        form.reset();
        win::WindowManager::reset();
    }
    std::unique_ptr<host::Form> form;
    pendrel::Morvex* control = nullptr;
};

// ColumnWidths Let runs the whole size computation: columns, height, width
// and the placement.
void BM_SizeList(benchmark::State& state)
{
    ListForm f(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        f.control->let_ColumnWidths("0;12;4;6;6;8");
}

// One opening and one closing.
void BM_OpenList(benchmark::State& state)
{
    ListForm f(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        vb::Integer open = 1;
        f.control->ShowDropDown(open);
        vb::Integer close = 0;
        f.control->ShowDropDown(close);
    }
}

// The screen point of displayed row `row` of the open list.
win::POINT row_point(pendrel::Morvex& control, int row, int x)
{
    auto& list = control.DropdownList();
    win::RECT r{};
    win::GetWindowRect(list.get_hWnd(), &r);
    for (int y = 0; y < r.height(); ++y) {
        if (list.RowContaining(static_cast<vb::Single>(y * 15)) == row)
            return {r.left + x, r.top + y + 3};
    }
    return {r.left + x, r.top + 3};
}

// A mouse move over the open list, injected and delivered: within the
// highlighted row (which must repaint nothing), or to the next row (which
// repaints the two rows). Reports the invalidations per move.
void hover(benchmark::State& state, bool next_row, bool paint = false)
{
    ListForm f(static_cast<std::size_t>(state.range(0)));
    vb::Integer open = 1;
    f.control->ShowDropDown(open);
    auto& wm = win::WindowManager::the();
    const win::POINT a = row_point(*f.control, 2, 40);
    const win::POINT b = next_row ? row_point(*f.control, 3, 40) : row_point(*f.control, 2, 60);
    wm.inject_mouse_move(a);
    win::PumpMessages();
    auto& compositor_screen = gfx::Compositor::the();
    (void)compositor_screen.screen();
    std::unique_ptr<present::DamageTracker> damage;
    if (paint) {
        damage = std::make_unique<present::DamageTracker>();
        (void)damage->take();
    }
    long pixels = 0;
    long invalidations = 0;
    auto compositor = wm.on_invalidate;
    wm.on_invalidate = [&](win::HWND h) {
        ++invalidations;
        if (compositor)
            compositor(h);
    };
    auto compositor_part = wm.on_invalidate_part;
    wm.on_invalidate_part = [&](win::HWND h, const win::RECT& part) {
        ++invalidations;
        if (compositor_part)
            compositor_part(h, part);
    };
    bool at_a = true;
    for (auto _ : state) {
        wm.inject_mouse_move(at_a ? b : a);
        win::PumpMessages();
        if (damage && !damage->empty()) {
            damage->set_painting(true);
            for (const auto& r : damage->take()) {
                compositor_screen.render(r);
                pixels += static_cast<long>(r.width()) * r.height();
            }
            damage->set_painting(false);
        }
        at_a = !at_a;
    }
    wm.on_invalidate = compositor;
    wm.on_invalidate_part = compositor_part;
    damage.reset();
    if (paint) {
        state.counters["pixels_per_move"]
            = static_cast<double>(pixels) / static_cast<double>(state.iterations());
    }
    state.counters["repaints_per_move"]
        = static_cast<double>(invalidations) / static_cast<double>(state.iterations());
}

void BM_HoverSameRow(benchmark::State& state)
{
    hover(state, false);
}

void BM_HoverNextRow(benchmark::State& state)
{
    hover(state, true);
}

void BM_HoverSameRowPaint(benchmark::State& state)
{
    hover(state, false, true);
}

void BM_HoverNextRowPaint(benchmark::State& state)
{
    hover(state, true, true);
}

// Opening the list, then a click on its fourth displayed row: the list
// closes and the row's text, value and events follow. Every iteration picks
// a row other than the current one.
void BM_OpenAndPick(benchmark::State& state)
{
    ListForm f(static_cast<std::size_t>(state.range(0)));
    auto& wm = win::WindowManager::the();
    vb::Integer open = 1;
    f.control->ShowDropDown(open);
    const win::POINT pick = row_point(*f.control, 3, 40);
    vb::Integer close = 0;
    f.control->ShowDropDown(close);
    const win::HWND list = f.control->DropdownList().get_hWnd();
    long picked = 0;
    for (auto _ : state) {
        open = 1;
        f.control->ShowDropDown(open);
        wm.inject_button_down(pick);
        wm.inject_button_up(pick);
        win::PumpMessages();
        picked += win::IsWindowVisible(list) ? 0 : 1;
    }
    if (picked != static_cast<long>(state.iterations()) || f.control->get_Text().empty())
        state.SkipWithError("a click did not pick a row");
}

void list_sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(100)->Arg(1000000);
    if (std::getenv("PENDREL_BENCH_10M") != nullptr)
        b->Arg(10000000);
    b->Unit(benchmark::kMicrosecond);
}

} // namespace

BENCHMARK(BM_HoverSameRowPaint)->Arg(100)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HoverNextRowPaint)->Arg(100)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HoverSameRow)->Arg(100)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HoverNextRow)->Apply(list_sizes);
BENCHMARK(BM_SizeList)->Arg(100)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenList)->Apply(list_sizes);
BENCHMARK(BM_OpenAndPick)->Apply(list_sizes);
