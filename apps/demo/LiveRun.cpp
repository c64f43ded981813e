#include <SDL_events.h>

#include <iostream>
#include <optional>
#include <vector>

#include "OrderForm.h"
#include "Runs.h"
#include "Script.h"
#include "platform/gfx/Compositor.h"
#include "platform/present/Presenter.h"

namespace demo {

namespace {

// Plays one action each time the window has nothing left to do; a failing
// action ends the script, not the demo.
struct IdleScript {
    std::vector<Action> actions;
    std::size_t next = 0;

    void attach(present::Presenter& presenter, ScriptPlayer& play)
    {
        presenter.on_idle = [this, &presenter, &play] {
            if (next >= actions.size()) {
                presenter.on_idle = nullptr;
                return;
            }
            try {
                play.run(actions[next++]);
            } catch (const std::exception& e) {
                std::cerr << "pendrel-demo: " << e.what() << '\n';
                next = actions.size();
            }
        };
    }
};

} // namespace

int run_live(OrderForm& form, const Options& options)
{
    present::Presenter presenter({"Pendrel demo", options.scale});
    std::cout << "  window:        " << k_display_width << " x " << k_display_height << " at scale "
              << presenter.scale() << ", id " << presenter.window_id() << '\n';
    for (const auto& [name, p] : form.named_points())
        std::cout << "  point:         " << name << ' ' << p.x << ' ' << p.y << '\n';
    std::optional<ScriptPlayer> play;
    IdleScript script;
    if (options.script) {
        play.emplace(
            form, [](SDL_Event& e) { SDL_PushEvent(&e); }, presenter.scale());
        play->on_snapshot = [](const std::filesystem::path& file) {
            gfx::Compositor::the().screen().write_png(file);
            std::cout << "  snapshot:      " << file.string() << '\n';
        };
        play->on_quit = [&] { presenter.close(); };
        script.actions = read_script(*options.script);
        script.attach(presenter, *play);
    }
    presenter.update();
    std::cout << "  ready\n";
    presenter.run();
    return 0;
}

} // namespace demo
