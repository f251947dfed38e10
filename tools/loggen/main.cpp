// lorvanel-loggen: writes made-up but realistic posting logs of any of the nine formats, of a
// chosen size and seed, for benchmarks and tests. The same options give the same bytes.
#include "Author.h"
#include "BlockWriter.h"
#include "JDimWriter.h"
#include "Schedule.h"
#include "Vocabulary.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace loggen {

namespace {

const char kUsage[] =
    "usage: lorvanel-loggen --format N (--posts N | --size-mb M) [--seed S]\n"
    "                       [--start YYYY-MM-DD] [--days D] [--new-thread-rate R]\n"
    "                       [--split K] -o FILE\n"
    "Writes a synthetic posting log of format N (1..8) in Shift_JIS with CR LF line breaks,\n"
    "or of format 9 (JDim's post log) in UTF-8, one line per post.\n"
    "--size-mb writes whole posts until the output holds at least M MiB. --split K deals the\n"
    "log's posting sessions out to K files (FILE.1 .. FILE.K, interleaving in time) whose\n"
    "posts together are the log's. Times are Japan time. A summary goes to standard error.\n";

struct Options {
    int format = 0;
    std::size_t posts = 0;
    double sizeMb = 0;
    std::string seed = "1";
    int firstDay = 13879; // 2008-01-01
    int days = 365;
    double newThreadRate = 0.006;
    int split = 1;
    std::string output;
};

// 2038-01-17, so that every time stays within the signed 32-bit count in any zone.
constexpr int kLastDay = 24854;

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

double number(const char* text, const char* option) {
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text, &end);
    if (!*text || *end || errno) throw UsageError(std::string(option) + " needs a number");
    return v;
}

int dayNumber(const std::string& text) {
    int y, m, d;
    char tail;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &y, &m, &d, &tail) != 3 || m < 1 || m > 12 ||
        d < 1 || d > 31)
        throw UsageError("--start needs YYYY-MM-DD");
    // Days since 1970-01-01 of a Gregorian date.
    y -= m <= 2;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "-h" || a == "--help") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        }
        if (i + 1 >= argc) throw UsageError(a + " needs a value");
        const char* v = argv[++i];
        if (a == "--format")
            o.format = static_cast<int>(number(v, "--format"));
        else if (a == "--posts")
            o.posts = static_cast<std::size_t>(number(v, "--posts"));
        else if (a == "--size-mb")
            o.sizeMb = number(v, "--size-mb");
        else if (a == "--seed")
            o.seed = v;
        else if (a == "--start")
            o.firstDay = dayNumber(v);
        else if (a == "--days")
            o.days = static_cast<int>(number(v, "--days"));
        else if (a == "--new-thread-rate")
            o.newThreadRate = number(v, "--new-thread-rate");
        else if (a == "--split")
            o.split = static_cast<int>(number(v, "--split"));
        else if (a == "-o")
            o.output = v;
        else
            throw UsageError("unknown option " + a);
    }
    if (o.format < 1 || o.format > 9) throw UsageError("--format must be 1 to 9");
    if ((o.posts == 0) == (o.sizeMb <= 0)) throw UsageError("give one of --posts and --size-mb");
    if (o.days < 1 || o.firstDay < 1 || o.firstDay + o.days > kLastDay)
        throw UsageError("the span must lie between 1970-01-02 and 2038-01-17");
    if (o.newThreadRate < 0 || o.newThreadRate > 1)
        throw UsageError("--new-thread-rate must lie between 0 and 1");
    if (o.split < 1 || o.split > 64) throw UsageError("--split must be 1 to 64");
    if (o.output.empty()) throw UsageError("-o FILE is missing");
    return o;
}

// The blocks of one output file. Newest-first logs keep every block until the end.
class OutputFile {
public:
    OutputFile(const std::string& path, bool newestFirst)
        : path_(path), newestFirst_(newestFirst), file_(std::fopen(path.c_str(), "wb")) {
        if (!file_) throw std::runtime_error(path + ": " + std::strerror(errno));
    }
    ~OutputFile() {
        if (file_) std::fclose(file_);
    }
    std::string& buffer() { return buffer_; }
    void endBlock() {
        if (newestFirst_)
            starts_.push_back(buffer_.size());
        else if (buffer_.size() >= (8u << 20))
            flush(buffer_.data(), buffer_.size());
    }
    std::size_t posts = 0;

    void close() {
        if (newestFirst_) {
            std::size_t end = buffer_.size();
            for (std::size_t i = starts_.size(); i-- > 0;) {
                const std::size_t begin = i ? starts_[i - 1] : 0;
                write(buffer_.data() + begin, end - begin);
                end = begin;
            }
        } else {
            write(buffer_.data(), buffer_.size());
        }
        buffer_.clear();
        if (std::fclose(file_) != 0) fail();
        file_ = nullptr;
    }

private:
    void flush(const char* p, std::size_t n) {
        write(p, n);
        buffer_.clear();
    }
    void write(const char* p, std::size_t n) {
        if (std::fwrite(p, 1, n, file_) != n) fail();
    }
    [[noreturn]] void fail() { throw std::runtime_error(path_ + ": " + std::strerror(errno)); }

    std::string path_;
    bool newestFirst_;
    std::FILE* file_;
    std::string buffer_;
    std::vector<std::size_t> starts_; // where each block after the first begins
};

