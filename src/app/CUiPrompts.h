#pragma once
// The questions the main window asks the user through modal dialogs. The desktop program
// uses the real dialogs; tests answer them without showing anything.
#include <QString>
#include <QUrl>

class QWidget;

namespace lorvanel {

class COptionSheet;

class CUiPrompts {
public:
    enum class DropChoice { Cancel, New, Merge };

    virtual ~CUiPrompts() = default;
    // The open dialog for a post log; an empty text when cancelled.
    virtual QString chooseLogFile(QWidget* parent);
    // The "..." dialog of the option page; an empty text when cancelled.
    virtual QString chooseBrowserProgram(QWidget* parent);
    // Files were dropped while a post log is loaded: analyse anew, merge, or cancel.
    virtual DropChoice confirmDrop(QWidget* parent);
    // Runs the option sheet; true when it ended with OK.
    virtual bool runOptionSheet(COptionSheet& sheet);
    virtual void showAbout(QWidget* parent);
    // Hands a file or link to the desktop's handler for it (no shell is involved).
    virtual bool openWithDesktop(const QUrl& url);
};

// The filter strings of the two file dialogs.
QString logFileFilter();
QString browserFileFilter();

} // namespace lorvanel
