#pragma once
// The dialog "確認" that asks, when files are dropped on a window that already shows a post
// log, whether to analyse them anew or merge them into the current log.
#include <QDialog>

class QRadioButton;

namespace lorvanel {

class CDlgDropConfirm : public QDialog {
    Q_OBJECT
public:
    explicit CDlgDropConfirm(QWidget* parent = nullptr);
    bool merge() const;
    QRadioButton* newButton() const { return fresh_; }
    QRadioButton* mergeButton() const { return merge_; }

private:
    QRadioButton* fresh_;
    QRadioButton* merge_;
};

} // namespace lorvanel
