#pragma once
// What the sub-commands share: option parsing, output in UTF-8 or raw CP932, usage errors.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lorvanel::cli {

// Thrown for a usage error; main prints the message and exits with status 2.
struct UsageError {
    std::string message;
};

// A simple cursor over the arguments after the sub-command's name.
class ArgCursor {
public:
    explicit ArgCursor(const std::vector<std::string>& args) : args_(args) {}
    bool done() const { return i_ >= args_.size(); }
    const std::string& peek() const { return args_[i_]; }
    const std::string& next() { return args_[i_++]; }
    // The value of an option such as "--limit-mb N".
    const std::string& value(const std::string& option);

private:
    const std::vector<std::string>& args_;
    std::size_t i_ = 0;
};

// "--limit-mb N": N megabytes as a byte limit (N << 20); 0 means whole files.
std::uint64_t parseLimitMb(const std::string& text);
// A command-line text (UTF-8) as CP932; a text that can't be converted is a usage error.
std::string argumentToCp932(const std::string& utf8, const char* what);

// Writes a CP932 text to standard output, converted to UTF-8 unless raw.
void writeText(std::string_view cp932, bool raw);
// Writes the analysis log's text to standard error in UTF-8.
void writeAnalysisLogToStderr();

} // namespace lorvanel::cli
