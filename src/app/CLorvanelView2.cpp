#include "app/CLorvanelView2.h"

#include "app/CLorvanelViewBrowser.h"
#include "app/Commands.h"
#include "app/DocBridge.h"
#include "app/ShownRefresh.h"
#include "doc/CDoc.h"
#include "postlist/PostSearch.h"
#include "postlist/PostText.h"
#include "postlist/RowCopy.h"
#include "postlist/UrlCheck.h"
#include "ui/QtText.h"
#include "ui/ViewColours.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <limits>

namespace lorvanel {

namespace {

constexpr int kTitleRowX = 12;
constexpr int kRowX = 52;
constexpr int kPixelSize = 14;
constexpr int kWheelNotch = 120;

// The list's face: the proportional Gothic of the Japanese desktop when installed, else the
// proportional IPA Gothic, then Noto Sans CJK JP.
QFont listFont(QFont::Weight weight, bool underline) {
    QFont f;
    f.setFamilies({QStringLiteral("ＭＳＰゴシック"), QStringLiteral("IPAPGothic"),
                   QStringLiteral("Noto Sans CJK JP")});
    f.setPixelSize(kPixelSize);
    f.setWeight(weight);
    f.setUnderline(underline);
    return f;
}

// Floor division, so that a point above the viewport lies on a row above the top.
int floorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

void putOnClipboard(const std::string& cp932) {
    QGuiApplication::clipboard()->setText(toQString(cp932));
}

} // namespace

CLorvanelView2::CLorvanelView2(DocBridge& bridge, QWidget* parent)
    : QAbstractScrollArea(parent), doc_(bridge.document()) {
    normalFont_ = listFont(QFont::Normal, false);
    boldFont_ = listFont(QFont::Bold, false);
    linkFont_ = listFont(QFont::Normal, true);
    const QFontMetrics fm(normalFont_);
    rowHeight_ = std::max(1, fm.height() + 4);
    charWidth_ = std::max(1, fm.horizontalAdvance(QStringLiteral("X")));
    ascent_ = fm.ascent();

    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::IBeamCursor);
    // Every pixel is painted from the off-screen picture.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    verticalScrollBar()->setSingleStep(1);
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            &CLorvanelView2::scrollBarAction);
    // Nobody sees a hidden list: a large selection is laid out only when it is looked at, and
    // only the latest one of several changes.
    refresher_ = new ShownRefresh(this, [this] { resetFromDocument(); });
    // The records are about to go: nothing may point at them, not even a paint that some
    // event brings before the new selection arrives.
    connect(&bridge, &DocBridge::aboutToChange, this, [this] {
        dropRecords();
        updateScrollBar();
        viewport()->update();
    });
    connect(&bridge, &DocBridge::changed, this, [this](DocHint hint) {
        if (hint == DocHint::DataChanged) refresher_->request();
    });
    refresher_->request();
}

bool CLorvanelView2::stale() const {
    return refresher_->stale();
}

void CLorvanelView2::catchUp() const {
    // Reading the rows is what the layout is for: a stale list does its deferred work first.
    refresher_->catchUp();
}

const PostRows& CLorvanelView2::rows() const {
    catchUp();
    return rows_;
}

const RowViewport& CLorvanelView2::viewportRows() const {
    catchUp();
    return viewport_;
}

void CLorvanelView2::dropRecords() {
    rows_.clear();
    links_.clear();
    currentPost_ = -1;
    selection_.reset();
    viewport_.reset(0);
    setStatus(QString());
}

void CLorvanelView2::resetFromDocument() {
    dropRecords();
    rows_.reset(doc_.selection());
    viewport_.reset(rows_.totalRows());
    viewport_.setPage(viewport()->height() / rowHeight_);
    updateScrollBar();
    viewport()->update();
}

// ---- scrolling

void CLorvanelView2::updateScrollBar() {
    QScrollBar* bar = verticalScrollBar();
    updatingScrollBar_ = true;
    const RowIndex total = viewport_.total();
    const int last = static_cast<int>(
        std::min<RowIndex>(std::max<RowIndex>(total - 1, 0), std::numeric_limits<int>::max()));
    bar->setRange(0, last);
    bar->setPageStep(static_cast<int>(std::max<RowIndex>(viewport_.page(), 1)));
    bar->setValue(static_cast<int>(viewport_.top()));
    bar->setEnabled(total > 0);
    updatingScrollBar_ = false;
}

void CLorvanelView2::topChanged() {
    updateScrollBar();
    viewport()->update();
}

