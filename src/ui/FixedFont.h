#pragma once
// The fixed-pitch Japanese font that texts laid out in columns (the report, result pages)
// are shown in: full-width glyphs exactly two half-widths wide.
#include <QFont>
#include <QString>

namespace lorvanel {

// "ＭＳ ゴシック" when installed, else the first of IPAGothic, Noto Sans Mono CJK JP and the
// system's fixed font whose full-width glyphs measure exactly two half-width ones.
QFont columnFont(int pixelSize);

// Whether full-width glyphs of the font measure exactly two half-width ones.
bool keepsColumns(const QFont& font);

} // namespace lorvanel
