#pragma once
// The right-hand pane of the main window: the tabs "レポート", "グラフ" and "lorvanel.txt",
// followed by one closable tab per keyword result page of the document.
#include <QTabWidget>

namespace lorvanel {

class CDoc;
class CGraphFrame;
class CLorvanelViewFrame;
class CReportFrame;
class DocBridge;
struct ResultPage;

class CMainView : public QTabWidget {
    Q_OBJECT
public:
    static constexpr int kFixedTabs = 3;

    explicit CMainView(DocBridge& bridge, QWidget* parent = nullptr);

    CReportFrame* reportFrame() const { return report_; }
    CGraphFrame* graphFrame() const { return graph_; }
    CLorvanelViewFrame* postListFrame() const { return postList_; }
    // The tab showing the page, or -1.
    int tabOfPage(const ResultPage* page) const;
    // Closes a result page's tab by removing the page from the document.
    void closePageTab(int index);

private:
    void addPageTab(const ResultPage* page);
    void removePageTab(const ResultPage* page);

    CDoc& doc_;
    CReportFrame* report_;
    CGraphFrame* graph_;
    CLorvanelViewFrame* postList_;
};

} // namespace lorvanel