void CLorvanelView2::scrollBarAction(int action) {
    QScrollBar* bar = verticalScrollBar();
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        viewport_.scrollBarLine(1);
        break;
    case QAbstractSlider::SliderSingleStepSub:
        viewport_.scrollBarLine(-1);
        break;
    case QAbstractSlider::SliderPageStepAdd:
        viewport_.scrollBarPage(1);
        break;
    case QAbstractSlider::SliderPageStepSub:
        viewport_.scrollBarPage(-1);
        break;
    case QAbstractSlider::SliderToMinimum:
        viewport_.scrollBarTo(0);
        break;
    case QAbstractSlider::SliderToMaximum:
        viewport_.scrollBarBottom();
        break;
    case QAbstractSlider::SliderMove:
        viewport_.scrollBarTo(bar->sliderPosition());
        break;
    default:
        return;
    }
    // The slider takes the clamped position before it becomes the value.
    bar->setSliderPosition(static_cast<int>(viewport_.top()));
    viewport()->update();
}

void CLorvanelView2::scrollContentsBy(int, int) {
    if (updatingScrollBar_) return;
    const int value = verticalScrollBar()->value();
    viewport_.setTop(value);
    if (viewport_.top() != value) updateScrollBar();
    viewport()->update();
}

void CLorvanelView2::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    picture_ = QPixmap();
    viewport_.setPage(viewport()->height() / rowHeight_);
    updateScrollBar();
}

void CLorvanelView2::wheelEvent(QWheelEvent* event) {
    // Whole notches only; a finer wheel adds up its steps until they make one.
    wheelRest_ += event->angleDelta().y();
    const int notches = wheelRest_ / kWheelNotch;
    wheelRest_ -= notches * kWheelNotch;
    if (notches != 0) {
        viewport_.wheel(notches * kWheelNotch);
        topChanged();
    }
    event->accept();
}

// ---- keys

bool CLorvanelView2::event(QEvent* event) {
    // The view's own keys win over the window's shortcuts while it has the focus.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool ctrl = key->modifiers() == Qt::ControlModifier;
        if (ctrl &&
            (key->key() == Qt::Key_C || key->key() == Qt::Key_Insert || key->key() == Qt::Key_A)) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void CLorvanelView2::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() == Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Up:
        viewport_.lineUp();
        break;
    case Qt::Key_Down:
        viewport_.lineDown();
        break;
    case Qt::Key_Home:
        viewport_.home();
        break;
    case Qt::Key_End:
        viewport_.end();
        break;
    case Qt::Key_PageUp:
        viewport_.pageUp();
        break;
    case Qt::Key_PageDown:
        viewport_.pageDown();
        break;
    case Qt::Key_F3:
        emit searchRequested();
        return;
    case Qt::Key_C:
    case Qt::Key_Insert:
        if (!ctrl) return QAbstractScrollArea::keyPressEvent(event);
        copySelection();
        return;
    case Qt::Key_A:
        if (!ctrl) return QAbstractScrollArea::keyPressEvent(event);
        selectAll();
        return;
    default:
        return QAbstractScrollArea::keyPressEvent(event);
    }
    topChanged();
}

// ---- mouse

RowIndex CLorvanelView2::rowAt(int y) const {
    catchUp();
    const RowIndex row = viewport_.top() + floorDiv(y, rowHeight_);
    return std::clamp<RowIndex>(row, 0, std::max<RowIndex>(rows_.totalRows() - 1, 0));
}

const CLorvanelView2::Link* CLorvanelView2::linkAt(const QPoint& pos) const {
    for (const Link& l : links_)
        if (l.rect.contains(pos)) return &l;
    return nullptr;
}

void CLorvanelView2::setStatus(const QString& text) {
    if (text == status_) return;
    status_ = text;
    emit statusMessage(text);
}

void CLorvanelView2::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (const Link* link = linkAt(pos)) {
            setCurrentPost(link->post);
            QMenu* menu = createPostMenu(this);
            menu->exec(event->globalPosition().toPoint());
            delete menu;
            return;
        }
        selection_.press(rowAt(pos.y()));
        viewport()->update();
    } else if (event->button() == Qt::RightButton) {
        if (!selection_.contains(rowAt(pos.y()))) {
            selection_.clear();
            viewport()->update();
        }
    }
}

void CLorvanelView2::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (const Link* link = linkAt(pos)) {
        viewport()->setCursor(Qt::PointingHandCursor);
        setStatus(toQString(rows_.post(link->post).urlText()));
    } else {
        viewport()->setCursor(Qt::IBeamCursor);
        setStatus(QString());
    }
    if ((event->buttons() & Qt::LeftButton) && !rows_.empty()) {
        selection_.dragTo(rowAt(pos.y()));
        viewport()->update();
    }
}

void CLorvanelView2::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createContextMenu(rowAt(event->pos().y()), this);
    menu->exec(event->globalPos());
    delete menu;
}

