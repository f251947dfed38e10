#pragma once
// The about box: the program's title, version and licence, and where the user's settings and
// keyword files are.
#include <QDialog>

namespace lorvanel {

inline constexpr const char* kAppTitle = "Lorvanel";

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    // "Lorvanel Version 1.0.0": the version of the build.
    static QString versionText();
};

} // namespace lorvanel
