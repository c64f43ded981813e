#include "Script.h"

#include <SDL.h>
#include <glib.h>

#include <array>
#include <cctype>
#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "OrderForm.h"
#include "platform/present/KeyMap.h"
#include "platform/vb/Ascii.h"
#include "platform/win/User32.h"

namespace demo {

namespace {

struct Word {
    std::string_view name;
    Action::Kind kind;
    bool needs_argument;
};

constexpr std::array k_words{Word{"move", Action::Kind::move, true},
    Word{"click", Action::Kind::click, true},
    Word{"double-click", Action::Kind::double_click, true},
    Word{"right-click", Action::Kind::right_click, true}, Word{"wheel", Action::Kind::wheel, true},
    Word{"type", Action::Kind::type, true}, Word{"key", Action::Kind::key, true},
    Word{"wait-idle", Action::Kind::wait_idle, false},
    Word{"snapshot", Action::Kind::snapshot, true}, Word{"quit", Action::Kind::quit, false}};

struct KeyName {
    std::string_view name;
    int vk;
};

constexpr std::array k_key_names{KeyName{"Backspace", 8}, KeyName{"Tab", 9}, KeyName{"Enter", 13},
    KeyName{"Return", 13}, KeyName{"Shift", 16}, KeyName{"Ctrl", 17}, KeyName{"Alt", 18},
    KeyName{"Escape", 27}, KeyName{"Esc", 27}, KeyName{"Space", 32}, KeyName{"PageUp", 33},
    KeyName{"PageDown", 34}, KeyName{"End", 35}, KeyName{"Home", 36}, KeyName{"Left", 37},
    KeyName{"Up", 38}, KeyName{"Right", 39}, KeyName{"Down", 40}, KeyName{"Insert", 45},
    KeyName{"Delete", 46}};

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

[[noreturn]] void fail(std::string_view name, int line, const std::string& what)
{
    throw std::runtime_error(std::string(name) + ":" + std::to_string(line) + ": " + what);
}

Action parse_line(std::string_view text, std::string_view name, int line)
{
    const auto space = text.find_first_of(" \t");
    const std::string_view word = text.substr(0, space);
    const std::string_view rest = space == std::string_view::npos ? "" : trim(text.substr(space));
    for (const Word& w : k_words) {
        if (w.name != word)
            continue;
        if (w.needs_argument == rest.empty())
            fail(name, line,
                std::string(word) + (rest.empty() ? " needs " : " takes no ") + "argument");
        return Action{w.kind, std::string(rest), line};
    }
    fail(name, line, "unknown action '" + std::string(word) + "'");
}

std::vector<std::string_view> words(std::string_view text)
{
    std::vector<std::string_view> out;
    while (!(text = trim(text)).empty()) {
        const auto end = text.find_first_of(" \t");
        out.push_back(text.substr(0, end));
        text = end == std::string_view::npos ? "" : text.substr(end);
    }
    return out;
}

} // namespace

std::vector<Action> parse_script(std::string_view text, std::string_view name)
{
    std::vector<Action> actions;
    int line = 0;
    while (!text.empty()) {
        ++line;
        const auto end = text.find('\n');
        const std::string_view row = trim(text.substr(0, end));
        text = end == std::string_view::npos ? "" : text.substr(end + 1);
        if (!row.empty() && row.front() != '#')
            actions.push_back(parse_line(row, name, line));
    }
    return actions;
}

std::vector<Action> read_script(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read the script " + file.string());
    std::ostringstream text;
    text << in.rdbuf();
    return parse_script(text.str(), file.string());
}

int key_named(std::string_view name)
{
    for (const KeyName& k : k_key_names) {
        if (vb::iequals(k.name, name))
            return k.vk;
    }
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return std::toupper(static_cast<unsigned char>(name[0]));
    if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f')) {
        int n = 0;
        const auto [end, ec] = std::from_chars(name.data() + 1, name.data() + name.size(), n);
        if (ec == std::errc{} && end == name.data() + name.size() && n >= 1 && n <= 12)
            return 0x6F + n;
    }
    return 0;
}

ScriptPlayer::ScriptPlayer(const OrderForm& form, Sink sink, int scale)
    : m_form(form), m_sink(std::move(sink)), m_scale(scale)
{
}