QMenu* CLorvanelView2::createContextMenu(RowIndex rowUnderPointer, QWidget* parent) {
    auto* menu = new QMenu(parent);
    QAction* copy = menu->addAction(QStringLiteral("コピー(&C)\tCtrl+C"));
    copy->setData(cmd::kCopy);
    copy->setEnabled(selection_.contains(rowUnderPointer));
    connect(copy, &QAction::triggered, this, &CLorvanelView2::copySelection);
    QAction* all = menu->addAction(QStringLiteral("全て選択(&A)\tCtrl+A"));
    all->setData(cmd::kSelectAll);
    connect(all, &QAction::triggered, this, &CLorvanelView2::selectAll);
    return menu;
}

QMenu* CLorvanelView2::createPostMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    const PostRecord* post = currentPostRecord();
    const bool hasUrl = post && !post->urlText().empty();
    QAction* copyPost = menu->addAction(QStringLiteral("書き込みをコピー"));
    copyPost->setData(cmd::kCopyPost);
    connect(copyPost, &QAction::triggered, this, &CLorvanelView2::copyCurrentPost);
    QAction* copyUrl = menu->addAction(QStringLiteral("URLをコピー"));
    copyUrl->setData(cmd::kCopyUrl);
    copyUrl->setEnabled(hasUrl);
    connect(copyUrl, &QAction::triggered, this, &CLorvanelView2::copyCurrentUrl);
    menu->addSeparator();
    QAction* open = menu->addAction(QStringLiteral("ブラウザで開く"));
    open->setData(cmd::kOpenInBrowser);
    open->setEnabled(hasUrl);
    connect(open, &QAction::triggered, this, &CLorvanelView2::openCurrentUrl);
    return menu;
}

// ---- commands

void CLorvanelView2::copySelection() {
    catchUp();
    if (!selection_.any()) return;
    const std::string text = copyRows(rows_, selection_.start(), selection_.end());
    if (!text.empty()) putOnClipboard(text);
}

void CLorvanelView2::selectAll() {
    catchUp();
    selection_.selectAll(rows_.totalRows());
    viewport()->update();
}

bool CLorvanelView2::search(const std::string& pattern) {
    catchUp();
    return showHit(searchRows(rows_, pattern, selection_.end()));
}

bool CLorvanelView2::search(const SearchPattern& pattern, bool fromTop) {
    catchUp();
    return showHit(searchRows(rows_, pattern, fromTop ? RowIndex(-1) : selection_.end()));
}

bool CLorvanelView2::showHit(std::optional<RowIndex> hit) {
    if (!hit) return false;
    selection_.selectRange(*hit, *hit);
    if (viewport_.reveal(*hit))
        topChanged();
    else
        viewport()->update();
    return true;
}

void CLorvanelView2::setTopRow(RowIndex row) {
    catchUp();
    viewport_.setTop(row);
    topChanged();
}

void CLorvanelView2::setCurrentPost(std::size_t index) {
    catchUp();
    currentPost_ = index < rows_.postCount() ? static_cast<std::ptrdiff_t>(index) : -1;
}

const PostRecord* CLorvanelView2::currentPostRecord() const {
    if (currentPost_ < 0 || static_cast<std::size_t>(currentPost_) >= rows_.postCount())
        return nullptr;
    return &rows_.post(static_cast<std::size_t>(currentPost_));
}

void CLorvanelView2::copyCurrentPost() {
    if (const PostRecord* post = currentPostRecord()) putOnClipboard(postText(*post));
}

bool CLorvanelView2::usableCurrentUrl(std::string& url) const {
    const PostRecord* post = currentPostRecord();
    if (!post) return false;
    url = post->urlText();
    if (isUsableUrl(url)) return true;
    alertUser(QStringLiteral("URLを取得出来ませんでした"));
    return false;
}

void CLorvanelView2::copyCurrentUrl() {
    std::string url;
    if (usableCurrentUrl(url)) putOnClipboard(url);
}

void CLorvanelView2::openCurrentUrl() {
    std::string url;
    if (usableCurrentUrl(url)) openThreadInBrowser(browserUrl(url));
}

// ---- painting

void CLorvanelView2::paintEvent(QPaintEvent*) {
    // A hidden list can still be painted (grabbed into an image).
    catchUp();
    const qreal ratio = devicePixelRatioF();
    const QSize size = viewport()->size();
    if (picture_.isNull() || picture_.deviceIndependentSize().toSize() != size) {
        picture_ = QPixmap(size * ratio);
        picture_.setDevicePixelRatio(ratio);
    }
    {
        QPainter painter(&picture_);
        paintRows(painter);
    }
    QPainter screen(viewport());
    screen.drawPixmap(0, 0, picture_);
}

