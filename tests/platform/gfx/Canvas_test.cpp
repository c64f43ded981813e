#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <string>
#include <vector>

#include "platform/gfx/Canvas.h"
#include "platform/gfx/PangoText.h"
#include "platform/gfx/TextMetrics.h"
#include "platform/gfx/Utf8.h"
#include "support/RowName.h"
#include "support/gfx/Pixels.h"

namespace {

using gfx::Rgb;
using pendrel::test::count_color;
using pendrel::test::count_dark;
using pendrel::test::count_other;
using pendrel::test::ink_box;

constexpr Rgb k_white{0xFF, 0xFF, 0xFF};
constexpr Rgb k_black{0, 0, 0};
constexpr Rgb k_grey{0xC0, 0xC0, 0xC0};
constexpr gfx::OLE_COLOR k_red = gfx::RGB(0xFF, 0, 0);
constexpr int k_dpi = 96;

class CanvasTest : public ::testing::Test {
protected:
    CanvasTest() : surface(60, 40)
    {
        gfx::Canvas(surface, k_dpi).fill_rect({0, 0, 60, 40}, 0xFFFFFF);
    }
    gfx::Image image() const { return surface.to_image(); }

    gfx::Surface surface;
};

TEST_F(CanvasTest, ShapesCoverExactlyTheirPixels)
{
    {
        gfx::Canvas canvas(surface, k_dpi);
        canvas.fill_rect({10, 5, 20, 8}, k_red);
        canvas.frame_rect({2, 10, 12, 15}, 0);
        canvas.draw_line({20, 30}, {30, 30}, 0); // the end point is left out
        canvas.draw_line({40, 10}, {40, 5}, 0);
        canvas.draw_selection({0, 20, 10, 30});
        canvas.draw_focus_rect({45, 20, 55, 30});
    }
    const auto img = image();
    EXPECT_EQ(count_color(img, {10, 5, 20, 8}, {0xFF, 0, 0}), 30);
    EXPECT_EQ(count_color(img, {0, 0, 60, 40}, {0xFF, 0, 0}), 30) << "and nothing outside";
    EXPECT_EQ(count_color(img, {2, 10, 12, 15}, k_black), 2 * 10 + 2 * 3);
    EXPECT_EQ(count_color(img, {3, 11, 11, 14}, k_black), 0);
    EXPECT_EQ(count_color(img, {0, 30, 60, 31}, k_black), 10);
    EXPECT_EQ(img.pixel(30, 30), k_white);
    EXPECT_EQ(count_color(img, {40, 0, 41, 40}, k_black), 5);
    EXPECT_EQ(img.pixel(40, 5), k_white);
    EXPECT_EQ(img.pixel(40, 10), k_black);
    EXPECT_EQ(count_color(img, {0, 0, 60, 40}, {0, 0, 0x80}), 100) << "the selection";
    EXPECT_EQ(img.pixel(45, 20), k_black) << "the focus frame is dotted";
    EXPECT_EQ(img.pixel(46, 20), k_white);
    EXPECT_EQ(img.pixel(47, 20), k_black);
    EXPECT_EQ(count_color(img, {46, 21, 54, 29}, k_black), 0);
}

TEST_F(CanvasTest, OriginClipAndClipScopeBoundDrawing)
{
    {
        gfx::Canvas canvas(surface, {20, 10}, {20, 10, 30, 15}, k_dpi);
        EXPECT_EQ(canvas.clip_rect(), (win::RECT{0, 0, 10, 5}));
        {
            gfx::Canvas::ClipScope clip(canvas, {0, 0, 2, 2});
            canvas.fill_rect({-100, -100, 100, 100}, gfx::RGB(0, 0, 0xFF));
        }
        canvas.fill_rect({5, 0, 100, 100}, k_red); // the scope's clip is gone again
    }
    auto img = image();
    EXPECT_EQ(count_color(img, {0, 0, 60, 40}, {0, 0, 0xFF}), 4);
    EXPECT_EQ(count_color(img, {20, 10, 22, 12}, {0, 0, 0xFF}), 4);
    EXPECT_EQ(count_color(img, {0, 0, 60, 40}, {0xFF, 0, 0}), 25);
    EXPECT_EQ(count_color(img, {25, 10, 30, 15}, {0xFF, 0, 0}), 25);
}

TEST_F(CanvasTest, CheckerAlternatesByCanvasCoordinates)
{
    gfx::Canvas(surface, {1, 0}, {0, 0, 60, 40}, k_dpi).fill_checker({0, 0, 4, 2}, k_red, 0);
    const auto img = image();
    EXPECT_EQ(img.pixel(1, 0), (Rgb{0xFF, 0, 0})) << "canvas (0, 0): even";
    EXPECT_EQ(img.pixel(2, 0), k_black);
    EXPECT_EQ(img.pixel(1, 1), k_black);
    EXPECT_EQ(img.pixel(2, 1), (Rgb{0xFF, 0, 0}));
    EXPECT_EQ(count_color(img, {0, 0, 60, 40}, {0xFF, 0, 0}), 4);
    EXPECT_EQ(count_color(img, {0, 0, 60, 40}, k_black), 4);
}

struct EdgeCase {
    const char* name;
    gfx::Edge edge;
    Rgb outer_top_left, outer_bottom_right, inner_top_left, inner_bottom_right;
};

class CanvasEdge : public CanvasTest, public ::testing::WithParamInterface<EdgeCase> {};

TEST_P(CanvasEdge, UsesTheSystemColoursOfItsStyle)
{
    const auto& c = GetParam();
    gfx::Canvas(surface, k_dpi).draw_edge({10, 10, 30, 25}, c.edge);
    auto img = image();
    EXPECT_EQ(img.pixel(15, 10), c.outer_top_left);
    EXPECT_EQ(img.pixel(10, 15), c.outer_top_left);
    EXPECT_EQ(img.pixel(15, 24), c.outer_bottom_right);
    EXPECT_EQ(img.pixel(29, 15), c.outer_bottom_right);
    EXPECT_EQ(img.pixel(15, 11), c.inner_top_left);
    EXPECT_EQ(img.pixel(28, 15), c.inner_bottom_right);
    EXPECT_EQ(img.pixel(15, 15), k_white) << "the inside is left alone";
}

constexpr Rgb k_light{0xDF, 0xDF, 0xDF};
constexpr Rgb k_shadow{0x80, 0x80, 0x80};

INSTANTIATE_TEST_SUITE_P(Styles, CanvasEdge,
    ::testing::Values(EdgeCase{"Flat", gfx::Edge::Flat, k_black, k_black, k_white, k_white},
        EdgeCase{"Raised", gfx::Edge::Raised, k_light, k_black, k_white, k_shadow},
        EdgeCase{"Sunken", gfx::Edge::Sunken, k_shadow, k_white, k_black, k_light},
        EdgeCase{"Pressed", gfx::Edge::Pressed, k_black, k_black, k_shadow, k_shadow}),
    pendrel::test::RowName{});

TEST_F(CanvasTest, TextEvenBrokenIsDrawnInsideItsBoxAndNeverOutside)
{
    win::RECT box{5, 10, 25, 30}; // far too narrow for the text
    gfx::Canvas(surface, k_dpi)
        .draw_text(std::string("Clipped\0\xFF\xC3 text that is long", 28), box, gfx::Font{}, 0);
    auto img = image();
    EXPECT_GT(count_dark(img, box), 10);
    EXPECT_EQ(count_other(img, {0, 0, 60, 40}, k_white), count_other(img, box, k_white));
}

// The box around the ink of text drawn on a fresh 200 x 30 surface.
win::RECT ink_of(const char* text, win::RECT box, gfx::TextAlign align)
{
    gfx::Surface s(200, 30);
    gfx::Canvas canvas(s, k_dpi);
    canvas.fill_rect({0, 0, 200, 30}, 0xFFFFFF);
    canvas.draw_text(text, box, gfx::Font{}, 0, align);
    return *ink_box(s.to_image(), k_white);
}

TEST(CanvasText, AlignmentAndScrollingMoveTheInk)
{
    win::RECT all{0, 0, 200, 30};
    auto left = ink_of("Abc", all, {gfx::HAlign::Left, gfx::VAlign::Center});
    auto centre = ink_of("Abc", all, {gfx::HAlign::Center, gfx::VAlign::Center});
    auto right = ink_of("Abc", all, {gfx::HAlign::Right, gfx::VAlign::Center});
    auto top = ink_of("Abc", all, {gfx::HAlign::Left, gfx::VAlign::Top});
    int width = gfx::measure_text(gfx::Font{}, "Abc", k_dpi).width;
    EXPECT_LT(left.left, 3);
    EXPECT_NEAR(centre.left, (200 - width) / 2, 3);
    EXPECT_GT(right.right, 196);
    EXPECT_LT(top.top, left.top);
    EXPECT_NEAR((left.top + left.bottom) / 2.0, 15.0, 4.0) << "centred around the middle line";
    const auto plain = ink_of("WWWW", {10, 0, 200, 30}, {});
    const auto scrolled = ink_of("WWWW", {10, 0, 200, 30}, {.scroll_x = 5});
    EXPECT_EQ(scrolled.right, plain.right - 5);
    EXPECT_EQ(scrolled.left, 10) << "scrolled text is clipped at the box's left edge";
}

TEST_F(CanvasTest, TransparentColourLeavesTheBackground)
{
    gfx::Image picture(4, 4, k_grey);
    picture.set_pixel(1, 1, k_black);
    picture.set_pixel(2, 2, {0, 0, 0xFF});
    {
        gfx::Canvas canvas(surface, k_dpi);
        canvas.draw_image(picture, {10, 10}, gfx::RGB(0xC0, 0xC0, 0xC0));
        canvas.draw_image(picture, {30, 10});
        canvas.draw_image_centered(picture, {0, 20, 10, 30}, gfx::vbButtonFace); // system colour
    }
    auto img = image();
    EXPECT_EQ(img.pixel(11, 11), k_black);
    EXPECT_EQ(img.pixel(12, 12), (Rgb{0, 0, 0xFF}));
    EXPECT_EQ(count_color(img, {10, 10, 14, 14}, k_white), 14);
    EXPECT_EQ(count_color(img, {30, 10, 34, 14}, k_grey), 14)
        << "without a key nothing is left out";
    EXPECT_EQ(img.pixel(4, 24), k_black) << "centred";
    EXPECT_EQ(count_other(img, {0, 20, 10, 30}, k_white), 2);
}

// Text drawn again from its kept coverage has Pango's own pixels, in any
// colour, through any clip: each case is drawn by the canvas and, over the
// same background, by Pango through Cairo with the same origin and clips.
// Cases that repeat a text meet the coverage kept by the one before.
struct KeptTextCase {
    const char* name;
    const char* text;
    gfx::Font font;
    gfx::OLE_COLOR ink;
    gfx::OLE_COLOR back;
    win::RECT box;
    int scroll_x;
    win::RECT clip; // surface pixels; the canvas's origin is (3, 2)
};

// The case drawn by the canvas, or by Pango through Cairo.
gfx::Image drawn_by(bool canvas_draws, const KeptTextCase& c)
{
    constexpr win::POINT origin{3, 2};
    const win::RECT all{0, 0, 160, 40};
    gfx::Surface s(all.right, all.bottom);
    gfx::Canvas canvas(s, origin, c.clip, k_dpi);
    canvas.fill_rect({-origin.x, -origin.y, all.right, all.bottom}, c.back);
    const gfx::TextAlign align{gfx::HAlign::Left, gfx::VAlign::Top, c.scroll_x};
    if (canvas_draws) {
        canvas.draw_text(c.text, c.box, c.font, c.ink, align);
        return s.to_image();
    }
    const gfx::detail::LayoutPtr layout = gfx::detail::make_layout(
        gfx::detail::drawing_context(k_dpi), c.font, gfx::valid_utf8(c.text));
    PangoRectangle logical{};
    pango_layout_get_pixel_extents(layout.get(), nullptr, &logical);
    cairo_t* cr = cairo_create(s.cairo());
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_rectangle(cr, c.clip.left, c.clip.top, c.clip.width(), c.clip.height());
    cairo_clip(cr);
    cairo_translate(cr, origin.x, origin.y);
    cairo_rectangle(cr, c.box.left, c.box.top, c.box.width(), c.box.height());
    cairo_clip(cr);
    const Rgb ink = gfx::paint_color(c.ink);
    cairo_set_source_rgb(cr, ink.r / 255.0, ink.g / 255.0, ink.b / 255.0);
    cairo_move_to(cr, c.box.left - c.scroll_x - logical.x, c.box.top - logical.y);
    pango_cairo_show_layout(cr, layout.get());
    cairo_destroy(cr);
    return s.to_image();
}

class CanvasKeptText : public ::testing::TestWithParam<KeptTextCase> {};

TEST_P(CanvasKeptText, DrawsWhatPangoDraws)
{
    const auto& c = GetParam();
    const gfx::Image pango = drawn_by(false, c);
    EXPECT_EQ(drawn_by(true, c), pango);
    EXPECT_GT(count_other(pango, {0, 0, 160, 40}, gfx::paint_color(c.back)), 0)
        << "the case draws something";
}

gfx::Font font_of(
    const char* name, double size, int weight, bool italic, bool underline, bool strikethrough)
{
    gfx::Font f;
    f.name = name;
    f.size = size;
    f.weight = weight;
    f.italic = italic;
    f.underline = underline;
    f.strikethrough = strikethrough;
    return f;
}

const gfx::Font k_plain{};
const gfx::Font k_bold_large = font_of("Arial", 14, gfx::FW_BOLD, false, false, false);
const gfx::Font k_italic_under = font_of("Times New Roman", 11, gfx::FW_NORMAL, true, true, false);
const gfx::Font k_struck = font_of("Courier New", 9, gfx::FW_NORMAL, false, false, true);
const win::RECT k_whole{0, 0, 160, 40};

INSTANTIATE_TEST_SUITE_P(Cases, CanvasKeptText,
    ::testing::Values(
        KeptTextCase{"Plain", "Combo Row 17", k_plain, 0, 0xFFFFFF, {4, 2, 150, 22}, 0, k_whole},
        KeptTextCase{"SameTextOtherColours", "Combo Row 17", k_plain, gfx::vbHighlightText,
            gfx::vbHighlight, {4, 2, 150, 22}, 0, k_whole},
        KeptTextCase{"KernedAndTouchingGlyphs", "ffi AVA To. Wj", k_bold_large, k_red,
            gfx::RGB(0xC0, 0xC0, 0xC0), {1, 3, 150, 35}, 0, k_whole},
        KeptTextCase{"CutByItsBox", "Italic underlined gjy", k_italic_under, gfx::RGB(0, 0, 0x80),
            gfx::RGB(0xFF, 0xFF, 0xE0), {10, 4, 70, 14}, 0, k_whole},
        KeptTextCase{"CutByTheCanvasClip", "Struck 0123 qp", k_struck, 0xFFFFFF,
            gfx::RGB(0, 0, 0x80), {0, 0, 150, 30}, 0, {20, 6, 90, 15}},
        KeptTextCase{"Scrolled", "Scrolled text that runs on", k_plain, 0, 0xFFFFFF,
            {12, 5, 80, 25}, 9, k_whole},
        KeptTextCase{"DigitsAndSpacesAround", "  1234.50 ", k_plain, 0, 0xFFFFFF, {2, 2, 150, 30},
            0, k_whole},
        KeptTextCase{"AccentedLatin", "G\u00f6ini Tor\u0144 \u00c9vora \u0141\u00f3d\u017a",
            k_bold_large, 0, 0xFFFFFF, {2, 2, 150, 30}, 0, k_whole},
        KeptTextCase{"RightToLeftAndMarks", "abc \u05e9\u05dc\u05d5\u05dd e\u0301", k_plain, 0,
            0xFFFFFF, {2, 2, 150, 30}, 0, k_whole},
        KeptTextCase{"BrokenBytesAndBreaks", "bad \xFF byte\nnext\tcell", k_plain, 0, 0xFFFFFF,
            {2, 2, 150, 30}, 0, k_whole}),
    pendrel::test::RowName{});

// Every character plain text may have, a few at a time, in faces that lay
// glyphs out differently: each text as Pango draws it, digits and
// punctuation alone as well as among letters.
TEST(CanvasPlainText, EveryPlainCharacterDrawsWhatPangoDraws)
{
    std::vector<std::string> texts;
    std::string letters;
    std::string others;
    for (char32_t c = 0x21; c < 0x240; c = c == 0x7E ? 0xC0 : c + 1) {
        std::string& to = (c < 0x80 && !std::isalpha(static_cast<int>(c))) ? others : letters;
        std::array<char, 8> bytes{};
        to.append(bytes.data(), static_cast<std::size_t>(g_unichar_to_utf8(c, bytes.data())));
    }
    for (const std::string* all : {&letters, &others}) {
        for (std::size_t at = 0; at < all->size(); at += 18) {
            std::string text = all->substr(at, 18);
            while (!gfx::is_valid_utf8(text)) // a character cut in two
                text.pop_back();
            texts.push_back(text + " fi" + (all == &others ? "" : " AV"));
        }
    }
    for (const gfx::Font& font :
        {k_plain, k_bold_large, font_of("Times New Roman", 10, 400, true, false, false)}) {
        for (const std::string& text : texts) {
            const KeptTextCase c{
                "", text.c_str(), font, 0, 0xFFFFFF, {2, 2, 158, 38}, 0, {0, 0, 160, 40}};
            EXPECT_EQ(drawn_by(true, c), drawn_by(false, c)) << font.name << ": " << text;
        }
    }
}

} // namespace
