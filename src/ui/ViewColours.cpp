#include "ui/ViewColours.h"

#include <QImage>
#include <QPalette>

#include <algorithm>

namespace lorvanel {

namespace {
// A pixel whose channels differ by less than this is grey: text edges smoothed against the
// white plot are, the coloured series and cells are not.
constexpr int kGreyTolerance = 24;

int mix(int dark, int light, int lightness) {
    return (dark * (255 - lightness) + light * lightness + 127) / 255;
}
} // namespace

bool isDarkPalette(const QPalette& palette) {
    return palette.color(QPalette::Base).lightness() < 128;
}

PostListColours postListColours(const QPalette& palette) {
    if (!isDarkPalette(palette))
        return {QColor(239, 239, 239), QColor(0, 160, 160), QColor(0, 0, 255),
                QColor(192, 64, 64),   QColor(0, 128, 0),   QColor(0, 0, 0)};
    // The same hues, light enough to read on the palette's dark background.
    return {palette.color(QPalette::Base), QColor(64, 200, 200),  QColor(120, 160, 255),
            QColor(235, 120, 120),         QColor(110, 200, 110), palette.color(QPalette::Text)};
}

void recolourForPalette(QImage& image, const QPalette& palette) {
    if (!isDarkPalette(palette) || image.isNull()) return;
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32 &&
        image.format() != QImage::Format_ARGB32_Premultiplied)
        image = image.convertToFormat(QImage::Format_RGB32);
    const QColor base = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = line[x];
            const int r = qRed(p), g = qGreen(p), b = qBlue(p);
            if (std::max({r, g, b}) - std::min({r, g, b}) >= kGreyTolerance) continue;
            const int l = (r + g + b) / 3; // 255 = white: the background's end
            line[x] = qRgba(mix(text.red(), base.red(), l), mix(text.green(), base.green(), l),
                            mix(text.blue(), base.blue(), l), qAlpha(p));
        }
    }
}

} // namespace lorvanel
