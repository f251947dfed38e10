#pragma once
// The search bar above the post list: "検索:", an editable drop-down keeping the patterns
// searched for (most recent first) and the button "検索". Enter, the button and F3 ask the
// frame to run the search.
#include <QWidget>

class QComboBox;
class QPushButton;

namespace lorvanel {

class CDlgBarSearch : public QWidget {
    Q_OBJECT
public:
    explicit CDlgBarSearch(QWidget* parent = nullptr);

    QString pattern() const;
    // Puts a pattern at the top of the drop-down list (an equal entry moves there).
    void rememberPattern(const QString& pattern);
    QComboBox* comboBox() const { return combo_; }
    QPushButton* button() const { return button_; }

signals:
    void searchRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* combo_;
    QPushButton* button_;
};

} // namespace lorvanel
