#pragma once
// A form: a top-level window that holds controls, each on its site. The
// form creates controls (first-time or from stored properties), destroys
// them, shows and hides them with itself, and saves and loads their
// property bags through the form file.
//
// NOTE: a control removed while its own code is running (from a handler of
// one of its events, say) is hidden and terminated at once, but deleted
// only from the message queue, when no code of its is on the stack. A form
// itself must not be destroyed from inside one of its controls' calls.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host/FormFile.h"
#include "platform/host/Site.h"
#include "platform/host/UserControl.h"
#include "platform/win/Types.h"

namespace host {

// The control classes a form file can name, by class name
// (case-insensitive).
class ControlClasses {
public:
    void add(std::string class_name, ControlFactory factory);
    [[nodiscard]] const ControlFactory* find(std::string_view class_name) const;

private:
    std::vector<std::pair<std::string, ControlFactory>> m_classes;
};

class Form {
public:
    static constexpr const char* k_form_class = "PendrelForm";

    // A hidden top-level window at a screen rectangle (pixels).
    explicit Form(std::string name, win::RECT screen_rect = {0, 0, 640, 480});
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    // Terminates every control (latest first) while the windows still
    // exist, then deletes the controls and destroys the window.
    ~Form();

    [[nodiscard]] win::HWND hwnd() const { return m_hwnd; }
    [[nodiscard]] const std::string& name() const { return m_name; }

    // Places a new control (InitProperties) or one with stored properties
    // (ReadProperties) at a rectangle of the client area, in twips. Raises
    // 380 for an empty name or one another control has. If the control
    // fails while it is made, it is terminated and removed again and the
    // error reaches the caller.
    Site& add_control(std::string name, const ControlFactory& factory, const TwipsRect& rect);
    Site& load_control(
        std::string name, const ControlFactory& factory, const TwipsRect& rect, PropertyBag& bag);
    // Terminates and deletes a control (see the NOTE above); an unknown name
    // raises 5.
    void remove_control(std::string_view name);

    [[nodiscard]] Site* find(std::string_view name) const;
    [[nodiscard]] std::vector<Site*> sites() const;

    void Show();
    void Hide();

    // Whether a control reported a changed property since the last save.
    [[nodiscard]] bool dirty() const { return m_dirty; }
    void mark_dirty() { m_dirty = true; }

    // The controls' bags (WriteProperties of each, in creation order).
    [[nodiscard]] FormRecord record();
    // Writes the record to a form file atomically and clears dirty.
    void save(const std::filesystem::path& path);
    // A form with the controls of a form file, each made by its class's
    // factory and given its stored bag. An unknown class raises 321 naming
    // the file and the control before any control is made.
    [[nodiscard]] static std::unique_ptr<Form> load(const std::filesystem::path& path,
        const ControlClasses& classes, win::RECT screen_rect = {0, 0, 640, 480});

private:
    static win::LRESULT form_proc(win::HWND, win::UINT, win::WPARAM, win::LPARAM);
    Site& place(
        std::string name, const ControlFactory& factory, const TwipsRect& rect, PropertyBag* bag);
    void update_shown();
    void terminate_all();
    void delete_pending();

    std::string m_name;
    win::HWND m_hwnd = 0;
    std::vector<std::unique_ptr<Site>> m_sites;
    std::vector<std::unique_ptr<Site>> m_pending; // removed while busy
    bool m_dirty = false;
};

} // namespace host
