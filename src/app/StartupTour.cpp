#include "app/StartupTour.h"

#include "app/CMainFrame.h"
#include "app/CMainView.h"

#include <QCoreApplication>
#include <QTabWidget>

namespace lorvanel {

namespace {
int tour(QTabWidget* tabs) {
    if (!tabs) return 0;
    const int start = tabs->currentIndex();
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QCoreApplication::processEvents();
        // Painted now, whether or not the platform exposes the window.
        if (QWidget* page = tabs->currentWidget()) page->grab();
    }
    tabs->setCurrentIndex(start);
    QCoreApplication::processEvents();
    return tabs->count();
}
} // namespace

int tourTabs(CMainFrame& frame) {
    return tour(frame.filterPane()) + tour(frame.mainView());
}

} // namespace lorvanel
