#include "paint/GraphPictureFile.h"

#include "graph/ChartPainter.h"
#include "graph/GraphKind.h"
#include "paint/GraphImageQt.h"
#include "paint/GraphSvgFile.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>
#include <QSvgGenerator>

namespace lorvanel {

namespace {

bool fail(QString* error, const QString& reason) {
    if (error) *error = reason;
    return false;
}

bool writePng(QIODevice& file, QSize size, const PicturePainter& paint) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    paint(image);
    return image.save(&file, "PNG");
}

bool writeSvg(QIODevice& file, QSize size, const QString& title, const PicturePainter& paint) {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(title);
    paint(svg);
    return true;
}

} // namespace

PictureFormat pictureFormatOf(const QString& path) {
    return QFileInfo(path).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0
               ? PictureFormat::Svg
               : PictureFormat::Png;
}

bool saveGraphPicture(const QString& path, PictureFormat format, QSize size,
                      const PicturePainter& paint, QString* error) {
    if (size.isEmpty()) return fail(error, QStringLiteral("画像の大きさが0です"));
    if (path == QStringLiteral("-")) {
        // Standard output, for a pipe; nothing else is written there.
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly)) return fail(error, out.errorString());
        const bool written = format == PictureFormat::Svg
                                 ? writeSvg(out, size, QStringLiteral("graph"), paint)
                                 : writePng(out, size, paint);
        if (!out.flush() || !written || out.error() != QFileDevice::NoError)
            return fail(error, out.error() != QFileDevice::NoError
                                   ? out.errorString()
                                   : QStringLiteral("画像を書き出せませんでした"));
        return true;
    }
    // QSaveFile writes to a temporary file in the same directory and renames it on commit;
    // without a commit the temporary file is removed and the target is untouched.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return fail(error, file.errorString());
    const bool written = format == PictureFormat::Svg
                             ? writeSvg(file, size, QFileInfo(path).completeBaseName(), paint)
                             : writePng(file, size, paint);
    if (!written || file.error() != QFileDevice::NoError) {
        const QString reason = file.error() != QFileDevice::NoError
                                   ? file.errorString()
                                   : QStringLiteral("画像を書き出せませんでした");
        file.cancelWriting();
        return fail(error, reason);
    }
    if (!file.commit()) return fail(error, file.errorString());
    return true;
}

bool writeGraphSvg(GraphKind& kind, ChartPainter& painter, int width, int height,
                   const std::string& path, std::string& error) {
    QString reason;
    const bool ok = saveGraphPicture(
        QFile::decodeName(path.c_str()), PictureFormat::Svg, QSize(width, height),
        [&](QPaintDevice& device) { paintGraph(kind, painter, device, width, height); }, &reason);
    if (!ok) error = reason.toStdString();
    return ok;
}

} // namespace lorvanel
