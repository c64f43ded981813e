#pragma once
// What a control implements for the host: the lifecycle calls, its class
// name and its event table. The control lives on a control surface (its
// window, font, host services) that the host makes before the control and
// hands to its constructor, so the control can create its child windows on
// the surface at once.
//
// When the host calls what (see Site.cpp for the steps):
//  - creation: the constructor, then exactly one of InitProperties (a
//    control newly placed on a form) or ReadProperties (a control loaded
//    with stored properties), then Resize, then Show once the form shows;
//  - Resize whenever the surface's size changes;
//  - Show and Hide whenever the surface starts or stops being visible on
//    the screen (its own Visible, or the form shown or hidden);
//  - Paint whenever the surface is painted (surface().canvas() is valid
//    during the call);
//  - EnterFocus when the keyboard focus moves to the surface or any window
//    inside it from a window outside, ExitFocus when it leaves them all;
//    EnterFocus comes before the focused window's WM_SETFOCUS, ExitFocus
//    after the losing window's WM_KILLFOCUS;
//  - GotFocus and LostFocus when the surface window itself gets or loses
//    the focus;
//  - WriteProperties when the host saves the form;
//  - Terminate once, when the control or its form is destroyed, while the
//    control's windows still exist; the object is deleted after it.
// A lifecycle call that raises returns the error to the host's caller.

#include <functional>
#include <memory>
#include <span>
#include <string_view>

#include "platform/host/Events.h"
#include "platform/host/PropertyBag.h"

namespace host {

class ControlSurface;

class UserControl {
public:
    explicit UserControl(ControlSurface& surface) : m_surface(surface) {}
    UserControl(const UserControl&) = delete;
    UserControl& operator=(const UserControl&) = delete;
    virtual ~UserControl() = default;

    // The name a form file gives the control's class ("Pendrel.Morvex").
    [[nodiscard]] virtual std::string_view class_name() const = 0;
    // The events the control raises, for subscribing by name.
    [[nodiscard]] virtual std::span<const EventInfo> event_table() const { return {}; }

    virtual void InitProperties() {}
    virtual void ReadProperties(PropertyBag& /*PropBag*/) {}
    virtual void WriteProperties(PropertyBag& /*PropBag*/) {}
    virtual void Resize() {}
    virtual void Show() {}
    virtual void Hide() {}
    virtual void Paint() {}
    virtual void EnterFocus() {}
    virtual void ExitFocus() {}
    virtual void GotFocus() {}
    virtual void LostFocus() {}
    virtual void Terminate() {}

    [[nodiscard]] ControlSurface& surface() const { return m_surface; }

private:
    ControlSurface& m_surface;
};

// Makes a control on its surface.
using ControlFactory = std::function<std::unique_ptr<UserControl>(ControlSurface&)>;

} // namespace host
