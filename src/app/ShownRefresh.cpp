#include "app/ShownRefresh.h"

#include <QEvent>
#include <QWidget>

namespace lorvanel {

ShownRefresh::ShownRefresh(QWidget* view, std::function<void()> refresh)
    : QObject(view), view_(view), refresh_(std::move(refresh)) {
    view_->installEventFilter(this);
}

void ShownRefresh::request() {
    // A view hidden by itself or by a parent below its window (a tab page behind another)
    // waits; a view in a window not shown yet is laid out at once, as it will be seen first.
    if (view_->isVisibleTo(view_->window())) {
        stale_ = false;
        refresh_();
        return;
    }
    stale_ = true;
}

void ShownRefresh::catchUp() {
    if (!stale_) return;
    stale_ = false;
    refresh_();
}

bool ShownRefresh::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && event->type() == QEvent::Show) catchUp();
    return QObject::eventFilter(watched, event);
}

} // namespace lorvanel
