#include "ui/QtText.h"

#include "platform/Alert.h"
#include "platform/Encoding.h"

#include <QFile>

namespace lorvanel {

QString toQString(std::string_view cp932) {
    const std::string utf8 = cp932ToUtf8(cp932);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

bool toCp932(const QString& text, std::string& out) {
    const QByteArray utf8 = text.toUtf8();
    if (utf8ToCp932(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())), out))
        return true;
    out.clear();
    return false;
}

std::string toCp932Lossy(const QString& text) {
    std::string out;
    if (toCp932(text, out)) return out;
    std::string one;
    for (const QChar* p = text.constBegin(); p != text.constEnd(); ++p) {
        // A surrogate pair stays together so that the pair converts (or is dropped) whole.
        qsizetype n = p->isHighSurrogate() && p + 1 != text.constEnd() ? 2 : 1;
        if (toCp932(QString(p, n), one)) out += one;
        p += n - 1;
    }
    return out;
}

QString pathToQString(std::string_view path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::string pathFromQString(const QString& path) {
    const QByteArray bytes = QFile::encodeName(path);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void alertUser(const QString& text) {
    showAlert(toCp932Lossy(text));
}

} // namespace lorvanel
