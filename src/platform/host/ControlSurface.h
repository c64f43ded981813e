#pragma once
// The control surface: what the host gives a control to stand on. It
// carries the control's window, its Enabled state, its own font and back
// colour, its inner size, text measurement, Refresh and PopupMenu, and the
// host services RaiseEvent and PropertyChanged.

#include <array>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/Color.h"
#include "platform/host/Events.h"
#include "platform/host/Extender.h"
#include "platform/host/StdFont.h"
#include "platform/vb/Variant.h"
#include "platform/win/Types.h"

namespace gfx {
class Canvas;
}

namespace host {

class Site;

// One call of PopupMenu, with its arguments as given (left-out ones
// Missing).
struct PopupMenuCall {
    vb::Variant Menu;
    vb::Variant Flags;
    vb::Variant X;
    vb::Variant Y;
    vb::Variant DefaultMenu;
};

class ControlSurface {
public:
    explicit ControlSurface(Site& site);
    ControlSurface(const ControlSurface&) = delete;
    ControlSurface& operator=(const ControlSurface&) = delete;

    [[nodiscard]] win::HWND get_hWnd() const;
    [[nodiscard]] vb::Boolean get_Enabled() const;
    void let_Enabled(vb::Boolean New_Enabled);

    // The surface's own font object, shared by reference: the default is
    // "MS Sans Serif", 8.25 points, regular. A change of the object repaints
    // the surface. Setting nothing raises 424 "Object required".
    [[nodiscard]] const StdFontRef& get_Font() const { return m_font; }
    void set_Font(StdFontRef New_Font);
    [[nodiscard]] std::string get_FontName() const { return m_font->get_Name(); }
    [[nodiscard]] vb::Single get_FontSize() const { return m_font->get_Size(); }
    [[nodiscard]] vb::Boolean get_FontBold() const { return m_font->get_Bold(); }
    [[nodiscard]] vb::Boolean get_FontItalic() const { return m_font->get_Italic(); }
    [[nodiscard]] vb::Boolean get_FontUnderline() const { return m_font->get_Underline(); }

    // Painted before Paint runs; 0x8000000F (button face) at first. Raises
    // 380 for a value that is not a colour.
    [[nodiscard]] gfx::OLE_COLOR get_BackColor() const { return m_back_color; }
    void let_BackColor(gfx::OLE_COLOR New_BackColor);

    // The inner (client) size in twips.
    [[nodiscard]] vb::Single get_ScaleWidth() const;
    [[nodiscard]] vb::Single get_ScaleHeight() const;
    // A text's size in twips in the surface's font.
    [[nodiscard]] vb::Single TextWidth(std::string_view Str) const;
    [[nodiscard]] vb::Single TextHeight(std::string_view Str) const;

    // Repaints the surface and its children now (Paint runs before it
    // returns).
    void Refresh();

    // Records the call (popup_menu_calls); there are no menus to show yet,
    // so nothing appears. A missing Menu raises 449 "Argument not optional".
    // FIXME: show a real menu once menus exist.
    void PopupMenu(const vb::Variant& Menu, const vb::Variant& Flags = vb::Missing,
        const vb::Variant& X = vb::Missing, const vb::Variant& Y = vb::Missing,
        const vb::Variant& DefaultMenu = vb::Missing);
    [[nodiscard]] const std::vector<PopupMenuCall>& popup_menu_calls() const
    {
        return m_popup_calls;
    }

    // Raises an event to the host; arguments are by reference.
    void RaiseEvent(vb::DispId id, std::span<vb::Variant> args = {});
    template <class... Args> void raise(vb::DispId id, Args&... args)
    {
        std::array<vb::Variant, sizeof...(Args)> vars{vb::Variant(args)...};
        RaiseEvent(id, vars);
        std::size_t i = 0;
        ((args = detail::from_variant<Args>(vars[i++])), ...);
    }

    // Tells the host that a stored property changed: the name is recorded
    // and the form needs saving.
    void PropertyChanged(std::string_view PropertyName);

    // The control's own extender (where the host placed it).
    [[nodiscard]] Extender get_Extender() const { return Extender(get_hWnd()); }

    // The canvas of the paint in progress, or nullptr outside Paint.
    [[nodiscard]] gfx::Canvas* canvas() const { return m_canvas; }

    [[nodiscard]] Site& site() const { return m_site; }

private:
    friend class Site;

    Site& m_site;
    StdFontRef m_font;
    std::shared_ptr<void> m_font_subscription;
    gfx::OLE_COLOR m_back_color = gfx::vbButtonFace;
    std::vector<PopupMenuCall> m_popup_calls;
    gfx::Canvas* m_canvas = nullptr;
};

} // namespace host
