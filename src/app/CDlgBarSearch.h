#pragma once
// The search bar above the post list: "検索:", an editable drop-down keeping the patterns
// searched for (most recent first) and the button "検索", and below them the three options of
// the search (in a narrow bar, a button's menu beside "検索"). Enter, the button and F3 ask
// the frame to run the search.
#include "postlist/PostSearch.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QPushButton;
class QToolButton;

namespace lorvanel {

class CDlgBarSearch : public QWidget {
    Q_OBJECT
public:
    explicit CDlgBarSearch(QWidget* parent = nullptr);

    QString pattern() const;
    // Puts a pattern at the top of the drop-down list (an equal entry moves there).
    void rememberPattern(const QString& pattern);
    // Sets the field's text without touching the list of patterns.
    void setPattern(const QString& pattern);
    // The check boxes as search options; their defaults are the exact search.
    SearchOptions options() const;
    void setOptions(const SearchOptions& options);
    QCheckBox* matchCaseBox() const { return matchCase_; }
    QCheckBox* matchKanaBox() const { return matchKana_; }
    QCheckBox* regexBox() const { return regex_; }
    QComboBox* comboBox() const { return combo_; }
    QPushButton* button() const { return button_; }
    // Stands for the options' row where the bar is too narrow for it.
    QToolButton* optionsButton() const { return optionsButton_; }

signals:
    void searchRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QComboBox* combo_;
    QPushButton* button_;
    QCheckBox* matchCase_;
    QCheckBox* matchKana_;
    QCheckBox* regex_;
    QWidget* optionsRow_;
    QToolButton* optionsButton_;
};

} // namespace lorvanel
