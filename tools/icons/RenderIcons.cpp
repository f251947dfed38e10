// Renders the program's SVG icon as the PNG sizes of the hicolor icon theme:
//     lorvanel-render-icons SVG OUTDIR SIZE...   ->   OUTDIR/lorvanel-SIZE.png
// `make icons` runs it; the PNGs are kept in resources/icons/ so that a build needs no renderer.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fputs("usage: lorvanel-render-icons SVG OUTDIR SIZE...\n", stderr);
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "lorvanel-render-icons: %s: not a valid SVG file\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        const QString path =
            QStringLiteral("%1/lorvanel-%2.png").arg(QString::fromLocal8Bit(argv[2])).arg(size);
        if (!image.save(path)) {
            std::fprintf(stderr, "lorvanel-render-icons: can't write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
