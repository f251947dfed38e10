#include "paint/QPainterSurface.h"

#include "platform/Encoding.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <map>
#include <tuple>

namespace lorvanel {

namespace {

QColor qtColour(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

QString qtText(std::string_view cp932) {
    return QString::fromStdString(cp932ToUtf8(cp932));
}

// The first installed family of the candidates, else the last candidate.
QString installedFamily(const QStringList& candidates) {
    const QStringList families = QFontDatabase::families();
    for (const QString& f : candidates)
        if (families.contains(f, Qt::CaseInsensitive)) return f;
    return candidates.back();
}

} // namespace

QPainterSurface::QPainterSurface(QPainter& painter) : painter_(painter) {}

QFont QPainterSurface::qtFont(const FontSpec& spec) {
    using Key = std::tuple<std::string, int, int, int, bool>;
    static std::map<Key, QFont> cache;
    const Key key{spec.face, spec.height, spec.averageWidth, spec.weight, spec.fixedPitch};
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;

    const QString face = qtText(spec.face);
    QFont font;
    if (spec.fixedPitch) {
        const QStringList families = QFontDatabase::families();
        if (families.contains(face, Qt::CaseInsensitive)) {
            font = QFont(face);
        } else {
            font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        }
        font.setFixedPitch(true);
        font.setStyleHint(QFont::Monospace);
    } else {
        font = QFont(installedFamily(
            {face, QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")}));
    }
    font.setPixelSize(spec.height > 0 ? spec.height : 12);
    font.setWeight(spec.weight >= 700 ? QFont::Bold : QFont::Normal);
    font.setStyleStrategy(QFont::PreferDefault);
    return cache.emplace(key, font).first->second;
}

void QPainterSurface::setFont(const FontSpec& font) {
    spec_ = font;
    painter_.setFont(qtFont(font));
}

void QPainterSurface::drawLine(int x1, int y1, int x2, int y2, Rgb colour, int width) {
    QPen pen(qtColour(colour));
    pen.setWidth(width);
    pen.setCapStyle(width > 1 ? Qt::RoundCap : Qt::SquareCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter_.setPen(pen);
    painter_.drawLine(x1, y1, x2, y2);
}

void QPainterSurface::fillRect(const SurfaceRect& r, Rgb colour) {
    if (r.width() <= 0 || r.height() <= 0) return;
    painter_.fillRect(QRect(r.left, r.top, r.width(), r.height()), qtColour(colour));
}

void QPainterSurface::frameRect(const SurfaceRect& r, Rgb colour) {
    if (r.width() <= 0 || r.height() <= 0) return;
    painter_.setPen(QPen(qtColour(colour), 1));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(QRect(r.left, r.top, r.width() - 1, r.height() - 1));
}

TextSize QPainterSurface::measureText(std::string_view text) {
    const QFontMetrics metrics(painter_.font());
    return {metrics.horizontalAdvance(qtText(text)), metrics.height()};
}

void QPainterSurface::drawText(int x, int y, std::string_view text, Rgb colour) {
    const QFontMetrics metrics(painter_.font());
    painter_.setPen(qtColour(colour));
    painter_.drawText(x, y + metrics.ascent(), qtText(text));
}

void QPainterSurface::drawImage(const SurfaceImage& image, const SurfaceRect& dest) {
    if (image.width <= 0 || image.height <= 0 || dest.width() <= 0 || dest.height() <= 0) return;
    if (image_.width() != image.width || image_.height() != image.height)
        image_ = QImage(image.width, image.height, QImage::Format_RGB32);
    for (int y = 0; y < image.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        for (int x = 0; x < image.width; ++x) line[x] = 0xFF000000u | image.at(x, y);
    }
    painter_.drawImage(QRect(dest.left, dest.top, dest.width(), dest.height()), image_);
}

} // namespace lorvanel
