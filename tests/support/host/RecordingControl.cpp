#include "support/host/RecordingControl.h"

#include <array>

#include "platform/host/PropertyBag.h"
#include "platform/vb/Convert.h"
#include "platform/win/User32.h"

namespace pendrel::test {

namespace {

constexpr std::array k_events{
    host::EventInfo{RecordingControl::k_click, "Click", 0},
    host::EventInfo{RecordingControl::k_moved, "Moved", 2},
};

} // namespace

RecordingControl::RecordingControl(
    host::ControlSurface& surface, std::string name, std::vector<std::string>& log)
    : host::UserControl(surface), m_name(std::move(name)), m_log(log)
{
    win::RegisterClassA(win::WNDCLASS{k_child_class, &win::DefWindowProcA});
    child = win::CreateWindowExA(0, k_child_class, m_name + ".child",
        win::WS_CHILD | win::WS_VISIBLE, 1, 1, 10, 10, surface.get_hWnd());
    note("Create");
}

RecordingControl::~RecordingControl()
{
    note("Delete");
}

host::ControlFactory RecordingControl::factory(std::string name, std::vector<std::string>& log)
{
    return [name, &log](host::ControlSurface& surface) {
        return std::make_unique<RecordingControl>(surface, name, log);
    };
}

std::span<const host::EventInfo> RecordingControl::event_table() const
{
    return k_events;
}

void RecordingControl::note(const std::string& call)
{
    m_log.push_back(m_name + "." + call);
    if (during)
        during(call);
}

void RecordingControl::InitProperties()
{
    count = 7;
    note("InitProperties");
}

void RecordingControl::ReadProperties(host::PropertyBag& PropBag)
{
    caption = vb::CStr(PropBag.ReadProperty("Caption", ""));
    count = vb::CLng(PropBag.ReadProperty("Count", vb::Long{7}));
    auto stored = PropBag.ReadProperty("Font", surface().get_Font());
    font = std::dynamic_pointer_cast<host::StdFont>(stored.as_object());
    note("ReadProperties");
}

void RecordingControl::WriteProperties(host::PropertyBag& PropBag)
{
    PropBag.WriteProperty("Caption", caption, "");
    PropBag.WriteProperty("Count", count, vb::Integer{7});
    PropBag.WriteProperty("Font", font, surface().get_Font());
    note("WriteProperties");
}

void RecordingControl::Resize()
{
    note("Resize " + std::to_string(static_cast<int>(surface().get_ScaleWidth())) + "x"
        + std::to_string(static_cast<int>(surface().get_ScaleHeight())));
}

void RecordingControl::Paint()
{
    painted_with_canvas = surface().canvas() != nullptr;
    note("Paint");
}

} // namespace pendrel::test
