#pragma once
// The texts of a JDim post log (UTF-8, HTML-escaped, "<br>" for line breaks) turned into the
// CP932 texts of the core, one field at a time and in one pass over its bytes.
#include <cstddef>

namespace lorvanel {

enum class JDimField {
    Raw,     // the thread URL: characters converted, nothing unescaped
    Escaped, // board, subject, name, mail: "&amp;" "&quot;" "&lt;" "&gt;" unescaped
    Message, // as Escaped, "<br>" (or CR "<br>") becomes CR LF, and a raw "&" inside a URL
             // (from a scheme such as "http://" or "ttp://" on) stays as it is
};

// The converted text is never longer than this many times its source (a two-byte character
// CP932 lacks becomes a reference of up to seven bytes, "&#2047;").
inline constexpr std::size_t kJDimMaxGrowth = 4;

// What a conversion met, added up over the calls that share it.
struct JDimCounts {
    std::size_t invalid = 0;         // malformed UTF-8 sequences, each written as one "?"
    std::size_t carriageReturns = 0; // CR bytes written (a message's lines are one more)
};

// Writes the CP932 form of [begin, end) at out, which has room for kJDimMaxGrowth times the
// source's length and does not overlap it, and returns the end of what it wrote (no NUL is
// added). Characters CP932 lacks become decimal references "&#N;"; each malformed UTF-8
// sequence (a stray byte, or the valid start of a cut character) becomes one "?".
char* convertJDimText(const char* begin, const char* end, JDimField kind, char* out,
                      JDimCounts& counts);

} // namespace lorvanel
