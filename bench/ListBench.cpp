// Sizing and opening a Morvex's list over 100 and over a million rows. The
// size computation reads only the row count and the columns, and opening
// places a window and paints the displayed rows, so both sizes should cost
// the same: the report compares BM_SizeList/1000000 with BM_SizeList/100,
// and the same for BM_OpenList.
//
// The row source is opened once per size, outside the timing: opening the
// rows is the data layer's work (BM_OpenRecordset).

#include <benchmark/benchmark.h>

#include <memory>

#include "BenchDatabase.h"
#include "pendrel/Morvex.h"
#include "platform/host/Form.h"
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

} // namespace

BENCHMARK(BM_SizeList)->Arg(100)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenList)->Arg(100)->Arg(1000000)->Unit(benchmark::kMicrosecond);
