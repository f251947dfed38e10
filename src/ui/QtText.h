#pragma once
// The one place where the core's CP932 texts become widget text and back, and where the
// operating system's path bytes become file names that widgets show.
#include <QString>

#include <string>
#include <string_view>

namespace lorvanel {

// Undecodable bytes show as U+FFFD.
QString toQString(std::string_view cp932);
// False (out cleared) when the text holds a character that CP932 has no code for.
bool toCp932(const QString& text, std::string& out);
// The same, with characters CP932 lacks dropped; for texts whose loss is harmless.
std::string toCp932Lossy(const QString& text);

// Paths as the operating system's bytes, the form every core function takes.
QString pathToQString(std::string_view path);
std::string pathFromQString(const QString& path);

// Shows a message box through the process's alert sink (which the tests replace).
void alertUser(const QString& text);

} // namespace lorvanel
