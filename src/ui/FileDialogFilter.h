#pragma once
// File-dialog filters written as "caption|patterns|caption|patterns||" (patterns separated by
// ';'), turned into the name filters of a Qt file dialog.
#include <QString>
#include <QStringList>

namespace lorvanel {

// Each pair becomes "caption (patterns)"; "*.*", which means every file where the form comes
// from, becomes "*" so that names without a dot are listed too.
QStringList nameFilters(const QString& pairs);

} // namespace lorvanel
