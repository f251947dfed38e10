#include "ui/FileDialogFilter.h"

namespace lorvanel {

QStringList nameFilters(const QString& pairs) {
    QStringList filters;
    const QStringList parts = pairs.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString caption = parts[i];
        if (caption.isEmpty()) break;
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString pattern = p.trimmed();
            patterns.push_back(pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
        }
        filters.push_back(caption + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                          QLatin1Char(')'));
    }
    return filters;
}

} // namespace lorvanel
