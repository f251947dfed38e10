// The graph tab's kinds 3 and 4 on screen (every cell in the colour of its count, the
// readout, the chosen kind kept in DefaultPane) and "画像を保存..." writing the view's picture
// as PNG or SVG, or saying why it could not.
#include "GuiTestSupport.h"

#include "app/CGraphFrame.h"
#include "app/CGraphView.h"
#include "app/DocBridge.h"
#include "doc/CDoc.h"
#include "doc/Settings.h"
#include "graph/CalendarGraph.h"
#include "graph/CalendarLayout.h"
#include "graph/DensityMap.h"
#include "graph/WeekHourGraph.h"
#include "graph/WeekHourLayout.h"
#include "support/RecordingAlertSink.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QToolButton>
#include <QXmlStreamReader>
#include <QtTest>

using namespace lorvanel;
using namespace lorvanel::testing;

namespace {

// 2015/12/20 .. 2016/01/14: one post a day at a moving hour, three more on 2016/01/01.
std::vector<JanePost> newYearPosts() {
    std::vector<JanePost> posts;
    for (int d = 0; d < 26; ++d) {
        const int year = d < 12 ? 2015 : 2016;
        const int month = d < 12 ? 12 : 1;
        const int day = d < 12 ? 20 + d : d - 11;
        const int extra = year == 2016 && day == 1 ? 3 : 0;
        for (int k = 0; k <= extra; ++k) {
            JanePost p;
            p.date = QStringLiteral("%1/%2/%3 %4:%5:00")
                         .arg(year)
                         .arg(month, 2, 10, QLatin1Char('0'))
                         .arg(day, 2, 10, QLatin1Char('0'))
                         .arg((d + k) % 24, 2, 10, QLatin1Char('0'))
                         .arg(10 + k);
            posts.push_back(p);
        }
    }
    return posts;
}

QColor qcolor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

bool parsesAsSvg(const QString& path, QString* viewBox) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    QXmlStreamReader xml(&file);
    bool root = false;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && !root) {
            root = xml.name() == QStringLiteral("svg");
            *viewBox = xml.attributes().value(QStringLiteral("viewBox")).toString();
        }
    }
    return root && !xml.hasError();
}

} // namespace

class CalendarGraphTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        setSettingsFile(dir_.iniPath());
        recordedAlerts().clear();
    }

    void theCalendarPaintsEveryDayInItsLevelColour() {
        CDoc doc;
        DocBridge bridge(doc);
        QVERIFY(doc.load({dir_.write("a.txt", janeLogText(newYearPosts()))}, false, 0));
        CGraphView view(bridge);
        view.setKind(3);
        view.resize(640, 480);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QImage image = view.grab().toImage();

        const CalendarModel model = buildCalendar(doc.selection());
        QCOMPARE(static_cast<int>(model.counts.size()), 26);
        const CalendarLayout layout = layoutCalendar(model, 0, 0, 640, 480);
        QCOMPARE(static_cast<int>(layout.strips.size()), 2);
        for (const CalendarStrip& strip : layout.strips) {
            for (int day = strip.firstDay; day <= strip.lastDay; ++day) {
                const int level = calendarLevel(model.countOn(day), model.bounds);
                QCOMPARE(image.pixelColor(layout.dayX(strip, day) + 1, layout.dayY(strip, day) + 1),
                         qcolor(CalendarGraph::levelColour(level)));
            }
        }
        // 2016/01/01 with its four posts is the one day of the top level.
        const CalendarStrip& top = layout.strips[0];
        const int newYear = top.firstDay;
        QCOMPARE(calendarLevel(model.countOn(newYear), model.bounds), 4);

        QSignalSpy spy(&view, &CGraphView::statusMessage);
        QTest::mouseMove(&view,
                         QPoint(layout.dayX(top, newYear) + 2, layout.dayY(top, newYear) + 2));
        QTRY_VERIFY(!spy.isEmpty());
        QCOMPARE(spy.takeLast().at(0).toString(), QStringLiteral("2016/01/01(金) - 4回"));
        QTest::mouseMove(&view, QPoint(5, 5));
        QTRY_VERIFY(!spy.isEmpty());
        QCOMPARE(spy.takeLast().at(0).toString(), QString());
    }

    void theWeekHourMapPaintsItsCellsOnTheDensityPalette() {
        CDoc doc;
        DocBridge bridge(doc);
        QVERIFY(doc.load({dir_.write("a.txt", janeLogText(newYearPosts()))}, false, 0));
        CGraphView view(bridge);
        view.setKind(4);
        view.resize(700, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QImage image = view.grab().toImage();
        const WeekHourModel model = buildWeekHour(doc.selection());
        const WeekHourLayout l = layoutWeekHour(0, 0, 700, 400);
        for (int w = 0; w < 7; ++w) {
            for (int h = 0; h < 24; ++h) {
                const int index = WeekHourGraph::paletteIndex(model.counts[w][h], model.largest);
                QCOMPARE(image.pixelColor(l.cellX(h) + 1, l.cellY(w) + 1),
                         qcolor(DensityMap::paletteColour(index)));
            }
        }
        // 2016/01/01 was a Friday; its posts at 12:10 and 13:11 are one each.
        QSignalSpy spy(&view, &CGraphView::statusMessage);
        QTest::mouseMove(&view, QPoint(l.cellX(13) + 2, l.cellY(5) + 2));
        QTRY_VERIFY(!spy.isEmpty());
        QCOMPARE(spy.takeLast().at(0).toString(),
                 QStringLiteral("金曜日 13時 - %1回").arg(model.counts[5][13]));
    }

    void theChooserOffersBothAndKeepsTheChoice() {
        CDoc doc;
        DocBridge bridge(doc);
        {
            CGraphFrame frame(bridge);
            FileSettings settings(frame);
            QCOMPARE(frame.kindChooser()->itemText(3), QStringLiteral("書き込みカレンダー"));
            QCOMPARE(frame.kindChooser()->itemText(4), QStringLiteral("曜日・時間帯の分布"));
            frame.kindChooser()->setCurrentIndex(4);
            QCOMPARE(frame.view()->kindIndex(), 4);
            QVERIFY(!frame.optionsButton()->isEnabled());
        }
        QCOMPARE(readSettingsFile().getInt("GraphView", "DefaultPane", -1), 4);
        CGraphFrame again(bridge);
        FileSettings settings(again);
        QCOMPARE(again.view()->kindIndex(), 4);
    }

    void savingWritesThePictureAtTheViewsSize() {
        CDoc doc;
        DocBridge bridge(doc);
        QVERIFY(doc.load({dir_.write("a.txt", janeLogText(newYearPosts()))}, false, 0));
        CGraphFrame frame(bridge);
        QCOMPARE(frame.saveButton()->text(), QStringLiteral("画像を保存..."));
        frame.kindChooser()->setCurrentIndex(3);
        frame.resize(720, 520);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        const QSize size = frame.view()->size();
        const QImage onScreen = frame.view()->grab().toImage();

        const QString png = QString::fromStdString(dir_.file("calendar.png"));
        QVERIFY(frame.saveImageTo(png));
        QImage saved;
        QVERIFY(saved.load(png, "PNG"));
        QCOMPARE(saved.size(), size);
        QCOMPARE(saved.convertToFormat(QImage::Format_RGB32),
                 onScreen.convertToFormat(QImage::Format_RGB32));

        frame.kindChooser()->setCurrentIndex(4);
        const QString svg = QString::fromStdString(dir_.file("map.SVG"));
        QVERIFY(frame.saveImageTo(svg));
        QString viewBox;
        QVERIFY(parsesAsSvg(svg, &viewBox));
        QCOMPARE(viewBox, QStringLiteral("0 0 %1 %2").arg(size.width()).arg(size.height()));
        QVERIFY(recordedAlerts().texts.empty());

        // Nowhere to write: a message box, and no file.
        const QString nowhere = QString::fromStdString(dir_.file("missing/calendar.png"));
        QVERIFY(!frame.saveImageTo(nowhere));
        QCOMPARE(recordedAlerts().texts.size(), std::size_t(1));
        QVERIFY(!QFile::exists(nowhere));
        QVERIFY(!QDir(QString::fromStdString(dir_.file("missing"))).exists());
    }

private:
    WorkingDirectory dir_;
};

LORVANEL_GUI_TEST(CalendarGraphTest)
#include "CalendarGraphTest.moc"
