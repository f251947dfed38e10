// The graph tab: the kind chooser and its setting, the options button and menu with their
// setting, the readout in the status message, following the document, the image copy.
#include "GuiTestSupport.h"

#include "app/CGraphFrame.h"
#include "app/CGraphView.h"
#include "app/Commands.h"
#include "app/DocBridge.h"
#include "doc/CDoc.h"
#include "doc/Settings.h"
#include "graph/CumulativeGraph.h"
#include "graph/GraphKinds.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

using namespace lorvanel;
using namespace lorvanel::testing;

namespace {

// Posts on many days and at many hours, in two boards.
std::vector<JanePost> spreadPosts() {
    std::vector<JanePost> posts;
    for (int d = 0; d < 40; ++d) {
        JanePost p;
        p.date = QStringLiteral("2008/%1/%2 %3:15:00")
                     .arg(1 + d / 28, 2, 10, QLatin1Char('0'))
                     .arg(1 + d % 28, 2, 10, QLatin1Char('0'))
                     .arg(d % 24, 2, 10, QLatin1Char('0'));
        p.dir = d % 3 ? QStringLiteral("news") : QStringLiteral("tv");
        posts.push_back(p);
    }
    return posts;
}

int settingOf(const char* section, const char* key) {
    return readSettingsFile().getInt(section, key, -1);
}

} // namespace

class GraphViewTest : public QObject {
    Q_OBJECT
private slots:
    void init() { setSettingsFile(dir_.iniPath()); }

    void theChooserStartsOnTheSavedPaneAndSavesTheChosenOne() {
        dir_.write("lorvanel.ini", "[GraphView]\r\nDefaultPane=2\r\n");
        CDoc doc;
        DocBridge bridge(doc);
        {
            CGraphFrame frame(bridge);
            FileSettings settings(frame);
            QCOMPARE(frame.kindChooser()->count(), graphKindCount());
            QCOMPARE(frame.kindChooser()->currentIndex(), 2);
            QCOMPARE(frame.view()->kindIndex(), 2);
            QVERIFY(!frame.optionsButton()->isEnabled());
            frame.kindChooser()->setCurrentIndex(0);
            QCOMPARE(frame.view()->kindIndex(), 0);
            QVERIFY(frame.optionsButton()->isEnabled());
            frame.kindChooser()->setCurrentIndex(1);
            QVERIFY(!frame.optionsButton()->isEnabled());
        }
        QCOMPARE(settingOf("GraphView", "DefaultPane"), 1);
        // A value out of range starts on the first kind.
        dir_.write("lorvanel.ini", "[GraphView]\r\nDefaultPane=7\r\n");
        CGraphFrame frame(bridge);
        FileSettings settings(frame);
        QCOMPARE(frame.view()->kindIndex(), 0);
    }

    void theOptionsMenuTogglesTheWholeSelectionAndKeepsItsSetting() {
        dir_.write("lorvanel.ini", "[GraphView]\r\nDefaultPane=0\r\n");
        CDoc doc;
        DocBridge bridge(doc);
        {
            CGraphFrame frame(bridge);
            FileSettings settings(frame);
            QMenu menu;
            frame.view()->fillOptionsMenu(menu);
            QCOMPARE(menu.actions().size(), 1);
            QAction* showTotal = menu.actions().front();
            QCOMPARE(showTotal->text(), QStringLiteral("全体を表示"));
            QVERIFY(showTotal->isChecked());
            showTotal->trigger();
            auto& kind = dynamic_cast<CumulativeGraph&>(frame.view()->kind());
            QVERIFY(!kind.showTotal());
            // Switching kinds destroys the cumulative graph, which stores its switch.
            frame.kindChooser()->setCurrentIndex(2);
            settings.flush();
            QCOMPARE(settingOf("Graph_Ruiseki", "ShowTotal"), 0);
            frame.kindChooser()->setCurrentIndex(0);
            QVERIFY(!dynamic_cast<CumulativeGraph&>(frame.view()->kind()).showTotal());
        }
        // Other sections of the file survive the graph's writes.
        QVERIFY(dir_.iniText().contains(QStringLiteral("DefaultPane=0")));
    }

    void theReadoutNamesTheDateAndValueUnderThePointer() {
        CDoc doc;
        DocBridge bridge(doc);
        const std::string log = dir_.write("a.txt", janeLogText(spreadPosts()));
        QVERIFY(doc.load({log}, false, 0));
        CGraphView view(bridge);
        view.setKind(1);
        view.resize(640, 480);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.grab(); // paints, so that the painter knows the plot
        QSignalSpy spy(&view, &CGraphView::statusMessage);
        QTest::mouseMove(&view, QPoint(50, 430)); // the plot's bottom left corner
        QTRY_VERIFY(!spy.isEmpty());
        QCOMPARE(spy.takeLast().at(0).toString(), QStringLiteral("08/01/01 - 0"));
        QTest::mouseMove(&view, QPoint(20, 200)); // left of the plot
        QTRY_VERIFY(!spy.isEmpty());
        QCOMPARE(spy.takeLast().at(0).toString(), QString());
    }

    void theViewFollowsTheDocumentAndCopiesA640By480Image() {
        CDoc doc;
        DocBridge bridge(doc);
        CGraphView view(bridge);
        view.setKind(2);
        view.resize(400, 300);
        const QImage blank = view.grab().toImage();
        const std::string log = dir_.write("a.txt", janeLogText(spreadPosts()));
        QVERIFY(doc.load({log}, false, 0));
        const QImage drawn = view.grab().toImage();
        QCOMPARE(drawn.size(), QSize(400, 300));
        QVERIFY(drawn != blank); // the density map and the frame are there now
        QCOMPARE(view.picture().size(), QSize(400, 300));

        QGuiApplication::clipboard()->clear();
        view.runCommand(cmd::kCopyGraphImage);
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), QSize(640, 480));
        QCOMPARE(copied.pixelColor(0, 0), QColor(Qt::white));
        // The plot (50, 40, 600, 430) is filled by the density map: never white inside.
        QVERIFY(copied.pixelColor(300, 200) != QColor(Qt::white));

        // Closing the log leaves a blank picture again.
        doc.close();
        QCOMPARE(view.grab().toImage(), blank);
    }

private:
    WorkingDirectory dir_;
};

LORVANEL_GUI_TEST(GraphViewTest)
#include "GraphViewTest.moc"
