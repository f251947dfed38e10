#pragma once
// The one option parser of every sub-command. A command says which of the common options it
// takes, declares its own options, and parses its arguments in one call:
//
//     ReportSwitches sw;
//     CommandLine line(kLimitMb | kFilter | kSjis);
//     line.flag("--no-thread-ranking", [&] { sw.threadRanking = false; });
//     line.option("--now", [&](const std::string& v) { sw.now = parseNow(v); });
//     const CommonOptions common = line.parse(args);
//
// Rules, the same for every command:
// - Options and operands may come in any order; "--" ends the options; "-" and any argument
//   that doesn't start with '-' is an operand (a log file, unless operands() says otherwise).
// - "--name=value" is the same as "--name value".
// - "-" as a log file is standard input (cli/StandardInput.h), once at most.
// - An unknown option (with the nearest known one suggested), an option without its value, a
//   value given to a flag, a bad --limit-mb number, a text that can't be written in CP932 and
//   a wrong number of operands throw UsageError (exit 2).
// - --filter TEXT is converted to CP932 and compiled at once; a text that doesn't compile
//   throws FilterError with the compiler's message (exit 1), before any file is read.
// - --jdim, for a command whose operands are log files, stands for the files of JDim's post
//   log (oldest first, where it stood); when there are none it throws LogsNotFound with the
//   message that says where they were looked for (exit 1).
// main() catches both, prints "lorvanel-cli COMMAND: message" on stderr and exits.
#include "platform/Time32.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace lorvanel::cli {

// The common options a command may take.
enum CommonOption : unsigned {
    kLimitMb = 1u << 0, // --limit-mb N: at most the newest N MB of each file (0 = whole files)
    kFilter = 1u << 1,  // --filter TEXT: only the posts that the filter text selects
    kSjis = 1u << 2,    // --sjis: texts printed in raw CP932 instead of UTF-8
};

// What parse() found of the common options, and the operands.
struct CommonOptions {
    std::uint64_t byteLimit = 0;       // bytes (N << 20); 0 = whole files
    std::optional<std::string> filter; // CP932; it compiled when parsed
    bool sjis = false;
    std::vector<std::string> operands; // the log files unless operands() says otherwise
};

// Thrown for a usage error; main prints the message and the command's usage, exit status 2.
struct UsageError {
    std::string message;
};

// Thrown when the filter text doesn't compile; main prints the message, exit status 1.
struct FilterError {
    std::string message; // UTF-8
};

// Thrown when --jdim finds no log; main prints the message (UTF-8 lines), exit status 1.
struct LogsNotFound {
    std::string message;
};

// Thrown when the command can't go on (standard input can't be read); main prints
// "lorvanel-cli: message", exit status 1.
struct CommandFailed {
    std::string message;
};

class CommandLine {
public:
    explicit CommandLine(unsigned commonOptions);

    // An option without a value ("--no-thread-ranking").
    CommandLine& flag(std::string name, std::function<void()> set);
    // An option with one value ("--now SECONDS"); apply may throw UsageError.
    CommandLine& option(std::string name, std::function<void(const std::string& value)> apply);
    // How many operands the command takes, and the usage error when there are too few or too
    // many. Default: at least one log file ("no log file given").
    CommandLine& operands(std::size_t min, std::size_t max, std::string wrongCountMessage);

    CommonOptions parse(const std::vector<std::string>& args) const;

private:
    // Every option name the command knows, for suggestions.
    std::vector<std::string> knownNames() const;

    struct Declared {
        std::string name;
        std::function<void()> set;
        std::function<void(const std::string&)> apply; // set when the option takes a value
    };

    unsigned common_;
    std::vector<Declared> declared_;
    std::size_t minOperands_ = 1;
    std::size_t maxOperands_ = std::numeric_limits<std::size_t>::max();
    std::string wrongCountMessage_ = "no log file given";
    bool operandsAreLogs_ = true;
};

// "--now \"YYYY/MM/DD HH:MM:SS\"": a local time, the moment that today and this week refer to.
Time32 parseNow(const std::string& text);
// "--limit-mb N": N megabytes as a byte limit (N << 20); 0 means whole files.
std::uint64_t parseLimitMb(const std::string& text);
// A command-line text (UTF-8) as CP932; a text that can't be converted is a usage error.
std::string argumentToCp932(const std::string& utf8, const char* what);

} // namespace lorvanel::cli
