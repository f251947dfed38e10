#pragma once
// The about box: the program's title and version, and where the user's settings and keyword
// files are.
#include <QDialog>

namespace lorvanel {

inline constexpr const char* kAppTitle = "Lorvanel";
inline constexpr const char* kAppVersion = "1.15";

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    // "Lorvanel Version 1.15".
    static QString versionText();
};

} // namespace lorvanel
