#pragma once
// Writing a graph picture to a PNG or SVG file. The picture is painted on a white page of the
// given size; the file is written to a temporary file beside it and only renamed over the
// name when everything was written, so a failure never leaves a partial picture behind.
#include <QSize>
#include <QString>

#include <functional>

class QPainter;

namespace lorvanel {

enum class PictureFormat { Png, Svg };

// The suffix decides: ".svg" (any case) is SVG, every other name PNG.
PictureFormat pictureFormatOf(const QString& path);

// Paints the picture with paint and writes it to path; on failure returns false with the
// reason in error (when given) and path is left as it was.
bool saveGraphPicture(const QString& path, QSize size, const std::function<void(QPainter&)>& paint,
                      QString* error = nullptr);

} // namespace lorvanel
