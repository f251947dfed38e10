#include "app/CGraphView.h"

#include "app/Commands.h"
#include "app/DocBridge.h"
#include "app/ShownRefresh.h"
#include "doc/CDoc.h"
#include "graph/GraphKinds.h"
#include "paint/GraphImageQt.h"
#include "paint/GraphPictureFile.h"
#include "ui/QtText.h"
#include "ui/ViewColours.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace lorvanel {

CGraphView::CGraphView(DocBridge& bridge, QWidget* parent)
    : QWidget(parent), doc_(bridge.document()) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
    setMinimumSize(200, 150);
    // A hidden graph takes a new selection only when it is shown again.
    refresher_ = new ShownRefresh(this, [this] { attachSelection(); });
    setKind(0);
    // The selection's list is about to go; nothing may read it until it is attached again.
    connect(&bridge, &DocBridge::aboutToChange, this, [this] { kind_->attach(nullptr); });
    connect(&bridge, &DocBridge::changed, this, [this](DocHint hint) {
        if (hint == DocHint::DataChanged) refresher_->request();
    });
}

CGraphView::~CGraphView() = default;

void CGraphView::loadSettings(const IniFile& ini) {
    kindSettings_ = IniFile();
    for (const std::string& section : graphSettingsSections())
        for (const std::string& key : ini.keys(section))
            if (auto value = ini.getString(section, key))
                kindSettings_.setString(section, key, *value);
    // The current kind read the defaults: it is made again from the sections.
    kind_.reset();
    setKind(kindIndex_);
}

void CGraphView::saveSettings(IniFile& ini) {
    // A kind writes its settings when it goes: the current one is made again afterwards.
    kind_.reset();
    for (const std::string& section : graphSettingsSections())
        for (const std::string& key : kindSettings_.keys(section))
            if (auto value = kindSettings_.getString(section, key))
                ini.setString(section, key, *value);
    setKind(kindIndex_);
}

void CGraphView::setKind(int index) {
    if (index < 0 || index >= graphKindCount()) index = 0;
    // The old kind writes its settings into kindSettings_ as it goes; the new one reads them.
    kind_.reset();
    kind_ = createGraphKind(index, painter_, &kindSettings_);
    // The view paints one selection many times (every resize, the copied image): its series
    // are computed once per selection.
    kind_->keepSeries(true);
    kindIndex_ = index;
    attachSelection();
}

void CGraphView::attachSelection() {
    kind_->attach(&doc_.selection());
    redraw();
}

bool CGraphView::stale() const {
    return stale_ || refresher_->stale();
}

void CGraphView::redraw() {
    stale_ = true;
    update();
}

void CGraphView::paintEvent(QPaintEvent*) {
    // A picture taken of a view that was never shown (grab) shows the current selection too.
    refresher_->catchUp();
    if (picture_.size() != size()) {
        picture_ = QPixmap(size());
        stale_ = true;
    }
    if (stale_ && !picture_.isNull()) {
        paintGraph(*kind_, painter_, picture_, width(), height());
        // The kinds draw in the light colours of the saved pictures; a dark desktop gets
        // them turned to its own.
        if (isDarkPalette(palette())) {
            QImage image = picture_.toImage();
            recolourForPalette(image, palette());
            picture_ = QPixmap::fromImage(image);
        }
        stale_ = false;
    }
    QPainter screen(this);
    screen.drawPixmap(0, 0, picture_);
}

void CGraphView::resizeEvent(QResizeEvent* event) {
    // The pixmap of the old size is given up; the next paint makes one of the new size.
    picture_ = QPixmap();
    stale_ = true;
    QWidget::resizeEvent(event);
}

void CGraphView::changeEvent(QEvent* event) {
    // A desktop that turns dark (or light) gets the picture in its new colours.
    if (event->type() == QEvent::PaletteChange) redraw();
    QWidget::changeEvent(event);
}

void CGraphView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    const std::optional<GraphReadout> r = kind_->readout(p.x(), p.y());
    emit statusMessage(r ? toQString(r->x) + QStringLiteral(" - ") + toQString(r->y) : QString());
}

void CGraphView::mousePressEvent(QMouseEvent* event) {
    // What the picture on the screen shows under the pointer, as the readout names it.
    if (event->button() == Qt::LeftButton) {
        const QPoint p = event->position().toPoint();
        const std::string text = kind_->filterAt(p.x(), p.y());
        if (!text.empty()) emit filterClicked(text);
    }
    QWidget::mousePressEvent(event);
}

void CGraphView::leaveEvent(QEvent* event) {
    emit statusMessage(QString());
    QWidget::leaveEvent(event);
}

void CGraphView::fillOptionsMenu(QMenu& menu) {
    for (const GraphOption& option : kind_->options()) {
        QAction* action = menu.addAction(toQString(option.caption));
        action->setCheckable(true);
        action->setChecked(option.checked);
        const int id = option.command;
        connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
    }
}

void CGraphView::runCommand(int id) {
    if (id == cmd::kCopyGraphImage) {
        copyImageToClipboard();
        return;
    }
    kind_->command(id);
    redraw();
}

void CGraphView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    fillOptionsMenu(menu);
    if (!menu.isEmpty()) menu.exec(event->globalPos());
}

QImage CGraphView::copyImage() {
    QImage image = renderGraphImage(*kind_, painter_, kCopyWidth, kCopyHeight);
    // The painter's plot now belongs to the image; the next paint puts the view's back.
    redraw();
    return image;
}

void CGraphView::copyImageToClipboard() {
    QGuiApplication::clipboard()->setImage(copyImage());
}

bool CGraphView::saveImage(const QString& path, QString* error) {
    const int w = width(), h = height();
    const bool saved = saveGraphPicture(
        path, pictureFormatOf(path), QSize(w, h),
        [&](QPaintDevice& device) { paintGraph(*kind_, painter_, device, w, h); }, error);
    // The painter last drew on the file's device; the next paint draws the view again.
    redraw();
    return saved;
}

} // namespace lorvanel
