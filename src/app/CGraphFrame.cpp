#include "app/CGraphFrame.h"

#include "app/CGraphView.h"
#include "doc/Settings.h"
#include "graph/GraphKinds.h"
#include "ui/QtText.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

namespace lorvanel {

CGraphFrame::CGraphFrame(CDoc& doc, QWidget* parent) : QWidget(parent) {
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 2, 4, 2);
    bar->addWidget(new QLabel(QStringLiteral("グラフの種類:"), this));
    chooser_ = new QComboBox(this);
    chooser_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (int i = 0; i < graphKindCount(); ++i) chooser_->addItem(toQString(graphKindTitle(i)));
    bar->addWidget(chooser_);

    options_ = new QToolButton(this);
    options_->setText(QStringLiteral("グラフオプション"));
    options_->setToolTip(QStringLiteral("グラフオプション"));
    options_->setPopupMode(QToolButton::InstantPopup);
    auto* optionsMenu = new QMenu(options_);
    options_->setMenu(optionsMenu);
    copy_ = new QToolButton(this);
    copy_->setText(QStringLiteral("画像をコピー"));
    copy_->setToolTip(QStringLiteral("画像をコピー"));
    bar->addWidget(options_);
    bar->addWidget(copy_);
    bar->addStretch(1);

    view_ = new CGraphView(doc, this);
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

    defaultPane_ = readSettingsFile().getInt("GraphView", "DefaultPane", 0);
    if (defaultPane_ < 0 || defaultPane_ >= graphKindCount()) defaultPane_ = 0;
    chooser_->setCurrentIndex(defaultPane_);
    view_->setKind(defaultPane_);
    updateOptionsButton();
    connect(chooser_, &QComboBox::currentIndexChanged, this, &CGraphFrame::chooseKind);
}

CGraphFrame::~CGraphFrame() {
    const int pane = defaultPane_;
    updateSettingsFile([pane](IniFile& ini) { ini.setInt("GraphView", "DefaultPane", pane); });
}

void CGraphFrame::chooseKind(int index) {
    if (index < 0 || index >= graphKindCount()) return;
    defaultPane_ = index;
    view_->setKind(index);
    updateOptionsButton();
}

void CGraphFrame::updateOptionsButton() {
    options_->setEnabled(view_->kind().hasOptions());
}

} // namespace lorvanel
