// A keyword of a result page leads to the posts it was counted in: a real click on it shows
// the post list at the first such post, with the search bar set to the keyword's folding,
// F3 goes to the next, and the page and the selection stay.
#include "GuiTestSupport.h"

#include "app/CDlgBarSearch.h"
#include "app/CLorvanelView2.h"
#include "app/CLorvanelViewFrame.h"
#include "app/CMainFrame.h"
#include "app/CMainView.h"
#include "app/COperationRunner.h"
#include "app/CResultPageView.h"
#include "doc/CDoc.h"

#include <QCheckBox>
#include <QComboBox>
#include <QtTest>

using namespace lorvanel;
using namespace lorvanel::testing;

namespace {

const CResultPageView::Span* spanOf(CResultPageView* page, const QString& pattern) {
    for (const CResultPageView::Span& span : page->spans())
        if (page->toPlainText().mid(span.begin, span.end - span.begin) == pattern) return &span;
    return nullptr;
}

// The body's first row of the post at index in the post list.
RowIndex bodyRow(CLorvanelView2* list, std::size_t post) {
    return list->rows().firstRowOf(post) + 2;
}

} // namespace

class KeywordLinkTest : public QObject {
    Q_OBJECT
private slots:
    void clickingAKeywordFindsItsPostsAsThePageCountedThem() {
        WorkingDirectory dir;
        std::vector<JanePost> posts = janeSeries(8, QStringLiteral("2008/01/02"));
        posts[1].body = QStringLiteral("ひらがなの てすと です");
        posts[3].body = QStringLiteral("半角の ﾃｽﾄ です");
        posts[4].body = QStringLiteral("全角の テスト です");
        posts[5].body = QStringLiteral("ABC and abbc");
        posts[6].body = QStringLiteral("ａｂｃ");
        const std::string path = dir.write("jane.txt", janeLogText(posts));
        const std::string keywords =
            dir.write("k.txt", cp932(QStringLiteral("★G\nテスト\n@てすと\n*ab+c\n")));
        CLorvanelApp::StartOptions options = startOptions(dir);
        options.files = {path};
        CLorvanelApp app(std::make_unique<ScriptedPrompts>());
        QVERIFY(app.initInstance(options));
        CMainFrame* frame = app.mainFrame();
        frame->resize(900, 600);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        CDoc& doc = app.document();
        const std::size_t selected = doc.selection().size();

        frame->runKeywordFile(keywords);
        QTRY_VERIFY(!frame->operations().busy());
        CMainView* tabs = frame->mainView();
        auto* page = qobject_cast<CResultPageView*>(tabs->currentWidget());
        QVERIFY(page);
        const int pageTab = tabs->currentIndex();
        CLorvanelViewFrame* listFrame = tabs->postListFrame();
        CLorvanelView2* list = listFrame->view();
        CDlgBarSearch* bar = listFrame->searchBar();

        // "テスト" was counted in all three kana forms: a plain keyword folds kana.
        const CResultPageView::Span* plain = spanOf(page, QStringLiteral("テスト"));
        QVERIFY(plain);
        QCOMPARE(page->toPlainText().mid(plain->end, 4), QStringLiteral("(3) "));
        QTest::mouseClick(page->viewport(), Qt::LeftButton, {}, page->spanRect(*plain).center());
        QCOMPARE(tabs->currentWidget(), listFrame);
        QCOMPARE(bar->pattern(), QStringLiteral("テスト"));
        QVERIFY(!bar->matchCaseBox()->isChecked() && !bar->matchKanaBox()->isChecked() &&
                !bar->regexBox()->isChecked());
        QCOMPARE(list->selection().start(), bodyRow(list, 1));
        QCOMPARE(list->selection().end(), bodyRow(list, 1));
        QVERIFY(list->viewportRows().shows(bodyRow(list, 1)));
        // F3 in the list: the next posts in turn, then no further.
        QVERIFY(list->hasFocus());
        QTest::keyClick(list, Qt::Key_F3);
        QCOMPARE(list->selection().start(), bodyRow(list, 3));
        QTest::keyClick(list, Qt::Key_F3);
        QCOMPARE(list->selection().start(), bodyRow(list, 4));
        QTest::keyClick(list, Qt::Key_F3);
        QCOMPARE(list->selection().start(), bodyRow(list, 4));
        // The page is still there and the selection unchanged.
        QCOMPARE(doc.selection().size(), selected);
        QCOMPARE(tabs->widget(pageTab), page);

        // "@てすと" tells hiragana from katakana: only the hiragana post.
        tabs->setCurrentWidget(page);
        const CResultPageView::Span* marked = spanOf(page, QStringLiteral("てすと"));
        QVERIFY(marked);
        QTest::mouseClick(page->viewport(), Qt::LeftButton, {}, page->spanRect(*marked).center());
        QVERIFY(!bar->matchCaseBox()->isChecked() && bar->matchKanaBox()->isChecked() &&
                !bar->regexBox()->isChecked());
        QCOMPARE(list->selection().start(), bodyRow(list, 1));
        QTest::keyClick(list, Qt::Key_F3);
        QCOMPARE(list->selection().start(), bodyRow(list, 1));

        // The expression, folded as its posts were counted: ａｂｃ is found too.
        tabs->setCurrentWidget(page);
        const CResultPageView::Span* regex = spanOf(page, QStringLiteral("ab+c"));
        QVERIFY(regex);
        QTest::mouseClick(page->viewport(), Qt::LeftButton, {}, page->spanRect(*regex).center());
        QCOMPARE(tabs->currentWidget(), listFrame);
        QVERIFY(bar->regexBox()->isChecked() && !bar->matchCaseBox()->isChecked() &&
                !bar->matchKanaBox()->isChecked());
        QCOMPARE(list->selection().start(), bodyRow(list, 5));
        QTest::keyClick(list, Qt::Key_F3);
        QCOMPARE(list->selection().start(), bodyRow(list, 6));

        // A click beside the words on the page's first line leads nowhere.
        tabs->setCurrentWidget(page);
        QTest::mouseClick(page->viewport(), Qt::LeftButton, {},
                          QPoint(page->viewport()->width() - 5, 5));
        QCOMPARE(tabs->currentWidget(), page);
        frame->grab().save(QStringLiteral("/tmp/keyword-link-page.png"));
    }
};

LORVANEL_GUI_TEST(KeywordLinkTest)
#include "KeywordLinkTest.moc"
