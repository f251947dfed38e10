#include "paint/GraphImage.h"

#include "graph/ChartPainter.h"
#include "graph/GraphKind.h"
#include "paint/GraphImageQt.h"
#include "paint/QPainterSurface.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSaveFile>

namespace lorvanel {

struct OffscreenGui::App {
    int argc = 1;
    char name[16] = "lorvanel-cli";
    char* argv[2] = {name, nullptr};
    QGuiApplication app{argc, argv};
};

OffscreenGui::OffscreenGui() {
    if (QGuiApplication::instance()) return;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = std::make_unique<App>();
}

OffscreenGui::~OffscreenGui() = default;

void paintGraph(GraphKind& kind, ChartPainter& painter, QPaintDevice& device, int width,
                int height) {
    QPainter qp(&device);
    qp.fillRect(QRect(0, 0, width, height), Qt::white);
    QPainterSurface surface(qp);
    surface.setFont(ChartPainter::labelFont());
    painter.begin(surface, {0, 0, width, height});
    kind.draw();
}

QImage renderGraphImage(GraphKind& kind, ChartPainter& painter, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    paintGraph(kind, painter, image, width, height);
    return image;
}

void drawGraphOffscreen(GraphKind& kind, ChartPainter& painter, int width, int height) {
    renderGraphImage(kind, painter, width, height);
}

bool writeGraphPng(GraphKind& kind, ChartPainter& painter, int width, int height,
                   const std::string& path, std::string& error) {
    const QImage image = renderGraphImage(kind, painter, width, height);
    if (path == "-") {
        // Standard output, for a pipe; nothing else is written there.
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || !image.save(&out, "PNG") || !out.flush()) {
            error = out.errorString().toStdString();
            if (error.empty()) error = "the PNG image could not be written";
            return false;
        }
        return true;
    }
    QSaveFile file(QFile::decodeName(path.c_str()));
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        error = file.errorString().toStdString();
        if (error.empty()) error = "the PNG image could not be written";
        return false;
    }
    return true;
}

} // namespace lorvanel
