#pragma once
// The modal sheet "設定" with the pages "全般" and "解析". It edits a scratch copy of the
// settings and of the two analysis switches; nothing changes until the caller takes them
// after OK.
#include "app/CDlgOpt1.h"
#include "doc/Settings.h"

#include <QDialog>

class QTabWidget;

namespace lorvanel {

class CDlgAnalyzeOptions;

class COptionSheet : public QDialog {
    Q_OBJECT
public:
    COptionSheet(const Settings& current, int threadRanking, int monthThreadRanking,
                 BrowserChooser chooser, QWidget* parent = nullptr);

    // OK: the general page's values are read back first; a refused value keeps the sheet
    // open on that page.
    void accept() override;

    // The edited copy, meaningful once the sheet was accepted.
    const Settings& edited() const { return scratch_; }
    int threadRanking() const;
    int monthThreadRanking() const;

    CDlgOpt1* generalPage() const { return general_; }
    CDlgAnalyzeOptions* analysisPage() const { return analysis_; }
    QTabWidget* pages() const { return tabs_; }

private:
    Settings scratch_;
    QTabWidget* tabs_;
    CDlgOpt1* general_;
    CDlgAnalyzeOptions* analysis_;
};

} // namespace lorvanel
