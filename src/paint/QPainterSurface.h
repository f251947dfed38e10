#pragma once
// The chart painter's Surface over a QPainter: CP932 texts become QStrings here, and fonts
// the system lacks get stand-ins (IPAPGothic or Noto Sans CJK JP for the Japanese face, a
// small fixed-pitch face for "Terminal"). Needs Qt Gui only, so lorvanel-cli can use it.
#include "graph/Surface.h"

#include <QFont>
#include <QHash>
#include <QImage>

class QPainter;

namespace lorvanel {

class QPainterSurface : public Surface {
public:
    explicit QPainterSurface(QPainter& painter);

    void setFont(const FontSpec& font) override;
    const FontSpec& font() const override { return spec_; }
    void drawLine(int x1, int y1, int x2, int y2, Rgb colour, int width) override;
    void fillRect(const SurfaceRect& rect, Rgb colour) override;
    void frameRect(const SurfaceRect& rect, Rgb colour) override;
    TextSize measureText(std::string_view text) override;
    void drawText(int x, int y, std::string_view text, Rgb colour) override;
    void drawImage(const SurfaceImage& image, const SurfaceRect& dest) override;

    // The Qt font that stands for a font request (cached per process).
    static QFont qtFont(const FontSpec& spec);

private:
    QPainter& painter_;
    FontSpec spec_;
    QImage image_; // the last blitted image, kept for its buffer
};

} // namespace lorvanel
