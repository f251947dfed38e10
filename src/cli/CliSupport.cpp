#include "cli/CliSupport.h"

#include "input/AnalysisLog.h"
#include "platform/Encoding.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace lorvanel::cli {

const std::string& ArgCursor::value(const std::string& option) {
    if (done()) throw UsageError{option + " needs a value"};
    return next();
}

std::uint64_t parseLimitMb(const std::string& text) {
    char* end = nullptr;
    errno = 0;
    unsigned long long n = std::strtoull(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || text[0] == '-' || n > (1ull << 40))
        throw UsageError{"--limit-mb needs a number of megabytes, not '" + text + "'"};
    return static_cast<std::uint64_t>(n) << 20;
}

std::string argumentToCp932(const std::string& utf8, const char* what) {
    std::string out;
    if (!utf8ToCp932(utf8, out))
        throw UsageError{std::string(what) + " can't be written in Shift_JIS (CP932): " + utf8};
    return out;
}

void writeText(std::string_view cp932, bool raw) {
    if (raw) {
        std::fwrite(cp932.data(), 1, cp932.size(), stdout);
        return;
    }
    const std::string utf8 = cp932ToUtf8(cp932);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

void writeAnalysisLogToStderr() {
    const std::string utf8 = cp932ToUtf8(analysisLog().text());
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
}

} // namespace lorvanel::cli
