#pragma once
// The drawing surface the chart painter and the graph kinds draw on: lines, rectangles, text
// with its metrics, fonts and image blits, in device pixels. Texts are CP932 bytes; a Qt
// surface converts them at its boundary, a recording one keeps them for tests.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lorvanel {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

// A rectangle by its edges; right and bottom are exclusive as in a window's client rectangle.
struct SurfaceRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const SurfaceRect&) const = default;
};

// A font request. The face is a CP932 name; a surface that lacks the face picks a stand-in
// (a Japanese proportional face, or a small fixed-pitch face when fixedPitch is set).
struct FontSpec {
    std::string face;
    int height = 12;      // cell height in pixels
    int averageWidth = 0; // 0: the face's own
    int weight = 400;     // 400 normal, 700 bold
    bool fixedPitch = false;
    bool operator==(const FontSpec&) const = default;
};

struct TextSize {
    int width = 0;
    int height = 0;
    bool operator==(const TextSize&) const = default;
};

// An image of packed 0xRRGGBB pixels, row 0 at the top.
struct SurfaceImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // width * height
    std::uint32_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

class Surface {
public:
    virtual ~Surface() = default;

    // Selects the font of the following text calls and measurements.
    virtual void setFont(const FontSpec& font) = 0;
    virtual const FontSpec& font() const = 0;

    // A solid line of the given pen width from (x1, y1) to (x2, y2).
    virtual void drawLine(int x1, int y1, int x2, int y2, Rgb colour, int width) = 0;
    // Fills the rectangle (right and bottom exclusive).
    virtual void fillRect(const SurfaceRect& rect, Rgb colour) = 0;
    // A 1-px outline on the rectangle's edges (the right and bottom edge lines lie at
    // right - 1 and bottom - 1).
    virtual void frameRect(const SurfaceRect& rect, Rgb colour) = 0;

    // Size of one line of text in the current font.
    virtual TextSize measureText(std::string_view text) = 0;
    // One line of text with its top left corner at (x, y), transparent background.
    virtual void drawText(int x, int y, std::string_view text, Rgb colour) = 0;

    // Draws the image stretched onto the destination rectangle.
    virtual void drawImage(const SurfaceImage& image, const SurfaceRect& dest) = 0;
};

} // namespace lorvanel
