#pragma once
// The platform's standard font object (StdFont, dispatch interface
// IFontDisp). A font is shared by reference: every holder of the same
// StdFont sees a change at once, and holders that draw with it subscribe to
// hear of changes (to repaint). It stores itself in a property bag as its
// name, size, weight, italic, underline, strike-through and character set.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/Font.h"
#include "platform/host/Persistable.h"
#include "platform/vb/Object.h"
#include "platform/vb/Types.h"
#include "platform/vb/Variant.h"

namespace host {

class StdFont final : public vb::Object, public Persistable {
public:
    // Dispatch identifiers of IFontDisp.
    static constexpr vb::DispId DISPID_FONT_NAME = 0;
    static constexpr vb::DispId DISPID_FONT_SIZE = 2;
    static constexpr vb::DispId DISPID_FONT_BOLD = 3;
    static constexpr vb::DispId DISPID_FONT_ITALIC = 4;
    static constexpr vb::DispId DISPID_FONT_UNDER = 5;
    static constexpr vb::DispId DISPID_FONT_STRIKE = 6;
    static constexpr vb::DispId DISPID_FONT_WEIGHT = 7;
    static constexpr vb::DispId DISPID_FONT_CHARSET = 8;

    // A new font object (the host's default font unless given).
    [[nodiscard]] static std::shared_ptr<StdFont> create(gfx::Font font = gfx::default_font());
    explicit StdFont(gfx::Font font);

    [[nodiscard]] std::string_view type_name() const override { return "StdFont"; }

    // Setters raise 380 "Invalid property value" for: an empty name, one
    // longer than 31 bytes, not UTF-8 or with control characters; a size
    // that is not a number above 0 and at most 2048 points; a weight outside
    // 0..1000; a character set outside 0..255.
    [[nodiscard]] const std::string& get_Name() const { return m_font.name; }
    void let_Name(std::string_view New_Name);
    [[nodiscard]] vb::Single get_Size() const { return static_cast<vb::Single>(m_font.size); }
    void let_Size(vb::Single New_Size);
    [[nodiscard]] vb::Boolean get_Bold() const { return m_font.bold(); }
    void let_Bold(vb::Boolean New_Bold);
    [[nodiscard]] vb::Boolean get_Italic() const { return m_font.italic; }
    void let_Italic(vb::Boolean New_Italic);
    [[nodiscard]] vb::Boolean get_Underline() const { return m_font.underline; }
    void let_Underline(vb::Boolean New_Underline);
    [[nodiscard]] vb::Boolean get_Strikethrough() const { return m_font.strikethrough; }
    void let_Strikethrough(vb::Boolean New_Strikethrough);
    [[nodiscard]] vb::Integer get_Weight() const { return static_cast<vb::Integer>(m_font.weight); }
    void let_Weight(vb::Integer New_Weight);
    [[nodiscard]] vb::Integer get_Charset() const
    {
        return static_cast<vb::Integer>(m_font.charset);
    }
    void let_Charset(vb::Integer New_Charset);

    // The font as a value, for drawing and measuring.
    [[nodiscard]] const gfx::Font& font() const { return m_font; }
    // Takes every attribute of a font value at once (one notification);
    // raises 380 as the setters do, changing nothing.
    void assign(const gfx::Font& font);
    // A new, unshared object with the same attributes.
    [[nodiscard]] std::shared_ptr<StdFont> clone() const;

    // Calls `listener` after every change of an attribute, until the
    // returned token is dropped. Listeners run in subscription order; a
    // listener may drop tokens or subscribe during a notification.
    [[nodiscard]] std::shared_ptr<void> subscribe(std::function<void()> listener);

    // Dispatch by identifier (Get and Let of the IFontDisp properties).
    [[nodiscard]] std::optional<vb::DispId> id_of_name(std::string_view name) const override;
    vb::Variant invoke(vb::DispId id, vb::InvokeKind kind, std::span<vb::Variant> args) override;

    // Storing itself.
    [[nodiscard]] std::string_view persist_class() const override { return "StdFont"; }
    void save(PropertyBag& bag) const override;
    // What is wrong with a stored font ("" when nothing is); absent keys
    // take the default font's values.
    [[nodiscard]] static std::string problem(const PropertyBag& bag);
    // A font from a good bag; raises 380 describing the problem otherwise.
    [[nodiscard]] static std::shared_ptr<StdFont> from_bag(const PropertyBag& bag);

    // The problem with a font value, or "" (the setters' rules).
    [[nodiscard]] static std::string value_problem(const gfx::Font& font);

private:
    void change(gfx::Font font);

    gfx::Font m_font;
    std::vector<std::weak_ptr<std::function<void()>>> m_listeners;
};

using StdFontRef = std::shared_ptr<StdFont>;

} // namespace host
