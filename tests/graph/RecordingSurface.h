#pragma once
// A surface that records every drawing call, for checking what the chart painter draws.
// Text measures 6 px per byte and the font's height.
#include "graph/Surface.h"

#include <string>
#include <vector>

namespace lorvanel::testing {

struct SurfaceCall {
    enum class Op { Line, Fill, Frame, Text, Image };
    Op op = Op::Line;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0; // line ends, or the rectangle's edges
    Rgb colour;
    int width = 0;      // pen width of a line
    std::string text;   // drawn text
    FontSpec font;      // font of a text
    int imageWidth = 0; // image blits
    int imageHeight = 0;
};

class RecordingSurface : public Surface {
public:
    std::vector<SurfaceCall> calls;

    void setFont(const FontSpec& font) override { font_ = font; }
    const FontSpec& font() const override { return font_; }
    void drawLine(int x1, int y1, int x2, int y2, Rgb colour, int width) override {
        SurfaceCall& c = add(SurfaceCall::Op::Line, x1, y1, x2, y2, colour);
        c.width = width;
    }
    void fillRect(const SurfaceRect& r, Rgb colour) override {
        add(SurfaceCall::Op::Fill, r.left, r.top, r.right, r.bottom, colour);
    }
    void frameRect(const SurfaceRect& r, Rgb colour) override {
        add(SurfaceCall::Op::Frame, r.left, r.top, r.right, r.bottom, colour);
    }
    TextSize measureText(std::string_view text) override {
        return {static_cast<int>(text.size()) * 6, font_.height};
    }
    void drawText(int x, int y, std::string_view text, Rgb colour) override {
        SurfaceCall& c = add(SurfaceCall::Op::Text, x, y, 0, 0, colour);
        c.text = std::string(text);
        c.font = font_;
    }
    void drawImage(const SurfaceImage& image, const SurfaceRect& r) override {
        SurfaceCall& c = add(SurfaceCall::Op::Image, r.left, r.top, r.right, r.bottom, kBlack);
        c.imageWidth = image.width;
        c.imageHeight = image.height;
        lastImage = image;
    }

    std::vector<SurfaceCall> of(SurfaceCall::Op op) const {
        std::vector<SurfaceCall> out;
        for (const SurfaceCall& c : calls)
            if (c.op == op) out.push_back(c);
        return out;
    }
    const SurfaceCall* textCall(const std::string& text) const {
        for (const SurfaceCall& c : calls)
            if (c.op == SurfaceCall::Op::Text && c.text == text) return &c;
        return nullptr;
    }

    SurfaceImage lastImage;

private:
    SurfaceCall& add(SurfaceCall::Op op, int x1, int y1, int x2, int y2, Rgb colour) {
        SurfaceCall& c = calls.emplace_back();
        c.op = op;
        c.x1 = x1;
        c.y1 = y1;
        c.x2 = x2;
        c.y2 = y2;
        c.colour = colour;
        return c;
    }

    FontSpec font_;
};

} // namespace lorvanel::testing