void ScriptPlayer::run(const Action& a)
{
    switch (a.kind) {
    case Action::Kind::move:
        return move(a);
    case Action::Kind::click:
    case Action::Kind::double_click:
    case Action::Kind::right_click: {
        move(a);
        const int which = a.kind == Action::Kind::right_click ? SDL_BUTTON_RIGHT : SDL_BUTTON_LEFT;
        for (int i = a.kind == Action::Kind::double_click ? 2 : 1; i > 0; --i) {
            button(true, which);
            button(false, which);
        }
        return;
    }
    case Action::Kind::wheel: {
        SDL_Event e{};
        e.type = SDL_MOUSEWHEEL;
        e.wheel.y = std::stoi(a.argument);
        e.wheel.mouseX = m_at.x * m_scale;
        e.wheel.mouseY = m_at.y * m_scale;
        return send(e);
    }
    case Action::Kind::type:
        return type(a.argument);
    case Action::Kind::key:
        return keys(a);
    case Action::Kind::wait_idle:
        return on_wait_idle ? on_wait_idle() : void();
    case Action::Kind::snapshot:
        return on_snapshot ? on_snapshot(a.argument) : void();
    case Action::Kind::quit:
        return on_quit ? on_quit() : void();
    }
}

void ScriptPlayer::move(const Action& a)
{
    win::POINT p{};
    const auto parts = words(a.argument);
    if (parts.size() == 2) {
        p = {std::stoi(std::string(parts[0])), std::stoi(std::string(parts[1]))};
    } else if (const auto named = m_form.point_of(a.argument)) {
        p = *named;
    } else {
        fail("script", a.line, "no '" + a.argument + "' on the screen");
    }
    m_at = p;
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = p.x * m_scale;
    e.motion.y = p.y * m_scale;
    send(e);
}

void ScriptPlayer::button(bool down, int which)
{
    const win::POINT p = m_at;
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = static_cast<Uint8>(which);
    e.button.x = p.x * m_scale;
    e.button.y = p.y * m_scale;
    send(e);
}

// Per character, as a keyboard types it: a letter, digit or space is its
// key (with Shift for a capital) and the character; anything else only the
// character, as an input method gives it.
void ScriptPlayer::type(std::string_view utf8)
{
    const char* end = utf8.data() + utf8.size();
    for (const char* p = utf8.data(); p < end; p = g_utf8_next_char(p)) {
        const std::string one(p, static_cast<std::size_t>(g_utf8_next_char(p) - p));
        const auto c = static_cast<unsigned char>(one[0]);
        const bool keyed = one.size() == 1 && (std::isalnum(c) || c == ' ');
        const bool shifted = keyed && std::isupper(c);
        const int vk = keyed ? std::toupper(c) : 0;
        if (shifted)
            key(win::VK_SHIFT, true);
        if (keyed)
            key(vk, true);
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        SDL_strlcpy(e.text.text, one.c_str(), sizeof e.text.text);
        send(e);
        if (keyed)
            key(vk, false);
        if (shifted)
            key(win::VK_SHIFT, false);
    }
}

// Each word a key pressed and released; "Shift+Tab" holds the modifiers
// around it.
void ScriptPlayer::keys(const Action& a)
{
    for (std::string_view word : words(a.argument)) {
        std::vector<int> held;
        for (auto plus = word.find('+'); plus != std::string_view::npos && plus + 1 < word.size();
             plus = word.find('+')) {
            held.push_back(key_named(word.substr(0, plus)));
            word = word.substr(plus + 1);
        }
        held.push_back(key_named(word));
        for (int vk : held) {
            if (vk == 0)
                fail("script", a.line, "unknown key in '" + a.argument + "'");
        }
        for (int vk : held)
            key(vk, true);
        for (auto it = held.rbegin(); it != held.rend(); ++it)
            key(*it, false);
    }
}

void ScriptPlayer::key(int vk, bool down)
{
    if (vk == win::VK_SHIFT)
        m_shift = down;
    if (vk == win::VK_CONTROL)
        m_ctrl = down;
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = present::sdl_key(vk);
    e.key.keysym.mod = static_cast<Uint16>((m_shift ? KMOD_LSHIFT : 0) | (m_ctrl ? KMOD_LCTRL : 0));
    send(e);
}

void ScriptPlayer::send(SDL_Event& e)
{
    m_clock += 10;
    e.common.timestamp = m_clock;
    m_sink(e);
}

} // namespace demo
