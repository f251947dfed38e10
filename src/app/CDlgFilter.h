#pragma once
// The dialog "フィルタ" in which a custom filter is named and written: the description of the
// filter language above the name and the filter text. OK accepts only a name without ","
// and a text that compiles.
#include <QDialog>

#include <string>

class QLineEdit;
class QPlainTextEdit;

namespace lorvanel {

class CDlgFilter : public QDialog {
    Q_OBJECT
public:
    // name and text are CP932. With focusName the name field gets the focus, its text
    // selected (new, duplicate, from selection); otherwise the filter text field.
    CDlgFilter(const std::string& name, const std::string& text, bool focusName,
               QWidget* parent = nullptr);

    // The fields as CP932, valid after OK.
    const std::string& name() const { return name_; }
    const std::string& text() const { return text_; }

    QLineEdit* nameField() const { return nameEdit_; }
    QLineEdit* textField() const { return textEdit_; }
    QPlainTextEdit* descriptionField() const { return description_; }

    // The description shown: the file's text, or the message of the failure to read it.
    static QString description(const std::string& memoPath);

public slots:
    // Checks the fields; the dialog stays open when they are refused.
    void accept() override;

private:
    QPlainTextEdit* description_;
    QLineEdit* nameEdit_;
    QLineEdit* textEdit_;
    std::string name_;
    std::string text_;
};

} // namespace lorvanel
