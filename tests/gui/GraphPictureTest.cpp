// Saving graph pictures: PNG and SVG files that read back, the suffix choosing the format,
// and failures that leave no file (or the previous one) behind.
#include "GuiTestSupport.h"

#include "paint/GraphPictureFile.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

using namespace lorvanel;

namespace {

// A red square on a white page and a line of text.
void paintSample(QPaintDevice& device) {
    QPainter p(&device);
    p.fillRect(QRect(0, 0, device.width(), device.height()), Qt::white);
    p.fillRect(QRect(10, 10, 20, 20), QColor(255, 0, 0));
    p.drawText(40, 40, QStringLiteral("書き込みカレンダー"));
}

// The names of the elements of an XML file, or empty when it does not parse.
QStringList xmlElements(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QXmlStreamReader xml(&file);
    QStringList names;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement) names << xml.name().toString();
    }
    if (xml.hasError()) return {};
    return names;
}

} // namespace

class GraphPictureTest : public QObject {
    Q_OBJECT

private slots:
    void suffixDecidesTheFormat() {
        QCOMPARE(pictureFormatOf(QStringLiteral("/tmp/a.svg")), PictureFormat::Svg);
        QCOMPARE(pictureFormatOf(QStringLiteral("/tmp/a.SVG")), PictureFormat::Svg);
        QCOMPARE(pictureFormatOf(QStringLiteral("/tmp/a.png")), PictureFormat::Png);
        QCOMPARE(pictureFormatOf(QStringLiteral("/tmp/a")), PictureFormat::Png);
        QCOMPARE(pictureFormatOf(QStringLiteral("/tmp/svg.bmp")), PictureFormat::Png);
    }

    void pngReadsBackAtItsSize() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("graph.png"));
        QString error;
        QVERIFY2(
            saveGraphPicture(path, pictureFormatOf(path), QSize(320, 200), paintSample, &error),
            qPrintable(error));
        QImage image;
        QVERIFY(image.load(path, "PNG"));
        QCOMPARE(image.size(), QSize(320, 200));
        QCOMPARE(image.pixelColor(15, 15), QColor(255, 0, 0));
        QCOMPARE(image.pixelColor(300, 190), QColor(255, 255, 255));
        // Only the picture is left in the directory: the temporary file is gone.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("graph.png")});
    }

    void svgParsesAsXml() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("graph.svg"));
        QString error;
        QVERIFY2(
            saveGraphPicture(path, pictureFormatOf(path), QSize(640, 480), paintSample, &error),
            qPrintable(error));
        const QStringList elements = xmlElements(path);
        QVERIFY(!elements.isEmpty());
        QCOMPARE(elements.first(), QStringLiteral("svg"));
        QVERIFY(elements.contains(QStringLiteral("text")));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY(text.contains(QStringLiteral("viewBox=\"0 0 640 480\"")));
        // The text is kept as text (the generator may split it where the font falls back).
        QVERIFY(text.contains(QStringLiteral(">書<")) || text.contains(QStringLiteral("書き")));
    }

    void failureLeavesNothingBehind() {
        QTemporaryDir dir;
        // A directory that does not exist.
        const QString missing = dir.filePath(QStringLiteral("no/such/graph.png"));
        QString error;
        QVERIFY(!saveGraphPicture(missing, PictureFormat::Png, QSize(64, 64), paintSample, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFile::exists(missing));

        // A picture of no size: the file already there stays as it was.
        const QString kept = dir.filePath(QStringLiteral("kept.svg"));
        QFile old(kept);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        error.clear();
        QVERIFY(!saveGraphPicture(kept, PictureFormat::Svg, QSize(0, 480), paintSample, &error));
        QVERIFY(!error.isEmpty());
        QFile check(kept);
        QVERIFY(check.open(QIODevice::ReadOnly));
        QCOMPARE(check.readAll(), QByteArray("old"));

        // A name that is a directory.
        error.clear();
        QVERIFY(
            !saveGraphPicture(dir.path(), PictureFormat::Png, QSize(64, 64), paintSample, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("kept.svg")});
    }
};

LORVANEL_GUI_TEST(GraphPictureTest)
#include "GraphPictureTest.moc"
