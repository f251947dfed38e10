#pragma once
// Writing a graph picture to a PNG or SVG file. The picture is painted on a paint device of
// the given size; the file is written to a temporary file beside it and only renamed over the
// name when everything was written, so a failure never leaves a partial picture behind.
#include <QSize>
#include <QString>

#include <functional>

class QPaintDevice;

namespace lorvanel {

enum class PictureFormat { Png, Svg };

// The suffix decides: ".svg" (any case) is SVG, every other name PNG.
PictureFormat pictureFormatOf(const QString& path);

// Lets paint draw the picture in the format on a device of the given size (an image filled white
// for PNG, an SVG generator for SVG; paint opens and closes its own QPainter on it) and writes it
// to path ("-": standard output). On failure returns false with the reason in error (when
// given); path is then left as it was.
using PicturePainter = std::function<void(QPaintDevice&)>;
bool saveGraphPicture(const QString& path, PictureFormat format, QSize size,
                      const PicturePainter& paint, QString* error = nullptr);

} // namespace lorvanel
