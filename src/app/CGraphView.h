#pragma once
// The graph tab's drawing area: one graph kind at a time, painted through the chart painter
// onto an off-screen pixmap kept between paints, with the readout of the pointer for the
// status bar, the kind's options as context menu and the 640 x 480 image copy. A new
// selection only marks the picture stale: the kind computes its series (once per selection)
// and draws at the next paint, so a hidden graph does nothing until it is shown.
#include "graph/ChartPainter.h"
#include "graph/GraphKind.h"
#include "platform/IniFile.h"

#include <QPixmap>
#include <QWidget>

#include <memory>
#include <string>

class QMenu;

namespace lorvanel {

class CDoc;
class DocBridge;
class ShownRefresh;

class CGraphView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCopyWidth = 640;
    static constexpr int kCopyHeight = 480;

    explicit CGraphView(DocBridge& bridge, QWidget* parent = nullptr);
    ~CGraphView() override;

    // The kinds' settings sections: read into the view, handed to each kind it creates, and
    // written back with the current kind's settings.
    void loadSettings(const IniFile& ini);
    void saveSettings(IniFile& ini);

    // Replaces the kind (the old one stores its settings) and repaints.
    void setKind(int index);
    int kindIndex() const { return kindIndex_; }
    GraphKind& kind() const { return *kind_; }

    // The kind's options as a menu (empty for a kind without options); choosing an item runs
    // the kind's command and repaints.
    void fillOptionsMenu(QMenu& menu);
    // A kind's command (an options menu item), then a repaint.
    void runCommand(int id);
    // The chart on a white 640 x 480 image, as copied to the clipboard.
    QImage copyImage();
    void copyImageToClipboard();
    // The chart at the view's current size into a PNG or SVG file (by its suffix), written
    // through a temporary file; false with the reason when it can't be written.
    bool saveImage(const QString& path, QString* error);

    // The last painted picture (empty before the first paint).
    const QPixmap& picture() const { return picture_; }
    // The picture must be drawn again (a new selection, kind, option or size) at the next
    // paint, or a selection came while the view was hidden.
    bool stale() const;

signals:
    // "x - y" of the pointer over the plot, empty elsewhere.
    void statusMessage(const QString& text);
    // A left click on a part of the picture that selects posts: the filter text (CP932) of
    // the filter tree's item for it.
    void filterClicked(const std::string& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void redraw();
    // Follows the document's current selection.
    void attachSelection();

    CDoc& doc_;
    ChartPainter painter_;
    // The kinds' sections: a kind reads them when created and writes them when it goes.
    IniFile kindSettings_;
    std::unique_ptr<GraphKind> kind_;
    int kindIndex_ = 0;
    QPixmap picture_;
    bool stale_ = true;
    ShownRefresh* refresher_ = nullptr;
};

} // namespace lorvanel
