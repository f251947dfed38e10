#include "ui/FixedFont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>

namespace lorvanel {

bool keepsColumns(const QFont& font) {
    const QFontMetrics m(font);
    const int half = m.horizontalAdvance(QStringLiteral("0"));
    return half > 0 && m.horizontalAdvance(QStringLiteral("あ漢ア")) == 6 * half &&
           m.horizontalAdvance(QStringLiteral("ｱ*")) == 2 * half;
}

QFont columnFont(int pixelSize) {
    static const QStringList candidates = {QStringLiteral("ＭＳ ゴシック"),
                                           QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic"),
                                           QStringLiteral("Noto Sans Mono CJK JP")};
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : candidates) {
        if (!installed.contains(family, Qt::CaseInsensitive)) continue;
        QFont font(family);
        font.setPixelSize(pixelSize);
        font.setWeight(QFont::Normal);
        font.setStyleHint(QFont::TypeWriter);
        if (QFontInfo(font).family().compare(family, Qt::CaseInsensitive) == 0 &&
            keepsColumns(font))
            return font;
    }
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace lorvanel
