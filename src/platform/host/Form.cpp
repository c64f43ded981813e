#include "platform/host/Form.h"

#include <algorithm>

#include "platform/vb/Ascii.h"
#include "platform/vb/Error.h"
#include "platform/win/User32.h"

namespace host {

namespace {

constexpr win::UINT k_delete_pending = win::WM_USER + 0x100;

// Removes a site again unless dismissed.
class UndoPlace {
public:
    UndoPlace(std::vector<std::unique_ptr<Site>>& sites, Site& site) : m_sites(sites), m_site(&site)
    {
    }
    UndoPlace(const UndoPlace&) = delete;
    UndoPlace& operator=(const UndoPlace&) = delete;
    ~UndoPlace()
    {
        if (m_site)
            std::erase_if(m_sites, [this](const auto& s) { return s.get() == m_site; });
    }
    void dismiss() { m_site = nullptr; }

private:
    std::vector<std::unique_ptr<Site>>& m_sites;
    Site* m_site;
};

} // namespace

void ControlClasses::add(std::string class_name, ControlFactory factory)
{
    for (auto& [name, f] : m_classes) {
        if (vb::iequals(name, class_name)) {
            f = std::move(factory);
            return;
        }
    }
    m_classes.emplace_back(std::move(class_name), std::move(factory));
}

const ControlFactory* ControlClasses::find(std::string_view class_name) const
{
    for (const auto& [name, f] : m_classes) {
        if (vb::iequals(name, class_name))
            return &f;
    }
    return nullptr;
}

Form::Form(std::string name, win::RECT screen_rect) : m_name(std::move(name))
{
    win::RegisterClassA(win::WNDCLASS{k_form_class, &form_proc});
    m_hwnd = win::CreateWindowExA(0, k_form_class, m_name, win::WS_OVERLAPPED, screen_rect.left,
        screen_rect.top, screen_rect.width(), screen_rect.height(), 0);
    if (m_hwnd == 0)
        vb::raise(vb::err::InvalidProcedureCall, "Cannot create the form's window", "Form");
    win::SetWindowData(m_hwnd, this);
}

Form::~Form()
{
    for (auto it = m_sites.rbegin(); it != m_sites.rend(); ++it)
        (*it)->terminate_quietly();
    m_pending.clear();
    while (!m_sites.empty())
        m_sites.pop_back(); // latest first; each destroys its surface
    if (win::IsWindow(m_hwnd) && win::GetWindowData(m_hwnd) == this) {
        win::SetWindowData(m_hwnd, nullptr);
        win::DestroyWindow(m_hwnd);
    }
}

void Form::terminate_all()
{
    for (auto it = m_sites.rbegin(); it != m_sites.rend(); ++it)
        (*it)->terminate();
}

Site& Form::place(
    std::string name, const ControlFactory& factory, const TwipsRect& rect, PropertyBag* bag)
{
    if (name.empty() || find(name))
        vb::raise(vb::err::InvalidPropertyValue,
            name.empty() ? "A control needs a name" : "A control named " + name + " exists",
            "Form");
    auto site = std::make_unique<Site>(*this, std::move(name));
    Site& placed = *site;
    m_sites.push_back(std::move(site));
    // If creation fails, the half-made control goes again (terminated, its
    // window destroyed) and the caller gets the error as it was.
    UndoPlace undo(m_sites, placed);
    placed.create(factory, rect, bag);
    undo.dismiss();
    return placed;
}

Site& Form::add_control(std::string name, const ControlFactory& factory, const TwipsRect& rect)
{
    return place(std::move(name), factory, rect, nullptr);
}

Site& Form::load_control(
    std::string name, const ControlFactory& factory, const TwipsRect& rect, PropertyBag& bag)
{
    return place(std::move(name), factory, rect, &bag);
}

void Form::remove_control(std::string_view name)
{
    auto it = std::find_if(m_sites.begin(), m_sites.end(),
        [&](const auto& s) { return vb::iequals(s->name(), name); });
    if (it == m_sites.end())
        vb::raise(vb::err::InvalidProcedureCall, "No control named " + std::string(name), "Form");
    std::unique_ptr<Site> site = std::move(*it);
    m_sites.erase(it);
    if (!site->busy())
        return; // deleted here: terminated, then its window destroyed
    win::ShowWindow(site->hwnd(), win::SW_HIDE);
    site->terminate();
    m_pending.push_back(std::move(site));
    win::PostMessageA(m_hwnd, k_delete_pending, 0, 0);
}

void Form::delete_pending()
{
    std::erase_if(m_pending, [](const auto& s) { return !s->busy(); });
    if (!m_pending.empty())
        win::PostMessageA(m_hwnd, k_delete_pending, 0, 0);
}

Site* Form::find(std::string_view name) const
{
    for (const auto& s : m_sites) {
        if (vb::iequals(s->name(), name))
            return s.get();
    }
    return nullptr;
}

std::vector<Site*> Form::sites() const
{
    std::vector<Site*> out;
    for (const auto& s : m_sites)
        out.push_back(s.get());
    return out;
}

void Form::Show()
{
    win::ShowWindow(m_hwnd, win::SW_SHOW);
}

void Form::Hide()
{
    win::ShowWindow(m_hwnd, win::SW_HIDE);
}

// A handler may remove controls meanwhile: each is looked up again, by
// address, before it is told.
void Form::update_shown()
{
    for (Site* s : sites()) {
        bool still_here = std::any_of(
            m_sites.begin(), m_sites.end(), [s](const auto& p) { return p.get() == s; });
        if (still_here)
            s->update_shown();
    }
}

FormRecord Form::record()
{
    FormRecord rec{m_name, {}};
    for (Site* s : sites()) {
        FormControlRecord c;
        c.class_name = std::string(s->control().class_name());
        c.name = s->name();
        auto ext = s->extender();
        c.left = ext.get_Left();
        c.top = ext.get_Top();
        c.width = ext.get_Width();
        c.height = ext.get_Height();
        c.bag = s->write_properties();
        rec.controls.push_back(std::move(c));
    }
    return rec;
}

void Form::save(const std::filesystem::path& path)
{
    save_form_file(path, record());
    m_dirty = false;
}

std::unique_ptr<Form> Form::load(
    const std::filesystem::path& path, const ControlClasses& classes, win::RECT screen_rect)
{
    FormRecord rec = load_form_file(path);
    for (const auto& c : rec.controls) {
        if (!classes.find(c.class_name))
            vb::raise(vb::err::InvalidFileFormat,
                path.string() + ": control " + c.name + " has an unknown class " + c.class_name,
                "Form");
    }
    auto form = std::make_unique<Form>(rec.name, screen_rect);
    for (auto& c : rec.controls)
        form->load_control(
            c.name, *classes.find(c.class_name), {c.left, c.top, c.width, c.height}, c.bag);
    return form;
}

// The form's procedure: visibility changes reach every control; a posted
// note deletes controls removed while they were busy; destruction
// terminates the controls while their windows still exist.
win::LRESULT Form::form_proc(win::HWND hwnd, win::UINT msg, win::WPARAM wparam, win::LPARAM lparam)
{
    auto* form = static_cast<Form*>(win::GetWindowData(hwnd));
    if (!form)
        return win::DefWindowProcA(hwnd, msg, wparam, lparam);
    switch (msg) {
    case win::WM_WINDOWPOSCHANGED:
        win::DefWindowProcA(hwnd, msg, wparam, lparam);
        if (auto* again = static_cast<Form*>(win::GetWindowData(hwnd)))
            again->update_shown();
        return 0;
    case k_delete_pending:
        form->delete_pending();
        return 0;
    case win::WM_DESTROY:
        form->terminate_all();
        return 0;
    default:
        return win::DefWindowProcA(hwnd, msg, wparam, lparam);
    }
}

} // namespace host
