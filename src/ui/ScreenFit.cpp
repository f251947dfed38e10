#include "ui/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace lorvanel {

QRect fitToScreen(const QRect& window, const QRect& available) {
    if (available.isEmpty() || available.contains(window)) return window;
    QRect fitted(QPoint(0, 0), window.size().boundedTo(available.size()).expandedTo(QSize(1, 1)));
    fitted.moveCenter(available.center());
    return fitted;
}

void fitWindowToScreen(QWidget& window) {
    const QRect geometry = window.geometry();
    QScreen* screen = QGuiApplication::screenAt(geometry.center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect fitted = fitToScreen(geometry, screen->availableGeometry());
    if (fitted != geometry) window.setGeometry(fitted);
}

} // namespace lorvanel
