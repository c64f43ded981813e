#pragma once
// A control for host tests: it records every lifecycle call in a shared
// log ("Name.Call"), keeps a few stored properties (Caption, Count, Font),
// has a child window on its surface that can take the focus, and
// lets a test act inside any lifecycle call.

#include <functional>
#include <string>
#include <vector>

#include "platform/host/ControlSurface.h"
#include "platform/host/StdFont.h"
#include "platform/host/UserControl.h"
#include "platform/win/Types.h"

namespace pendrel::test {

class RecordingControl : public host::UserControl {
public:
    static constexpr const char* k_class = "Test.Recording";
    static constexpr const char* k_child_class = "PendrelTestChild";
    // Events: 1 Click(), 3 Moved(X, Y).
    static constexpr vb::DispId k_click = 1;
    static constexpr vb::DispId k_moved = 3;

    RecordingControl(
        host::ControlSurface& surface, std::string name, std::vector<std::string>& log);
    ~RecordingControl() override;

    // A factory that makes one for a form, logging to `log`.
    static host::ControlFactory factory(std::string name, std::vector<std::string>& log);

    [[nodiscard]] std::string_view class_name() const override { return k_class; }
    [[nodiscard]] std::span<const host::EventInfo> event_table() const override;

    void InitProperties() override;
    void ReadProperties(host::PropertyBag& PropBag) override;
    void WriteProperties(host::PropertyBag& PropBag) override;
    void Resize() override;
    void Show() override { note("Show"); }
    void Hide() override { note("Hide"); }
    void Paint() override;
    void EnterFocus() override { note("EnterFocus"); }
    void ExitFocus() override { note("ExitFocus"); }
    void GotFocus() override { note("GotFocus"); }
    void LostFocus() override { note("LostFocus"); }
    void Terminate() override { note("Terminate"); }

    // Runs inside the named lifecycle call, after it is logged.
    std::function<void(const std::string& call)> during;

    std::string caption;
    vb::Long count = 0;
    host::StdFontRef font = host::StdFont::create();
    win::HWND child = 0;
    bool painted_with_canvas = false;

private:
    void note(const std::string& call);

    std::string m_name;
    std::vector<std::string>& m_log;
};

} // namespace pendrel::test
