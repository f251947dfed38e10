#include "input/JDimReader.h"

#include "input/AnalysisLog.h"
#include "input/BoardDirectory.h"
#include "input/DirectoryRules.h"
#include "input/JDimText.h"
#include "input/LogFormat.h"
#include "input/PostArena.h"
#include "input/PostList.h"
#include "input/TimeParsing.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <limits>
#include <string.h>
#include <string>
#include <string_view>
#include <vector>

namespace lorvanel {

namespace {

// The log is UTF-8 while this file's literals become CP932: its markers are spelt in bytes.
constexpr std::string_view kRecordStart = "<hr><br>";
constexpr std::string_view kBr = "<br>";
constexpr std::string_view kNameLabel = "\xE5\x90\x8D\xE5\x89\x8D\xEF\xBC\x9A"; // 名前：
constexpr std::string_view kMailEnd = "]\xEF\xBC\x9A";                          // ]：
constexpr std::string_view kNewThreadKey = "/0000000000";

struct Span {
    const char* begin = nullptr;
    const char* end = nullptr;
};

// The fields of one line:
// <hr><br>URL<br>[ board ] subject<br>名前：name [mail]：date<br>message<br><br>
struct RecordSpans {
    Span url, board, subject, name, mail, date, message;
};

// The first s (at least two bytes) in [p, end): candidates found by its first byte.
const char* find(const char* p, const char* end, std::string_view s) {
    while (end - p >= static_cast<std::ptrdiff_t>(s.size())) {
        const auto* at = static_cast<const char*>(std::memchr(p, s[0], end - p - s.size() + 1));
        if (!at) return nullptr;
        if (std::memcmp(at + 1, s.data() + 1, s.size() - 1) == 0) return at;
        p = at + 1;
    }
    return nullptr;
}

// The last s that lies wholly in [begin, end).
const char* findLast(const char* begin, const char* end, std::string_view s) {
    while (end - begin >= static_cast<std::ptrdiff_t>(s.size())) {
        const auto* at =
            static_cast<const char*>(::memrchr(begin, s[0], end - begin - s.size() + 1));
        if (!at) return nullptr;
        if (std::memcmp(at + 1, s.data() + 1, s.size() - 1) == 0) return at;
        end = at + s.size() - 1;
    }
    return nullptr;
}

// The first "<br>" in [p, end).
const char* findBr(const char* p, const char* end) {
    while (end - p >= 4) {
        const auto* at = static_cast<const char*>(std::memchr(p, '<', end - p - 3));
        if (!at) return nullptr;
        if (std::memcmp(at, "<br>", 4) == 0) return at;
        p = at + 1;
    }
    return nullptr;
}

bool startsWith(const char* p, const char* end, std::string_view s) {
    return static_cast<std::size_t>(end - p) >= s.size() && std::memcmp(p, s.data(), s.size()) == 0;
}

bool hasDigit(Span s) {
    return std::any_of(s.begin, s.end, [](char c) { return c >= '0' && c <= '9'; });
}

// Board, subject, name and mail have "<" escaped, so every "<br>" up to the message's is a
// field's end. The name is split from the mail at the last " [" before the last "]：".
bool splitRecord(const char* p, const char* end, RecordSpans& r) {
    if (!startsWith(p, end, kRecordStart)) return false;
    p += kRecordStart.size();
    const char* urlEnd = findBr(p, end);
    if (!urlEnd) return false;
    r.url = {p, urlEnd};
    p = urlEnd + kBr.size();
    if (!startsWith(p, end, "[ ")) return false;
    const char* titleEnd = findBr(p, end);
    const char* boardEnd = titleEnd ? find(p, titleEnd, " ] ") : nullptr;
    if (!boardEnd) return false;
    r.board = {p + 2, boardEnd};
    r.subject = {boardEnd + 3, titleEnd};
    p = titleEnd + kBr.size();
    if (!startsWith(p, end, kNameLabel)) return false;
    p += kNameLabel.size();
    const char* headerEnd = findBr(p, end);
    if (!headerEnd) return false;
    const char* mailEnd = findLast(p, headerEnd, kMailEnd);
    if (!mailEnd) return false;
    const char* mailStart = findLast(p, mailEnd, " [");
    if (!mailStart) return false;
    r.name = {p, mailStart};
    r.mail = {mailStart + 2, mailEnd};
    r.date = {mailEnd + kMailEnd.size(), headerEnd};
    if (!hasDigit(r.date)) return false;
    const char* body = headerEnd + kBr.size();
    if (end - body < 8 || std::memcmp(end - 8, "<br><br>", 8) != 0) return false;
    r.message = {body, end - 8};
    return true;
}

// Where converted texts go. A record is converted into a scratch buffer first; when it is
// no longer than its line (kana and kanji take three bytes in UTF-8 and two in CP932, so it
// mostly is) it is copied over the line, whose bytes are read already and whose memory is
// warm; otherwise into buffers of the arena, each sized for the rest of the text.
class OutputArea {
public:
    explicit OutputArea(PostArena& arena) : arena_(arena) {}

