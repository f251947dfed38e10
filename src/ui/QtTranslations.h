#pragma once
// Qt's own Japanese texts (file dialogs, standard buttons, context menus of edit fields), so
// that nothing of the window speaks English beside the program's Japanese captions.
class QCoreApplication;

namespace lorvanel {

// Installs Qt's Japanese translation once per process, whatever the locale. Returns whether
// it is installed (false when the translation files are not there: Qt's English stays).
bool installQtJapanese(QCoreApplication& app);

} // namespace lorvanel
