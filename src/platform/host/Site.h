#pragma once
// A control's place on a form: its surface window, the control object, its
// extender, the events the host subscribes to and the properties it said
// changed. The form makes and owns sites; the control reaches its site
// through its surface.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host/ControlSurface.h"
#include "platform/host/Events.h"
#include "platform/host/Extender.h"
#include "platform/host/PropertyBag.h"
#include "platform/host/UserControl.h"
#include "platform/win/Types.h"

namespace gfx {
class Canvas;
}

namespace host {

class Form;

// A rectangle in twips: where an extender places a control.
struct TwipsRect {
    vb::Single left = 0;
    vb::Single top = 0;
    vb::Single width = 0;
    vb::Single height = 0;
};

class Site {
public:
    // The window class of control surfaces.
    static constexpr const char* k_surface_class = "PendrelControlSurface";

    Site(Form& form, std::string name);
    Site(const Site&) = delete;
    Site& operator=(const Site&) = delete;
    // Terminates the control if that has not happened, deletes it and
    // destroys the surface window.
    ~Site();

    [[nodiscard]] const std::string& name() const { return m_name; }
    [[nodiscard]] Form& form() const { return m_form; }
    [[nodiscard]] UserControl& control() const { return *m_control; }
    [[nodiscard]] ControlSurface& surface() { return m_surface; }
    [[nodiscard]] win::HWND hwnd() const { return m_hwnd; }
    [[nodiscard]] Extender extender() const { return Extender(m_hwnd); }
    [[nodiscard]] EventHub& events() { return m_events; }

    // Every name the control passed to PropertyChanged, in order.
    [[nodiscard]] const std::vector<std::string>& changed_properties() const { return m_changed; }
    [[nodiscard]] bool terminated() const { return m_terminated; }
    // Whether a call into the control or an event of it is running.
    [[nodiscard]] bool busy() const { return m_calls > 0; }

    // Creation (Form uses these): the surface window in the form's client
    // area, then the control, then InitProperties (no bag) or
    // ReadProperties, then Resize; then the surface is shown.
    void create(const ControlFactory& factory, const TwipsRect& rect, PropertyBag* bag);
    // Calls Terminate once; the quiet form drops an error (for destructors).
    void terminate();
    void terminate_quietly() noexcept;
    // WriteProperties into a new bag.
    [[nodiscard]] PropertyBag write_properties();

    // The surface or a window inside it.
    [[nodiscard]] bool contains(win::HWND hwnd) const;
    // Called by the focus tracker with the window that now has the focus.
    void focus_moved(win::HWND focus, bool exits);
    // Show or Hide when the surface's visibility on the screen changed.
    void update_shown();
    void record_property_change(std::string_view name);

    // Counts a call into or out of the control while it lives.
    class Call {
    public:
        explicit Call(Site& site) : m_site(site) { ++m_site.m_calls; }
        Call(const Call&) = delete;
        Call& operator=(const Call&) = delete;
        ~Call() { --m_site.m_calls; }

    private:
        Site& m_site;
    };

private:
    static win::LRESULT surface_proc(win::HWND, win::UINT, win::WPARAM, win::LPARAM);
    void on_paint(gfx::Canvas& canvas);
    // A lifecycle call without arguments, while the control is live.
    void lifecycle(void (UserControl::*call)());
    void check_resize();

    Form& m_form;
    std::string m_name;
    win::HWND m_hwnd = 0;
    ControlSurface m_surface;
    EventHub m_events;
    std::unique_ptr<UserControl> m_control;
    std::vector<std::string> m_changed;
    win::RECT m_last_client{};
    bool m_shown = false;
    bool m_focus_inside = false;
    bool m_terminated = false;
    bool m_created = false;
    int m_calls = 0;
};

} // namespace host
