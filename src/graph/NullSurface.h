#pragma once
// A surface that draws nothing and measures text roughly (half the font height per byte),
// for tracing a chart without a picture.
#include "graph/Surface.h"

namespace lorvanel {

class NullSurface : public Surface {
public:
    void setFont(const FontSpec& font) override { font_ = font; }
    const FontSpec& font() const override { return font_; }
    void drawLine(int, int, int, int, Rgb, int) override {}
    void fillRect(const SurfaceRect&, Rgb) override {}
    void frameRect(const SurfaceRect&, Rgb) override {}
    TextSize measureText(std::string_view text) override {
        return {static_cast<int>(text.size()) * font_.height / 2, font_.height};
    }
    void drawText(int, int, std::string_view, Rgb) override {}
    void drawImage(const SurfaceImage&, const SurfaceRect&) override {}

private:
    FontSpec font_;
};

} // namespace lorvanel
