#include "app/CUiPrompts.h"

#include "app/CAboutDlg.h"
#include "app/CDlgDropConfirm.h"
#include "app/COptionSheet.h"
#include "ui/FileDialogFilter.h"

#include <QDesktopServices>
#include <QFileDialog>

namespace lorvanel {

QString logFileFilter() {
    return QStringLiteral("lorvanel.txt; sent.ini; sendlog.txt|lorvanel.txt;sent.ini;sendlog.txt|"
                          "*.txt;*.ini|*.txt;*.ini|全てのファイル(*.*)|*.*||");
}

QString browserFileFilter() {
#ifdef _WIN32
    return QStringLiteral("(*.exe)|*.exe||");
#else
    // Programs here have no ".exe": offer every file as well, and start with it.
    return QStringLiteral("(*.exe)|*.exe|全てのファイル(*.*)|*.*||");
#endif
}

namespace {
QString runFileDialog(QWidget* parent, const QString& filter, bool preferLast) {
    QFileDialog dialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const QStringList filters = nameFilters(filter);
    dialog.setNameFilters(filters);
    if (preferLast && !filters.isEmpty()) dialog.selectNameFilter(filters.back());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}
} // namespace

QString CUiPrompts::chooseLogFile(QWidget* parent) {
    return runFileDialog(parent, logFileFilter(), false);
}

QString CUiPrompts::chooseBrowserProgram(QWidget* parent) {
#ifdef _WIN32
    return runFileDialog(parent, browserFileFilter(), false);
#else
    return runFileDialog(parent, browserFileFilter(), true);
#endif
}

CUiPrompts::DropChoice CUiPrompts::confirmDrop(QWidget* parent) {
    CDlgDropConfirm dialog(parent);
    if (dialog.exec() != QDialog::Accepted) return DropChoice::Cancel;
    return dialog.merge() ? DropChoice::Merge : DropChoice::New;
}

bool CUiPrompts::runOptionSheet(COptionSheet& sheet) {
    return sheet.exec() == QDialog::Accepted;
}

void CUiPrompts::showAbout(QWidget* parent) {
    CAboutDlg dialog(parent);
    dialog.exec();
}

bool CUiPrompts::openWithDesktop(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

} // namespace lorvanel
