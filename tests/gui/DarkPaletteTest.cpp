// Under a dark desktop palette the post list and the graph take their colours from the
// palette, while a light palette keeps the program's own and copied pictures stay light.
#include "GuiTestSupport.h"

#include "app/CGraphFrame.h"
#include "app/CGraphView.h"
#include "app/CLorvanelView2.h"
#include "app/CLorvanelViewFrame.h"
#include "app/CMainFrame.h"
#include "app/CMainView.h"
#include "ui/ViewColours.h"

#include <QApplication>
#include <QtTest>

using namespace lorvanel;
using namespace lorvanel::testing;

namespace {

QPalette darkPalette() {
    QPalette p;
    p.setColor(QPalette::Window, QColor(45, 45, 48));
    p.setColor(QPalette::WindowText, QColor(220, 220, 220));
    p.setColor(QPalette::Base, QColor(30, 30, 32));
    p.setColor(QPalette::Text, QColor(230, 230, 230));
    p.setColor(QPalette::Button, QColor(50, 50, 54));
    p.setColor(QPalette::ButtonText, QColor(220, 220, 220));
    return p;
}

QPalette lightPalette() {
    QPalette p;
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    return p;
}

} // namespace

class DarkPaletteTest : public QObject {
    Q_OBJECT
private slots:
    void coloursFollowADarkPaletteOnly() {
        // The light palette keeps the list's own colours.
        const PostListColours light = postListColours(lightPalette());
        QCOMPARE(light.background, QColor(239, 239, 239));
        QCOMPARE(light.title, QColor(0, 0, 255));
        QCOMPARE(light.text, QColor(0, 0, 0));
        const PostListColours dark = postListColours(darkPalette());
        QCOMPARE(dark.background, darkPalette().color(QPalette::Base));
        QCOMPARE(dark.text, darkPalette().color(QPalette::Text));
        for (const QColor& c : {dark.number, dark.title, dark.board, dark.name})
            QVERIFY2(c.lightness() > 120, qPrintable(c.name()));

        // White, grey and black move onto the dark palette's scale; colours stay.
        QImage image(4, 1, QImage::Format_RGB32);
        const QColor in[4] = {Qt::white, QColor(239, 239, 239), Qt::black, QColor(45, 148, 64)};
        for (int x = 0; x < 4; ++x) image.setPixelColor(x, 0, in[x]);
        QImage same = image;
        recolourForPalette(same, lightPalette());
        QCOMPARE(same, image);
        recolourForPalette(image, darkPalette());
        QCOMPARE(image.pixelColor(0, 0), darkPalette().color(QPalette::Base));
        QCOMPARE(image.pixelColor(2, 0), darkPalette().color(QPalette::Text));
        QVERIFY(image.pixelColor(1, 0).lightness() < 60);
        QCOMPARE(image.pixelColor(3, 0), QColor(45, 148, 64));
    }

    void theWindowUnderADarkPalette() {
        WorkingDirectory dir;
        const std::string log =
            dir.write("a.txt", janeLogText(janeSeries(30, QStringLiteral("2016/03/05"))));
        const QPalette previous = QApplication::palette();
        QApplication::setPalette(darkPalette());
        StartedWindow s(dir);
        QVERIFY(s.ok);
        CMainFrame* frame = s.frame();
        QVERIFY(frame->loadFiles({log}, false, 0));
        CMainView* tabs = frame->mainView();

        tabs->setCurrentWidget(tabs->postListFrame());
        CLorvanelView2* list = tabs->postListFrame()->view();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        const QImage listImage = list->viewport()->grab().toImage();
        QCOMPARE(listImage.pixelColor(listImage.width() - 2, listImage.height() - 2),
                 darkPalette().color(QPalette::Base));

        tabs->setCurrentWidget(tabs->graphFrame());
        CGraphView* graph = tabs->graphFrame()->view();
        const QImage graphImage = graph->grab().toImage();
        QCOMPARE(graphImage.pixelColor(1, 1), darkPalette().color(QPalette::Base));
        // The copied picture keeps the light colours.
        QCOMPARE(graph->copyImage().pixelColor(1, 1), QColor(Qt::white));
        // A palette that changes while the graph is shown: the picture follows, both ways.
        QApplication::setPalette(lightPalette());
        QCoreApplication::processEvents();
        QCOMPARE(graph->grab().toImage().pixelColor(1, 1), QColor(Qt::white));
        QApplication::setPalette(darkPalette());
        QCoreApplication::processEvents();
        QCOMPARE(graph->grab().toImage().pixelColor(1, 1), darkPalette().color(QPalette::Base));
        s.app->exitInstance();
        QApplication::setPalette(previous);
    }
};

LORVANEL_GUI_TEST(DarkPaletteTest)
#include "DarkPaletteTest.moc"
