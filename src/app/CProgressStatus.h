#pragma once
// The status bar's part for a long operation: the step's name, a busy bar and a cancel button,
// shown once an operation of the runner has lasted 300 ms; Esc cancels too.
#include <QWidget>

class QLabel;
class QProgressBar;
class QShortcut;
class QTimer;
class QToolButton;

namespace lorvanel {

class COperationRunner;

class CProgressStatus : public QWidget {
    Q_OBJECT
public:
    // Esc is taken in window while an operation runs.
    CProgressStatus(COperationRunner& runner, QWidget* window, QWidget* parent = nullptr);

    // The name shown for the runner's current step.
    QString stepText() const;
    QToolButton* cancelButton() const { return cancel_; }

private:
    void operationStarted();
    void operationFinished();
    void refresh();

    COperationRunner& runner_;
    QLabel* label_;
    QProgressBar* bar_;
    QToolButton* cancel_;
    QShortcut* escape_;
    QTimer* showTimer_;
    QTimer* stepTimer_;
};

} // namespace lorvanel
