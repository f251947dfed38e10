#include "app/CGraphFrame.h"

#include "app/CGraphView.h"
#include "graph/GraphKinds.h"
#include "platform/IniFile.h"
#include "ui/QtText.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace lorvanel {

CGraphFrame::CGraphFrame(DocBridge& bridge, QWidget* parent) : QWidget(parent) {
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 2, 4, 2);
    caption_ = new QLabel(QStringLiteral("グラフの種類:"), this);
    bar->addWidget(caption_);
    chooser_ = new QComboBox(this);
    for (int i = 0; i < graphKindCount(); ++i) chooser_->addItem(toQString(graphKindTitle(i)));
    // The chooser grows to its longest title where there is room, and gives up width first,
    // down to a few characters, so that a narrow window keeps every button whole.
    chooser_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    chooser_->setMaximumWidth(chooser_->sizeHint().width());
    chooser_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    chooser_->setMinimumContentsLength(6);
    chooser_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // The room beyond the buttons goes to the chooser, up to its maximum, before the stretch.
    bar->addWidget(chooser_, 100);

    options_ = new QToolButton(this);
    options_->setText(QStringLiteral("グラフオプション"));
    options_->setToolTip(QStringLiteral("グラフオプション"));
    options_->setPopupMode(QToolButton::InstantPopup);
    auto* optionsMenu = new QMenu(options_);
    options_->setMenu(optionsMenu);
    copy_ = new QToolButton(this);
    copy_->setText(QStringLiteral("画像をコピー"));
    copy_->setToolTip(QStringLiteral("画像をコピー"));
    save_ = new QToolButton(this);
    save_->setText(QStringLiteral("画像を保存..."));
    save_->setToolTip(QStringLiteral("画像を保存..."));
    options_->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    copy_->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
    save_->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    for (QToolButton* b : {options_, copy_, save_}) {
        // A button asks for no more than its icon, so that the bar lets the window grow
        // narrow; resizeEvent shows the texts where they fit.
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        b->setMinimumWidth(b->sizeHint().width());
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        bar->addWidget(b);
    }
    bar->addStretch(1);
    bar_ = bar;

    view_ = new CGraphView(bridge, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(view_, 1);

    // The options menu is the current kind's, built each time it opens just below the
    // button.
    connect(optionsMenu, &QMenu::aboutToShow, this, [this, optionsMenu] {
        optionsMenu->clear();
        view_->fillOptionsMenu(*optionsMenu);
    });
    connect(copy_, &QToolButton::clicked, view_, &CGraphView::copyImageToClipboard);
    connect(save_, &QToolButton::clicked, this, &CGraphFrame::saveImage);

    updateOptionsButton();
    connect(chooser_, &QComboBox::currentIndexChanged, this, &CGraphFrame::chooseKind);
}

void CGraphFrame::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // A narrow frame shows the buttons' icons only (their texts stay as tooltips), so that
    // the bar never cuts a button or lets the chooser run over its label.
    const QMargins margins = bar_->contentsMargins();
    int wide = margins.left() + margins.right() + 4 * bar_->spacing() +
               caption_->minimumSizeHint().width() + chooser_->minimumSizeHint().width();
    for (QToolButton* b : {options_, copy_, save_}) {
        const Qt::ToolButtonStyle was = b->toolButtonStyle();
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        wide += b->sizeHint().width();
        b->setToolButtonStyle(was);
    }
    const Qt::ToolButtonStyle style =
        wide <= width() ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly;
    for (QToolButton* b : {options_, copy_, save_}) b->setToolButtonStyle(style);
}

void CGraphFrame::loadSettings(const IniFile& ini) {
    view_->loadSettings(ini);
    int pane = ini.getInt("GraphView", "DefaultPane", 0);
    if (pane < 0 || pane >= graphKindCount()) pane = 0;
    if (pane == chooser_->currentIndex()) chooseKind(pane);
    chooser_->setCurrentIndex(pane);
}

void CGraphFrame::saveSettings(IniFile& ini) {
    view_->saveSettings(ini);
    ini.setInt("GraphView", "DefaultPane", defaultPane_);
}

void CGraphFrame::chooseKind(int index) {
    if (index < 0 || index >= graphKindCount()) return;
    defaultPane_ = index;
    view_->setKind(index);
    updateOptionsButton();
}

void CGraphFrame::saveImage() {
    QString filter = QStringLiteral("PNG (*.png)");
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("画像を保存"), QStringLiteral("graph.png"),
        QStringLiteral("PNG (*.png);;SVG (*.svg)"), &filter);
    if (path.isEmpty()) return;
    // A name without a suffix takes the chosen type's; otherwise the suffix decides.
    if (QFileInfo(path).suffix().isEmpty())
        path += filter.contains(QStringLiteral("svg")) ? QStringLiteral(".svg")
                                                       : QStringLiteral(".png");
    saveImageTo(path);
}

bool CGraphFrame::saveImageTo(const QString& path) {
    QString error;
    if (view_->saveImage(path, &error)) return true;
    alertUser(QStringLiteral("画像を保存できませんでした。\n%1\n%2").arg(path, error));
    return false;
}

void CGraphFrame::updateOptionsButton() {
    options_->setEnabled(view_->kind().hasOptions());
}

} // namespace lorvanel