void CLorvanelView2::paintRows(QPainter& painter) {
    links_.clear();
    const QSize size = viewport()->size();
    colours_ = postListColours(palette());
    painter.fillRect(QRect(QPoint(0, 0), size), colours_.background);
    if (!rows_.contains(viewport_.top())) return;
    const RowPosition at = rows_.locate(viewport_.top());
    int y = -at.offset * rowHeight_;
    for (std::size_t i = at.post; i < rows_.postCount() && y < size.height(); ++i) {
        paintPost(painter, i, y);
        y += rows_.rowsOf(i) * rowHeight_;
    }
}

namespace {

// Draws texts one after another along a row, in the highlight's colours when the row is
// selected (the text's background only, as the text is drawn).
class RowPen {
public:
    RowPen(QPainter& painter, const QPalette& palette, int x, int top, int ascent, bool selected)
        : painter_(painter), palette_(palette), x_(x), top_(top), ascent_(ascent),
          selected_(selected) {}

    int x() const { return x_; }
    void skip(int dx) { x_ += dx; }

    // Draws text and returns its rectangle.
    QRect draw(const QString& text, const QFont& font, const QColor& colour,
               bool highlight = true) {
        painter_.setFont(font);
        const QFontMetrics fm = painter_.fontMetrics();
        const int width = fm.horizontalAdvance(text);
        const QRect cell(x_, top_, width, fm.height());
        if (selected_ && highlight) {
            painter_.fillRect(cell, palette_.color(QPalette::Highlight));
            painter_.setPen(palette_.color(QPalette::HighlightedText));
        } else {
            painter_.setPen(colour);
        }
        painter_.drawText(x_, top_ + ascent_, text);
        x_ += width;
        return cell;
    }

private:
    QPainter& painter_;
    const QPalette& palette_;
    int x_;
    int top_;
    int ascent_;
    bool selected_;
};

} // namespace

void CLorvanelView2::paintPost(QPainter& painter, std::size_t index, int y) {
    const PostRecord& p = rows_.post(index);
    const RowIndex first = rows_.firstRowOf(index);
    const int height = viewport()->height();
    const int bodyRows = bodyRowCount(p);
    auto visible = [&](int row) {
        const int top = y + row * rowHeight_;
        return top + rowHeight_ > 0 && top < height;
    };
    auto pen = [&](int row, int x) {
        return RowPen(painter, palette(), x, y + row * rowHeight_, ascent_,
                      selection_.contains(first + row));
    };
    // A link's rectangle runs from a pixel above its row to 3 pixels above the next row.
    auto linkRect = [&](const QRect& cell) {
        return QRect(cell.left(), cell.top() - 1, cell.width(), rowHeight_ - 2);
    };

    if (visible(0)) {
        RowPen row = pen(0, kTitleRowX);
        const QRect number =
            row.draw(QString::number(p.seq), linkFont_, colours_.number, /*highlight=*/false);
        links_.push_back({linkRect(number), index});
        row.skip(charWidth_);
        std::string text;
        appendShownRowText(text, p.title ? p.title : "");
        const QRect title = row.draw(toQString(text), boldFont_, colours_.title);
        links_.push_back({linkRect(title), index});
        row.draw(QStringLiteral(" ("), normalFont_, colours_.text);
        text.clear();
        appendRowText(text, p.boardName());
        row.draw(toQString(text), normalFont_, colours_.board);
        row.draw(QStringLiteral(")"), normalFont_, colours_.text);
    }
    if (visible(1)) {
        RowPen row = pen(1, kRowX);
        row.draw(QStringLiteral("名前："), normalFont_, colours_.text);
        std::string text;
        appendShownRowText(text, p.name ? p.name : "");
        row.draw(toQString(text), normalFont_, colours_.name);
        text.clear();
        text += '[';
        appendShownRowText(text, p.mail ? p.mail : "");
        text += "] ";
        QString rest = toQString(text) + QStringLiteral("投稿日：");
        rest += toQString(postDateText(p));
        row.draw(rest, normalFont_, colours_.text);
    }
    ShownBodyRowCursor body(p.body, bodyRows);
    std::string scratch;
    for (int r = 0; r < bodyRows; ++r) {
        const std::string_view raw = body.next();
        const int row = 2 + r;
        if (y + row * rowHeight_ >= height) break;
        if (!visible(row) || raw.empty()) continue;
        std::string_view text = raw;
        // A row longer than a screen is cut before it is converted and shaped: the length
        // test comes first, so that a huge line is never scanned for breaks.
        if (raw.size() > kShownRowChars || hasLineBreak(raw)) {
            scratch.clear();
            appendShownRowText(scratch, raw);
            text = scratch;
        }
        pen(row, kRowX).draw(toQString(text), normalFont_, colours_.text);
    }
}

} // namespace lorvanel
