// Binding and painting a grid over 100 and over a million rows. The grid
// reads only the rows it displays, so both sizes should cost the same: the
// report compares BM_BindGrid/1000000 with BM_BindGrid/100, and the same
// for BM_PaintGrid.
//
// The recordset is opened once per size, outside the timing: opening is the
// data layer's work (BM_OpenRecordset), not the grid's.

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "BenchDatabase.h"
#include "platform/ado/AdoConstants.h"
#include "platform/ado/Recordset.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Surface.h"
#include "platform/grid/DataGrid.h"
#include "platform/grid/DataSource.h"
#include "platform/grid/SelBookmarks.h"
#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"

namespace {

// Hands the same open recordset to every binding.
class OpenSource final : public vb::Object, public grid::DataSource {
public:
    explicit OpenSource(std::shared_ptr<ado::Recordset> rs) : m_rs(std::move(rs)) {}
    [[nodiscard]] std::string_view type_name() const override { return "OpenSource"; }
    void Class_GetDataMember(const std::string&, vb::Variant& Data) override { Data = m_rs; }

private:
    std::shared_ptr<ado::Recordset> m_rs;
};

std::shared_ptr<OpenSource> source_of(std::size_t rows)
{
    static std::map<std::size_t, std::shared_ptr<OpenSource>> sources;
    auto& source = sources[rows];
    if (!source) {
        auto rs = std::make_shared<ado::Recordset>();
        rs->let_CursorLocation(ado::adUseClient);
        rs->Open(vb::Variant("SELECT id, name, code, qty, price, created FROM t"),
            vb::Variant(pendrel::bench::bench_connection_string(rows)), ado::adOpenStatic,
            ado::adLockReadOnly);
        source = std::make_shared<OpenSource>(std::move(rs));
    }
    return source;
}

// A form with a grid of 600 x 300 pixels on a fresh desktop.
struct Form {
    Form()
    {
        win::WindowManager::reset();
        win::RegisterClassA(win::WNDCLASS{"PendrelBenchForm", &win::DefWindowProcA});
        form = win::CreateWindowExA(0, "PendrelBenchForm", "", win::WS_VISIBLE, 0, 0, 800, 600, 0);
        grid = grid::DataGrid::create(form, {10, 10, 612, 312});
    }
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    ~Form()
    {
        grid.reset();
        win::WindowManager::reset();
    }
    win::HWND form = 0;
    std::shared_ptr<grid::DataGrid> grid;
};

void BM_BindGrid(benchmark::State& state)
{
    const auto source = source_of(static_cast<std::size_t>(state.range(0)));
    Form f;
    for (auto _ : state) {
        f.grid->set_DataSource(vb::Variant(source));
        benchmark::DoNotOptimize(f.grid->get_VisibleRows());
    }
    state.counters["rows"] = static_cast<double>(f.grid->get_ApproxCount());
}

// The rows in the middle of the recordset, one of them selected.
void BM_PaintGrid(benchmark::State& state)
{
    const auto rows = static_cast<std::size_t>(state.range(0));
    Form f;
    f.grid->set_DataSource(vb::Variant(source_of(rows)));
    f.grid->Scroll(0, static_cast<vb::Long>(rows / 2));
    f.grid->get_SelBookmarks()->Add(f.grid->RowBookmark(1));
    gfx::Surface surface(602, 302);
    for (auto _ : state) {
        gfx::Canvas canvas(surface);
        win::SendMessageA(f.grid->get_hWnd(), win::WM_PAINT, gfx::wparam_of(canvas), 0);
    }
    state.counters["rows"] = static_cast<double>(f.grid->get_ApproxCount());
}

} // namespace

BENCHMARK(BM_BindGrid)->Arg(100)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintGrid)->Arg(100)->Arg(1000000)->Unit(benchmark::kMicrosecond);