struct Summary {
    std::size_t posts = 0;
    std::size_t newThreads = 0;
    std::uint64_t bytes = 0;
    std::int64_t first = 0;
    std::int64_t last = 0;
};

// Writes the log into files (none: only measures). Stops after maxPosts posts, or once the
// output reaches maxBytes (0: no byte limit).
Summary generate(const Options& o, std::size_t plannedPosts, std::size_t maxPosts,
                 std::uint64_t maxBytes, std::vector<OutputFile*> files) {
    Vocabulary vocabulary(o.seed);
    Author author(o.seed, vocabulary, o.newThreadRate);
    Random timing(o.seed, "schedule");
    Random layout(o.seed, "layout");
    Random dealing(o.seed, "split");
    std::vector<std::int64_t> times = makeSchedule(timing, o.firstDay, o.days, plannedPosts, 0);
    std::string scratch;
    Summary s;
    std::size_t target = 0;
    std::vector<std::size_t> perFile(std::max<std::size_t>(1, files.size()));
    for (std::size_t i = 0;; ++i) {
        if (i >= times.size()) {
            if (maxBytes == 0 || s.bytes >= maxBytes) break;
            // The estimate fell short: go on posting after the span at the same density.
            const double perPost = i ? static_cast<double>(s.bytes) / i : 300.0;
            const auto more = static_cast<std::size_t>((maxBytes - s.bytes) / perPost * 1.05) + 16;
            const int start =
                static_cast<int>(times.empty() ? o.firstDay : times.back() / 86400 + 1);
            const int span = std::max(
                1, static_cast<int>(o.days * static_cast<double>(more) / plannedPosts + 0.5));
            if (start + span > kLastDay)
                throw std::runtime_error("the requested size does not fit before 2038; use an "
                                         "earlier --start or fewer --days");
            std::vector<std::int64_t> next =
                makeSchedule(timing, start, span, more, times.empty() ? 0 : times.back());
            times.insert(times.end(), next.begin(), next.end());
            if (i >= times.size()) break;
        }
        const std::int64_t t = times[i];
        if (t / 86400 >= kLastDay) throw std::runtime_error("the posts run past 2038-01-17");
        const bool newSession = i == 0 || t - times[i - 1] > 2700;
        if (newSession && files.size() > 1) target = dealing.below(files.size());
        // Detection of format 1 needs a new thread first. Formats 5 and 6 need replies first in
        // every file: a new-thread block at the start would detect as format 1, and V2C and
        // Jane are told apart by the terminators of the first posts. Apart from that the posts
        // do not depend on the split, so that split files hold exactly the posts of the log.
        const std::size_t nth = perFile[target];
        const Author::Opening opening = (o.format == 1 && i == 0) ? Author::Opening::Always
                                        : ((o.format == 5 || o.format == 6) && nth < 8)
                                            ? Author::Opening::Never
                                            : Author::Opening::Maybe;
        const Post p = author.write(t, newSession, opening);
        std::string& out = files.empty() ? scratch : files[target]->buffer();
        const std::size_t before = out.size();
        if (o.format == 9)
            appendJDimLine(out, p, layout);
        else
            appendBlock(out, o.format, p, nth, layout);
        s.bytes += out.size() - before;
        if (files.empty())
            scratch.clear();
        else
            files[target]->endBlock();
        ++perFile[target];
        if (s.posts++ == 0) s.first = t;
        s.last = t;
        s.newThreads += p.opening;
        if (maxPosts && s.posts >= maxPosts) break;
        if (maxBytes && s.bytes >= maxBytes && (o.format != 5 || s.posts >= 2)) break;
    }
    return s;
}

std::string partPath(const std::string& path, int k) {
    return path + "." + std::to_string(k);
}

int run(const Options& o) {
    std::size_t planned = o.posts;
    std::uint64_t maxBytes = 0;
    if (o.sizeMb > 0) {
        maxBytes = static_cast<std::uint64_t>(o.sizeMb * 1048576.0);
        // A dry run tells the average block size, hence how many posts to spread over the span.
        const std::size_t probe = 4000;
        const Summary dry = generate(o, probe, probe, 0, {});
        planned = static_cast<std::size_t>(static_cast<double>(maxBytes) /
                                           (static_cast<double>(dry.bytes) / dry.posts) * 1.01) +
                  16;
    }
    std::vector<std::unique_ptr<OutputFile>> owned;
    std::vector<OutputFile*> files;
    for (int k = 1; k <= o.split; ++k) {
        owned.push_back(std::make_unique<OutputFile>(
            o.split == 1 ? o.output : partPath(o.output, k), o.format == 8));
        files.push_back(owned.back().get());
    }
    const Summary s = generate(o, planned, o.posts, maxBytes, files);
    for (OutputFile* f : files) f->close();
    std::fprintf(stderr, "format %d: %zu posts (%zu new threads), %llu bytes, %s .. %s\n", o.format,
                 s.posts, s.newThreads, static_cast<unsigned long long>(s.bytes),
                 dateText(s.first, false).c_str(), dateText(s.last, false).c_str());
    return 0;
}

} // namespace

} // namespace loggen

int main(int argc, char** argv) {
    try {
        return loggen::run(loggen::parse(argc, argv));
    } catch (const loggen::UsageError& e) {
        std::fprintf(stderr, "lorvanel-loggen: %s\n%s", e.what(), loggen::kUsage);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lorvanel-loggen: %s\n", e.what());
        return 1;
    }
}