    char* scratch(std::size_t need) {
        if (scratch_.size() < need) scratch_.resize(std::max(need, scratch_.size() * 2));
        return scratch_.data();
    }
    // Moves the converted record [scratch, end) to its place: over the line when it fits,
    // else into the arena. Returns where it went.
    char* place(const char* end, char* line, std::size_t lineLength, std::size_t rest) {
        const std::size_t n = static_cast<std::size_t>(end - scratch_.data());
        char* to = line;
        if (n > lineLength) {
            if (static_cast<std::size_t>(end_ - next_) < n) {
                const std::size_t size = std::max({n, rest / 4 + 4096, kMinBuffer});
                next_ = arena_.allocateText(size);
                end_ = next_ + size;
            }
            to = next_;
            next_ += n;
        }
        std::memcpy(to, scratch_.data(), n);
        return to;
    }

private:
    static constexpr std::size_t kMinBuffer = 64 * 1024;
    PostArena& arena_;
    std::vector<char> scratch_;
    char* next_ = nullptr;
    char* end_ = nullptr;
};

// The old form "YYYY/MM/DD HH:MM" has no seconds: they are written as ":00" so that the
// date reads as every other log's, and noSeconds is set.
char* completeDate(char* begin, char* end, bool& noSeconds) {
    int numbers = 0;
    for (char* p = begin; p < end; ++p)
        if (*p >= '0' && *p <= '9' && (p == begin || p[-1] < '0' || p[-1] > '9')) ++numbers;
    noSeconds = numbers == 5;
    if (noSeconds) {
        std::memcpy(end, ":00", 3);
        end += 3;
    }
    return end;
}

bool isNewThreadUrl(const char* url, const char* end) {
    for (const char* p = url; (p = find(p, end, kNewThreadKey)); ++p) {
        const char* after = p + kNewThreadKey.size();
        if (after == end || *after == '/') return true;
    }
    return false;
}

// The board names the log writes beside each post ("[ ネット雑談 ]"), handed to the board
// directory, which shows them for boards its list lacks. Runs of posts on one board are
// common, so a name is passed on only when the board or its name changes.
class BoardNames {
public:
    // Keeps the name's bytes before the line they stand in is overwritten.
    void hold(Span board) {
        if (board.begin && board.end > board.begin)
            held_.assign(board.begin, board.end);
        else
            held_.clear();
    }
    void name(const PostRecord& post) {
        const std::string_view dir = post.dir ? post.dir : "";
        const std::string_view server = post.server ? post.server : "";
        if (held_ == lastName_ && dir == lastDir_ && server == lastServer_) return;
        lastName_ = held_;
        lastDir_ = dir;
        lastServer_ = server;
        std::string converted(kJDimMaxGrowth * held_.size() + 1, '\0');
        JDimCounts counts; // the message on malformed bytes counts the posts' own fields
        char* end = convertJDimText(held_.data(), held_.data() + held_.size(), JDimField::Escaped,
                                    converted.data(), counts);
        converted.resize(static_cast<std::size_t>(end - converted.data()));
        boardDirectory().nameBoard(post, converted);
    }

private:
    std::string held_;
    std::string lastName_, lastDir_, lastServer_;
};

} // namespace

const char* JDimReader::formatName() const {
    return formatDisplayName(kFormatJDim);
}

bool JDimReader::parse(PostList& posts, PostArena& arena, char* text, std::size_t length) {
    char* p = text;
    char* const end = text + length;
    OutputArea area(arena);
    JDimCounts counts;
    BoardNames boardNames;
    int lineNumber = 0;
    for (char* next; p < end; p = next) {
        char* lineEnd = static_cast<char*>(std::memchr(p, '\n', end - p));
        next = lineEnd ? lineEnd + 1 : end;
        if (!lineEnd) lineEnd = end;
        if (lineNumber < INT_MAX) ++lineNumber;
        if (lineEnd > p && lineEnd[-1] == '\r') --lineEnd;
        if (lineEnd == p) continue;

        RecordSpans s;
        if (!splitRecord(p, lineEnd, s)) {
            // A read of the file's newest part begins inside a record: that part is skipped
            // as the other readers skip what precedes their first whole post.
            if (lineNumber > 1 || startsWith(p, lineEnd, kRecordStart))
                analysisLog().append("(%d行目) JDimの書き込みログとして読めない行です。この行を"
                                     "無視します。\r\n",
                                     lineNumber);
            continue;
        }

        // The fields one after the other, each with its NUL, as offsets from the start.
        const std::size_t lineLength = static_cast<std::size_t>(next - p);
        char* const first = area.scratch(kJDimMaxGrowth * lineLength + 16);
        char* out = first;
        auto field = [&](Span span, JDimField kind) {
            const std::size_t at = static_cast<std::size_t>(out - first);
            out = convertJDimText(span.begin, span.end, kind, out, counts);
            return at;
        };
        const std::size_t url = field(s.url, JDimField::Raw);
        const bool newThread = isNewThreadUrl(first + url, out);
        *out++ = '\0';
        const std::size_t urlEnd = static_cast<std::size_t>(out - first);
        const std::size_t title = field(s.subject, JDimField::Escaped);
        *out++ = '\0';
        const std::size_t name = field(s.name, JDimField::Escaped);
        *out++ = '\0';
        const std::size_t mail = field(s.mail, JDimField::Escaped);
        *out++ = '\0';
        const std::size_t date = field(s.date, JDimField::Raw);
        bool noSeconds = false;
        out = completeDate(first + date, out, noSeconds);
        *out++ = '\0';
        const std::size_t crBefore = counts.carriageReturns;
        const std::size_t body = field(s.message, JDimField::Message);
        const std::size_t bodyLines = 1 + counts.carriageReturns - crBefore;
        *out++ = '\0';

        boardNames.hold(s.board);
        // The line's bytes are all read: the record may take their place.
        char* const base = area.place(out, p, lineLength, static_cast<std::size_t>(end - p));
        PostRecord r;
        r.url = base + url;
        r.setUrlEnd(base + urlEnd); // urlText gives the whole URL, its closing "/" included
        r.title = base + title;
        r.name = base + name;
        r.mail = base + mail;
        r.body = base + body;
        r.lineCount = static_cast<std::int32_t>(std::min<std::size_t>(bodyLines, INT32_MAX));
        if (newThread) r.flags |= PostRecord::kNewThread;
        const DirectoryMatch d = threadUrlDirectory(base + url);
        if (d.dir) {
            r.dir = d.dir;
            r.setDirCut(d.end, *d.end);
            *d.end = '\0';
        }
        const ParsedTime parsed = parsePostTime(base + date);
        r.time = parsed.time;
        if (!parsed.clean) r.flags |= PostRecord::kBadTime;
        // Posts logged in minutes only may share a minute; they keep their order a second
        // apart instead of being refused as going backwards.
        if (noSeconds && !posts.empty()) {
            const Time32 last = posts.back()->time;
            if (r.time <= last && std::int64_t{last} < std::int64_t{r.time} + 60 &&
                last < std::numeric_limits<Time32>::max())
                r.time = last + 1;
        }

        PostRecord* record = arena.create();
        *record = r;
        if (addPost(posts, record, &arena, false)) boardNames.name(*record);
    }
    if (counts.invalid != 0)
        analysisLog().append("UTF-8として正しくない文字が%d個あります。「?」として読み込みました。"
                             "\r\n",
                             static_cast<int>(std::min<std::size_t>(counts.invalid, INT_MAX)));
    finishFilePosts(posts);
    return !posts.empty();
}

} // namespace lorvanel
