#pragma once
// "Stale while hidden, refreshed once when shown" for a view: a change that comes while the
// view is not on screen (another tab in front) only marks it stale, and the refresh runs once,
// for the latest change, when the view is shown or its contents are read.
#include <QObject>

#include <functional>

class QWidget;

namespace lorvanel {

class ShownRefresh : public QObject {
    Q_OBJECT
public:
    // refresh rebuilds the view from the document; it must not outlive the view.
    ShownRefresh(QWidget* view, std::function<void()> refresh);

    // The document changed: refreshes now when the view is shown, else marks it stale.
    void request();
    // Refreshes a stale view (before its contents are read); nothing when current.
    void catchUp();
    bool stale() const { return stale_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* view_;
    std::function<void()> refresh_;
    bool stale_ = false;
};

} // namespace lorvanel
