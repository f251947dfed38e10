#include "cli/CommandLine.h"

#include "filter/CompileFilter.h"
#include "input/JDimLogFiles.h"
#include "platform/Encoding.h"

#include <cerrno>
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

CommonOptions CommandLine::parse(const std::vector<std::string>& args) const {
    CommonOptions o;
    bool optionsEnd = false;
    std::optional<std::size_t> jdimAt; // where --jdim stood among the operands
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnd || a.empty() || a[0] != '-' || a == "-") {
            o.operands.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnd = true;
            continue;
        }
        if (operandsAreLogs_ && a == "--jdim") {
            if (!jdimAt) jdimAt = o.operands.size();
            continue;
        }
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw UsageError{a + " needs a value"};
            return args[++i];
        };
        if ((common_ & kLimitMb) && a == "--limit-mb") {
            o.byteLimit = parseLimitMb(value());
        } else if ((common_ & kFilter) && a == "--filter") {
            o.filter = compiledFilter(value());
        } else if ((common_ & kSjis) && a == "--sjis") {
            o.sjis = true;
        } else {
            const Declared* d = nullptr;
            for (const Declared& candidate : declared_)
                if (candidate.name == a) d = &candidate;
            if (!d) throw UsageError{"unknown option '" + a + "'"};
            if (d->apply)
                d->apply(value());
            else
                d->set();
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
