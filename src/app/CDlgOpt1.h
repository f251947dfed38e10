#pragma once
// The option sheet's page "全般": auto-load, following the open log's changes, the load size
// limit and the browser list, edited
// in the sheet's scratch copy of the settings.
#include "doc/Settings.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace lorvanel {

// Asks the user for a browser program; an empty text when cancelled.
using BrowserChooser = std::function<QString(QWidget* parent)>;

class CDlgOpt1 : public QWidget {
    Q_OBJECT
public:
    CDlgOpt1(Settings& scratch, BrowserChooser chooser, QWidget* parent = nullptr);

    // The page's OK: reads the controls back into the scratch copy. A size limit that is not
    // a number in 0..512 is refused with a message and false; the copy is then unchanged.
    bool commit();

    // The "..." button: a chosen program goes to the front of the scratch browser list.
    void chooseBrowser();

    QCheckBox* autoLoadBox() const { return autoLoad_; }
    QCheckBox* followBox() const { return follow_; }
    QLineEdit* sizeLimitEdit() const { return sizeLimit_; }
    QCheckBox* browserBox() const { return enableBrowser_; }
    QComboBox* browserCombo() const { return browsers_; }
    QPushButton* chooseButton() const { return choose_; }

private:
    void fillBrowsers();

    Settings& scratch_;
    BrowserChooser chooser_;
    QCheckBox* autoLoad_;
    QCheckBox* follow_;
    QLineEdit* sizeLimit_;
    QCheckBox* enableBrowser_;
    QComboBox* browsers_;
    QPushButton* choose_;
};

} // namespace lorvanel
