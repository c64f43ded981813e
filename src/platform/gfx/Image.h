#pragma once
// A picture as plain pixels: width x height values 0xAARRGGBB, not
// premultiplied, rows top to bottom. Images are values (copying copies the
// pixels); the canvas draws them, optionally with one colour transparent.

#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/gfx/Color.h"

namespace gfx {

class Image {
public:
    // The largest width or height an image may have.
    static constexpr int k_max_side = 16384;

    Image() = default;
    // An opaque image filled with one colour; raises 380 for a negative
    // size or a side above k_max_side.
    Image(int width, int height, Rgb fill = {});

    [[nodiscard]] int width() const { return m_width; }
    [[nodiscard]] int height() const { return m_height; }
    [[nodiscard]] bool empty() const { return m_width == 0 || m_height == 0; }

    // Pixel access; raises 9 "Subscript out of range" outside the image.
    [[nodiscard]] Rgb pixel(int x, int y) const;
    [[nodiscard]] std::uint8_t alpha(int x, int y) const;
    void set_pixel(int x, int y, Rgb color, std::uint8_t alpha = 0xFF);

    [[nodiscard]] const std::vector<std::uint32_t>& argb() const { return m_pixels; }
    [[nodiscard]] std::vector<std::uint32_t>& argb() { return m_pixels; }

    // PNG files. Reading raises 53 for a missing file and 321 "Invalid file
    // format" for anything that is not a readable PNG; writing raises 75
    // "Path/File access error" naming the file when it cannot be written.
    [[nodiscard]] static Image read_png(const std::filesystem::path& path);
    void write_png(const std::filesystem::path& path) const;

    friend bool operator==(const Image&, const Image&) = default;

private:
    [[nodiscard]] std::size_t index(int x, int y) const;

    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_pixels;
};

} // namespace gfx
