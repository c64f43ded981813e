#include "platform/host/StdFont.h"

#include <array>
#include <cmath>

#include "platform/gfx/Utf8.h"
#include "platform/host/PropertyBag.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Dispatch.h"
#include "platform/vb/Error.h"

namespace host {

namespace {

using namespace vb::dispatch;
using F = StdFont;

// clang-format off
const auto k_members = std::to_array<Member<StdFont>>({
    {"Name", F::DISPID_FONT_NAME, Get | Let, [](F& f, Args) -> vb::Variant { return f.get_Name(); },
        [](F& f, Args a) { f.let_Name(vb::CStr(a.back())); }},
    {"Size", F::DISPID_FONT_SIZE, Get | Let, [](F& f, Args) -> vb::Variant { return f.get_Size(); },
        [](F& f, Args a) { f.let_Size(vb::CSng(a.back())); }},
    {"Bold", F::DISPID_FONT_BOLD, Get | Let, [](F& f, Args) -> vb::Variant { return f.get_Bold(); },
        [](F& f, Args a) { f.let_Bold(vb::CBool(a.back())); }},
    {"Italic", F::DISPID_FONT_ITALIC, Get | Let, [](F& f, Args) -> vb::Variant { return f.get_Italic(); },
        [](F& f, Args a) { f.let_Italic(vb::CBool(a.back())); }},
    {"Underline", F::DISPID_FONT_UNDER, Get | Let, [](F& f, Args) -> vb::Variant { return f.get_Underline(); },
        [](F& f, Args a) { f.let_Underline(vb::CBool(a.back())); }},
    {"Strikethrough", F::DISPID_FONT_STRIKE, Get | Let, [](F& f, Args) -> vb::Variant { return f.get_Strikethrough(); },
        [](F& f, Args a) { f.let_Strikethrough(vb::CBool(a.back())); }},
    {"Weight", F::DISPID_FONT_WEIGHT, Get | Let, [](F& f, Args) -> vb::Variant { return f.get_Weight(); },
        [](F& f, Args a) { f.let_Weight(vb::CInt(a.back())); }},
    {"Charset", F::DISPID_FONT_CHARSET, Get | Let, [](F& f, Args) -> vb::Variant { return f.get_Charset(); },
        [](F& f, Args a) { f.let_Charset(vb::CInt(a.back())); }},
});
// clang-format on

// The font a bag describes, or a description of what is wrong with it.
std::string read_font(const PropertyBag& bag, gfx::Font& font)
{
    font = gfx::default_font();
    auto name = bag.ReadProperty("Name", vb::Variant(font.name));
    if (!name.is_string())
        return "Name is not a text";
    font.name = name.as_string();
    auto number = [&](std::string_view key, double def, double& out) -> std::string {
        auto n = bag.ReadProperty(key, def).number();
        if (!n || !std::isfinite(*n))
            return std::string(key) + " is not a number";
        out = *n;
        return {};
    };
    double size = font.size;
    double weight = font.weight;
    double charset = font.charset;
    double italic = 0;
    double underline = 0;
    double strike = 0;
    for (auto problem : {number("Size", font.size, size), number("Weight", font.weight, weight),
             number("Charset", font.charset, charset), number("Italic", 0, italic),
             number("Underline", 0, underline), number("Strikethrough", 0, strike)}) {
        if (!problem.empty())
            return problem;
    }
    if (weight != std::floor(weight) || charset != std::floor(charset))
        return "Weight and Charset must be whole numbers";
    if (std::abs(weight) > 1e6 || std::abs(charset) > 1e6)
        return "Weight or Charset out of range";
    font.size = size;
    font.weight = static_cast<int>(weight);
    font.charset = static_cast<int>(charset);
    font.italic = italic != 0;
    font.underline = underline != 0;
    font.strikethrough = strike != 0;
    return StdFont::value_problem(font);
}

} // namespace

std::shared_ptr<StdFont> StdFont::create(gfx::Font font)
{
    if (auto problem = value_problem(font); !problem.empty())
        vb::raise(vb::err::InvalidPropertyValue, problem, "StdFont");
    return std::make_shared<StdFont>(std::move(font));
}

StdFont::StdFont(gfx::Font font) : m_font(std::move(font))
{
}

std::string StdFont::value_problem(const gfx::Font& font)
{
    if (font.name.empty() || font.name.size() > 31)
        return "Invalid font name: it must have 1 to 31 bytes";
    if (!gfx::is_valid_utf8(font.name))
        return "Invalid font name: not UTF-8";
    for (char c : font.name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return "Invalid font name: control character";
    }
    if (!std::isfinite(font.size) || font.size <= 0 || font.size > 2048)
        return "Invalid font size: it must lie above 0 and at most 2048 points";
    if (font.weight < 0 || font.weight > 1000)
        return "Invalid font weight: it must lie in 0..1000";
    if (font.charset < 0 || font.charset > 255)
        return "Invalid character set: it must lie in 0..255";
    return {};
}

void StdFont::change(gfx::Font font)
{
    if (auto problem = value_problem(font); !problem.empty())
        vb::raise(vb::err::InvalidPropertyValue, problem, "StdFont");
    if (font == m_font)
        return;
    m_font = std::move(font);
    // Listeners are collected first: one may subscribe while the others run
    // (it hears the next change), or drop a token (that listener does not
    // run any more). The running one is held, so dropping its own token is
    // safe.
    std::erase_if(m_listeners, [](const auto& w) { return w.expired(); });
    auto listeners = m_listeners;
    for (const auto& w : listeners) {
        if (auto l = w.lock())
            (*l)();
    }
}

void StdFont::let_Name(std::string_view New_Name)
{
    auto f = m_font;
    f.name = std::string(New_Name);
    change(std::move(f));
}

void StdFont::let_Size(vb::Single New_Size)
{
    auto f = m_font;
    f.size = New_Size;
    change(std::move(f));
}

void StdFont::let_Bold(vb::Boolean New_Bold)
{
    auto f = m_font;
    f.set_bold(New_Bold);
    change(std::move(f));
}

void StdFont::let_Italic(vb::Boolean New_Italic)
{
    auto f = m_font;
    f.italic = New_Italic;
    change(std::move(f));
}

void StdFont::let_Underline(vb::Boolean New_Underline)
{
    auto f = m_font;
    f.underline = New_Underline;
    change(std::move(f));
}

void StdFont::let_Strikethrough(vb::Boolean New_Strikethrough)
{
    auto f = m_font;
    f.strikethrough = New_Strikethrough;
    change(std::move(f));
}

void StdFont::let_Weight(vb::Integer New_Weight)
{
    auto f = m_font;
    f.weight = New_Weight;
    change(std::move(f));
}

void StdFont::let_Charset(vb::Integer New_Charset)
{
    auto f = m_font;
    f.charset = New_Charset;
    change(std::move(f));
}

void StdFont::assign(const gfx::Font& font)
{
    change(font);
}

std::shared_ptr<StdFont> StdFont::clone() const
{
    return std::make_shared<StdFont>(m_font);
}

std::shared_ptr<void> StdFont::subscribe(std::function<void()> listener)
{
    auto token = std::make_shared<std::function<void()>>(std::move(listener));
    m_listeners.push_back(token);
    return token;
}

std::optional<vb::DispId> StdFont::id_of_name(std::string_view name) const
{
    return vb::dispatch::id_of_name(k_members, name);
}

vb::Variant StdFont::invoke(vb::DispId id, vb::InvokeKind kind, std::span<vb::Variant> args)
{
    return vb::dispatch::invoke(k_members, *this, id, kind, args);
}

void StdFont::save(PropertyBag& bag) const
{
    bag.WriteProperty("Name", m_font.name);
    bag.WriteProperty("Size", static_cast<vb::Single>(m_font.size));
    bag.WriteProperty("Weight", static_cast<vb::Integer>(m_font.weight));
    bag.WriteProperty("Italic", vb::Boolean(m_font.italic));
    bag.WriteProperty("Underline", vb::Boolean(m_font.underline));
    bag.WriteProperty("Strikethrough", vb::Boolean(m_font.strikethrough));
    bag.WriteProperty("Charset", static_cast<vb::Integer>(m_font.charset));
}

std::string StdFont::problem(const PropertyBag& bag)
{
    gfx::Font font;
    return read_font(bag, font);
}

std::shared_ptr<StdFont> StdFont::from_bag(const PropertyBag& bag)
{
    gfx::Font font;
    if (auto p = read_font(bag, font); !p.empty())
        vb::raise(vb::err::InvalidPropertyValue, "StdFont: " + p, "StdFont");
    return std::make_shared<StdFont>(std::move(font));
}

} // namespace host
