#include "cli/CommandLine.h"

#include "cli/NearestName.h"
#include "cli/StandardInput.h"

#include "filter/CompileFilter.h"
#include "input/JDimLogFiles.h"
#include "platform/Encoding.h"
#include "platform/LocalTime.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace lorvanel::cli {

CommandLine::CommandLine(unsigned commonOptions) : common_(commonOptions) {}

CommandLine& CommandLine::flag(std::string name, std::function<void()> set) {
    declared_.push_back({std::move(name), std::move(set), {}});
    return *this;
}

CommandLine& CommandLine::option(std::string name,
                                 std::function<void(const std::string& value)> apply) {
    declared_.push_back({std::move(name), {}, std::move(apply)});
    return *this;
}

CommandLine& CommandLine::operands(std::size_t min, std::size_t max,
                                   std::string wrongCountMessage) {
    operandsAreLogs_ = false;
    minOperands_ = min;
    maxOperands_ = max;
    wrongCountMessage_ = std::move(wrongCountMessage);
    return *this;
}

namespace {

// The filter text in CP932, compiled once: a text that doesn't compile stops the command
// before anything is loaded. It is compiled again over the loaded posts.
std::string compiledFilter(const std::string& utf8) {
    std::string text = argumentToCp932(utf8, "--filter");
    std::string message;
    if (!compileFilterQuietly(text, &message)) {
        while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
            message.pop_back();
        throw FilterError{"--filter: " + cp932ToUtf8(message)};
    }
    return text;
}

} // namespace

std::vector<std::string> CommandLine::knownNames() const {
    std::vector<std::string> names{"--help"};
    if (operandsAreLogs_) names.push_back("--jdim");
    if (common_ & kLimitMb) names.push_back("--limit-mb");
    if (common_ & kFilter) names.push_back("--filter");
    if (common_ & kSjis) names.push_back("--sjis");
    for (const Declared& d : declared_) names.push_back(d.name);
    return names;
}

CommonOptions CommandLine::parse(const std::vector<std::string>& args) const {
    CommonOptions o;
    bool optionsEnd = false;
    bool stdinTaken = false;
    std::optional<std::size_t> jdimAt; // where --jdim stood among the operands
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnd || arg.empty() || arg[0] != '-' || arg == "-") {
            if (arg == "-" && operandsAreLogs_) {
                if (stdinTaken) throw UsageError{"standard input ('-') can be read only once"};
                stdinTaken = true;
                o.operands.push_back(standardInputCopy());
                continue;
            }
            o.operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnd = true;
            continue;
        }
        // "--name=value": the name, and the value given with it.
        const std::size_t equals = arg.rfind("--", 0) == 0 ? arg.find('=') : std::string::npos;
        const std::string a = arg.substr(0, equals);
        std::optional<std::string> inlineValue;
        if (equals != std::string::npos) inlineValue = arg.substr(equals + 1);
        auto noValue = [&] {
            if (inlineValue) throw UsageError{a + " takes no value"};
        };
        auto value = [&]() -> std::string {
            if (inlineValue) return *inlineValue;
            if (i + 1 >= args.size()) throw UsageError{a + " needs a value"};
            return args[++i];
        };
        if (operandsAreLogs_ && a == "--jdim") {
            noValue();
            if (!jdimAt) jdimAt = o.operands.size();
            continue;
        }
        if ((common_ & kLimitMb) && a == "--limit-mb") {
            o.byteLimit = parseLimitMb(value());
        } else if ((common_ & kFilter) && a == "--filter") {
            o.filter = compiledFilter(value());
        } else if ((common_ & kSjis) && a == "--sjis") {
            noValue();
            o.sjis = true;
        } else {
            const Declared* d = nullptr;
            for (const Declared& candidate : declared_)
                if (candidate.name == a) d = &candidate;
            if (!d) throw UsageError{"unknown option '" + a + "'" + didYouMean(a, knownNames())};
            if (d->apply) {
                d->apply(value());
            } else {
                noValue();
                d->set();
            }
        }
    }
    if (jdimAt) {
        const JDimLogSearch search = findJDimLogs();
        if (search.files.empty()) {
            std::string text = cp932ToUtf8(jdimLogNotFoundMessage(search));
            std::erase(text, '\r');
            throw LogsNotFound{text};
        }
        o.operands.insert(o.operands.begin() + static_cast<std::ptrdiff_t>(*jdimAt),
                          search.files.begin(), search.files.end());
    }
    if (o.operands.size() < minOperands_ || o.operands.size() > maxOperands_)
        throw UsageError{wrongCountMessage_};
    return o;
}

Time32 parseNow(const std::string& text) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, used = 0;
    const bool parsed = std::sscanf(text.c_str(), "%4d/%2d/%2d %2d:%2d:%2d%n", &y, &mo, &d, &h, &mi,
                                    &s, &used) == 6 &&
                        used == static_cast<int>(text.size());
    if (!parsed || y < 1902 || y > 2037 || mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 ||
        mi > 59 || s > 59)
        throw UsageError{"--now needs a local time \"YYYY/MM/DD HH:MM:SS\", not '" + text + "'"};
    return fromLocalTime(y, mo, d, h, mi, s);
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

} // namespace lorvanel::cli
