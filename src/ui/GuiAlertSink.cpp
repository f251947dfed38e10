#include "ui/GuiAlertSink.h"

#include "ui/QtText.h"

#include <QApplication>
#include <QMessageBox>

namespace lorvanel {

void GuiAlertSink::raiseMainWindow() {
    if (!window_) return;
    if (window_->isMinimized()) window_->showNormal();
    window_->raise();
    window_->activateWindow();
}

void GuiAlertSink::alert(std::string_view text) {
    QString message = toQString(text);
    // Messages of the analysis log end in line breaks that would only pad the box.
    while (message.endsWith(QLatin1Char('\n')) || message.endsWith(QLatin1Char('\r')))
        message.chop(1);
    QWidget* parent = window_ && window_->isVisible() ? window_.data() : nullptr;
    // A load may hold the wait cursor; the box itself takes the ordinary one.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    QMessageBox::warning(parent, QApplication::applicationDisplayName(), message);
    QApplication::restoreOverrideCursor();
}

} // namespace lorvanel
