// A key typed into the live window, from the key event entering the
// presenter to the frame presented, over 100 and over a million rows
// (SDL's dummy video driver: everything but the display server's own
// copy). The control's list is open, so the frame carries the list
// following the typed text as well as the text itself. Each iteration
// types the second letter of a name: key down, its text and key up, pushed
// into SDL's queue, then the presenter reads, delivers, renders what
// changed and presents it.
// Reports the frames and the drawn pixels per key, and the 50th and 90th
// percentiles of the single keys in the thread's processor time (p50_ms,
// p90_ms: one repetition's median hides the slow keys; processor time,
// because on a shared machine the wall clock mostly measures the others) and
// in wall time (p50_wall_ms, p90_wall_ms); and BM_IdleWait, a wait
// with nothing to do, which must present nothing.

#include <benchmark/benchmark.h>

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "BenchDatabase.h"
#include "pendrel/Morvex.h"
#include "platform/controls/CommandButton.h"
#include "platform/controls/TextBox.h"
#include "platform/grid/DataGrid.h"
#include "platform/host/Form.h"
#include "platform/present/Presenter.h"
#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"

namespace {

struct LiveForm {
    explicit LiveForm(std::size_t rows)
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        win::WindowManager::reset();
        win::WindowManager::the().set_display({880, 560, {0, 0, 880, 560}, 96});
        form = std::make_unique<host::Form>("frmBench", win::RECT{0, 0, 880, 560});
        control = &pendrel::Morvex::of(
            form->add_control("cboBench", pendrel::Morvex::factory(), {240, 510, 4500, 375}));
        control->let_ScreenWidth(13200);
        control->let_AutoExpand(true);
        control->let_ColumnWidths("0;20;6;6;6;8");
        control->let_CnStr(pendrel::bench::bench_connection_string(rows));
        control->let_RowSource("SELECT id, name, code, qty, price, created FROM t ORDER BY name");
        form->Show();
        presenter = std::make_unique<present::Presenter>(present::Options{"bench", 1});
        presenter->on_present = [this](const std::vector<win::RECT>& rects) {
            for (const auto& r : rects)
                pixels += static_cast<long>(r.width()) * r.height();
        };
        control->txtFieldCmb().SetFocus();
        win::RECT b{};
        win::GetWindowRect(control->DropdownButton().get_hWnd(), &b);
        const win::POINT at{(b.left + b.right) / 2, (b.top + b.bottom) / 2};
        auto& wm = win::WindowManager::the();
        wm.inject_mouse_move(at);
        wm.inject_button_down(at);
        wm.inject_button_up(at);
        presenter->wait(0);
    }
    LiveForm(const LiveForm&) = delete;
    LiveForm& operator=(const LiveForm&) = delete;
    ~LiveForm()
    {
        presenter.reset();
        form.reset();
        win::WindowManager::reset();
    }
    std::unique_ptr<host::Form> form;
    pendrel::Morvex* control = nullptr;
    std::unique_ptr<present::Presenter> presenter;
    long pixels = 0;
};

double thread_ms()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

// The q-th quantile of the values, sorted in place.
double quantile(std::vector<double>& values, double q)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(q * static_cast<double>(values.size() - 1))];
}

void push_key(SDL_Keycode key, const char* text)
{
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = key;
    SDL_PushEvent(&e);
    SDL_Event t{};
    t.type = SDL_TEXTINPUT;
    SDL_strlcpy(t.text.text, text, sizeof t.text.text);
    SDL_PushEvent(&t);
    e.type = SDL_KEYUP;
    SDL_PushEvent(&e);
}

void type(present::Presenter& presenter, char letter)
{
    const char text[2] = {letter, '\0'};
    push_key(SDLK_a + (letter - 'a'), text);
    presenter.wait(0);
}

// Types each start but its last letter outside the timing, then the last
// one, which completes the text and moves the list, inside.
void keys_to_frames(benchmark::State& state, const std::vector<std::string>& starts)
{
    LiveForm f(static_cast<std::size_t>(state.range(0)));
    std::size_t next = 0;
    long frames = 0;
    long pixels = 0;
    std::vector<double> keys_ms;
    std::vector<double> keys_wall_ms;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string& start = starts[next++ % starts.size()];
        f.control->txtFieldCmb().let_Text("");
        for (std::size_t i = 0; i + 1 < start.size(); ++i)
            type(*f.presenter, start[i]);
        const long frames_before = f.presenter->frames();
        const long pixels_before = f.pixels;
        state.ResumeTiming();
        const auto t0 = std::chrono::steady_clock::now();
        const double c0 = thread_ms();
        type(*f.presenter, start.back());
        const double c1 = thread_ms();
        const auto t1 = std::chrono::steady_clock::now();
        state.PauseTiming();
        keys_ms.push_back(c1 - c0);
        keys_wall_ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        frames += f.presenter->frames() - frames_before;
        pixels += f.pixels - pixels_before;
        state.ResumeTiming();
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["p50_ms"] = quantile(keys_ms, 0.5);
    state.counters["p90_ms"] = quantile(keys_ms, 0.9);
    state.counters["p50_wall_ms"] = quantile(keys_wall_ms, 0.5);
    state.counters["p90_wall_ms"] = quantile(keys_wall_ms, 0.9);
    state.counters["frames_per_key"] = static_cast<double>(frames) / n;
    state.counters["pixels_per_key"] = static_cast<double>(pixels) / n;
    state.counters["list_open"] = win::IsWindowVisible(f.control->DropdownList().get_hWnd());
}

// The second letter of one of six names.
void BM_KeyToFrame(benchmark::State& state)
{
    keys_to_frames(state, {"ba", "be", "ko", "sc", "da", "ze"});
}

// The letter after a surname's start, over about six hundred starts and
// letters that all complete: the list moves to rows mostly never drawn
// before, whose text is laid out and rasterised.
void BM_KeyToFrameUnseenRows(benchmark::State& state)
{
    static constexpr const char* k_firsts[]
        = {"ber", "bak", "dijk", "jans", "kow", "lind", "nov", "schm", "vis", "wes", "zel", "gar",
            "ros", "duf", "kar", "hof", "brou", "smed", "ott", "pel", "quin", "rad", "sto", "ter",
            "ulr", "val", "wij", "yil", "zim", "ahl", "cz", "dom", "eck", "fal", "hav"};
    static constexpr const char k_nexts[] = "smeoihbkadqwrlvtu";
    std::vector<std::string> starts;
    for (const char* first : k_firsts) {
        for (const char* next = k_nexts; *next != '\0'; ++next)
            starts.push_back(std::string(first) + *next);
    }
    keys_to_frames(state, starts);
}

// Waiting with nothing to do: no frame.
void BM_IdleWait(benchmark::State& state)
{
    LiveForm f(100);
    const long before = f.presenter->frames();
    for (auto _ : state)
        f.presenter->wait(0);
    state.counters["frames"] = static_cast<double>(f.presenter->frames() - before);
}

} // namespace

BENCHMARK(BM_KeyToFrame)->Arg(100)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeyToFrameUnseenRows)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IdleWait)->Unit(benchmark::kMicrosecond);
