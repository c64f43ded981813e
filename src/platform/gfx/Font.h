#pragma once
// A font by value: face, size in points, weight and styles, character set.
// Faces that Linux lacks ("MS Sans Serif", "Tahoma", "Courier New" ...)
// resolve to an installed DejaVu face by a fixed table, so that the same
// text measures and draws the same on every machine with the project's
// fonts installed; any other face is used when fontconfig has it and falls
// back to "DejaVu Sans" otherwise.

#include <string>
#include <string_view>

namespace gfx {

inline constexpr int FW_NORMAL = 400;
inline constexpr int FW_BOLD = 700;

struct Font {
    std::string name = "MS Sans Serif";
    double size = 8.25; // points
    int weight = FW_NORMAL;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int charset = 0; // kept and stored; text is UTF-8 whatever the character set

    // Weights from semibold (600) up count as bold.
    [[nodiscard]] bool bold() const { return weight >= 600; }
    void set_bold(bool b) { weight = b ? FW_BOLD : FW_NORMAL; }

    friend bool operator==(const Font&, const Font&) = default;
};

// The host's default font: "MS Sans Serif", 8.25 points, regular.
[[nodiscard]] inline Font default_font()
{
    return Font{};
}

// The installed family a face name draws with (see the class comment).
// Deterministic: the same name gives the same family on every call.
[[nodiscard]] std::string resolve_face(std::string_view name);

// Whether fontconfig has a family of exactly this name (case-insensitive).
[[nodiscard]] bool face_is_installed(std::string_view name);

} // namespace gfx
