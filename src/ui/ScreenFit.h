#pragma once
// Keeps a restored window on a screen: a placement saved on a larger screen, or written by
// hand, must never make a window larger than the screen it opens on.
#include <QRect>

class QWidget;

namespace lorvanel {

// The window's rectangle as it opens on a screen of the given available area: unchanged when
// it lies wholly inside; otherwise no larger than the area and centred in it.
QRect fitToScreen(const QRect& window, const QRect& available);

// Fits a top-level window's normal geometry to the available area of the screen it is on (the
// primary screen when it is on none).
void fitWindowToScreen(QWidget& window);

} // namespace lorvanel
