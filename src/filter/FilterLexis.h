#pragma once
// The byte classes of the filter language and the scan of a quoted argument, shared by the
// grammar and the command compiler. Filter texts are NUL-terminated and scanned byte by byte.

namespace lorvanel::filterlex {

inline bool isSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
inline const char* skipSpaces(const char* p) {
    while (isSpace(*p)) ++p;
    return p;
}

inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
inline bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
inline bool isWordStart(char c) {
    return isLetter(c) || c == '_';
}
inline bool isWordChar(char c) {
    return isLetter(c) || isDigit(c) || c == '_';
}

// The bytes that end an unquoted argument.
inline bool isOperator(char c) {
    return c == '|' || c == '&' || c == '!' || c == '(' || c == ')' || c == '"';
}

// When p starts a quoted argument, returns its closing quote, else null. A backslash escapes
// the byte after it, whatever that byte is: the scan knows nothing of double-byte characters,
// so a character whose second byte is 0x5C escapes the next byte too.
inline const char* findClosingQuote(const char* p) {
    if (*p != '"') return nullptr;
    for (++p; *p; ++p) {
        if (*p == '"') return p;
        if (*p == '\\' && !*++p) return nullptr;
    }
    return nullptr;
}

} // namespace lorvanel::filterlex
