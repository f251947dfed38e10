#include "input/JDimReader.h"

#include "input/AnalysisLog.h"
#include "input/DirectoryRules.h"
#include "input/JDimText.h"
#include "input/LogFormat.h"
#include "input/PostArena.h"
#include "input/PostList.h"
#include "input/TimeParsing.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string_view>

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
    Span url, subject, name, mail, date, message;
};

const char* find(const char* p, const char* end, std::string_view s) {
    const auto it = std::search(p, end, s.begin(), s.end());
    return it == end ? nullptr : it;
}

// The last occurrence of s that ends at or before end.
const char* findLast(const char* begin, const char* end, std::string_view s) {
    const auto it = std::find_end(begin, end, s.begin(), s.end());
    return it == end ? nullptr : it;
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
    const char* urlEnd = find(p, end, kBr);
    if (!urlEnd) return false;
    r.url = {p, urlEnd};
    p = urlEnd + kBr.size();
    if (!startsWith(p, end, "[ ")) return false;
    const char* titleEnd = find(p, end, kBr);
    const char* boardEnd = titleEnd ? find(p, titleEnd, " ] ") : nullptr;
    if (!boardEnd) return false;
    r.subject = {boardEnd + 3, titleEnd};
    p = titleEnd + kBr.size();
    if (!startsWith(p, end, kNameLabel)) return false;
    p += kNameLabel.size();
    const char* headerEnd = find(p, end, kBr);
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

// Where converted texts go: large buffers owned by the arena, each record's texts together
// in one of them. A record never needs more than kJDimMaxGrowth times its line.
class OutputArea {
public:
    explicit OutputArea(PostArena& arena) : arena_(arena) {}

    // Room for need bytes; a new buffer is sized for the rest of the text (rest bytes), which
    // mostly shrinks in conversion, so that one or two buffers hold a whole file.
    char* reserve(std::size_t need, std::size_t rest) {
        if (static_cast<std::size_t>(end_ - next_) < need) {
            const std::size_t size = std::max({need, rest + rest / 8 + 4096, kMinBuffer});
            next_ = arena_.allocateText(size);
            end_ = next_ + size;
        }
        return next_;
    }
    void commit(char* used) { next_ = used; }

private:
    static constexpr std::size_t kMinBuffer = 64 * 1024;
    PostArena& arena_;
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

} // namespace

const char* JDimReader::formatName() const {
    return formatDisplayName(kFormatJDim);
}

bool JDimReader::parse(PostList& posts, PostArena& arena, char* text, std::size_t length) {
    const char* p = text;
    const char* const end = text + length;
    OutputArea area(arena);
    std::size_t invalid = 0;
    int lineNumber = 0;
    for (const char* next; p < end; p = next) {
        const char* lineEnd = static_cast<const char*>(std::memchr(p, '\n', end - p));
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

        const std::size_t lineLength = static_cast<std::size_t>(lineEnd - p);
        char* out =
            area.reserve(kJDimMaxGrowth * lineLength + 16, static_cast<std::size_t>(end - p));
        PostRecord r;
        char* url = out;
        out = convertJDimText(s.url.begin, s.url.end, JDimField::Raw, out, invalid);
        const bool newThread = isNewThreadUrl(url, out);
        *out++ = '\0';
        r.url = url;
        r.urlEnd = out; // urlText gives the whole URL, its closing "/" included
        r.title = out;
        out = convertJDimText(s.subject.begin, s.subject.end, JDimField::Escaped, out, invalid);
        *out++ = '\0';
        r.name = out;
        out = convertJDimText(s.name.begin, s.name.end, JDimField::Escaped, out, invalid);
        *out++ = '\0';
        r.mail = out;
        out = convertJDimText(s.mail.begin, s.mail.end, JDimField::Escaped, out, invalid);
        *out++ = '\0';
        char* date = out;
        out = convertJDimText(s.date.begin, s.date.end, JDimField::Raw, out, invalid);
        bool noSeconds = false;
        out = completeDate(date, out, noSeconds);
        *out++ = '\0';
        char* body = out;
        out = convertJDimText(s.message.begin, s.message.end, JDimField::Message, out, invalid);
        r.lineCount = 1 + static_cast<std::int32_t>(std::count(body, out, '\r'));
        *out++ = '\0';
        r.body = body;

        if (newThread) r.flags |= PostRecord::kNewThread;
        const DirectoryMatch d = threadUrlDirectory(url);
        if (d.dir) {
            r.dir = d.dir;
            r.dirCut = d.end;
            r.dirCutChar = *d.end;
            *d.end = '\0';
        }
        r.time = parsePostTime(date).time;
        // Posts logged in minutes only may share a minute; they keep their order a second
        // apart instead of being refused as going backwards.
        if (noSeconds && !posts.empty()) {
            const Time32 last = posts.back()->time;
            if (r.time <= last && std::int64_t{last} < std::int64_t{r.time} + 60) r.time = last + 1;
        }

        PostRecord* record = arena.create();
        *record = r;
        if (addPost(posts, record, &arena, false)) area.commit(out);
    }
    if (invalid != 0)
        analysisLog().append("UTF-8として正しくない文字が%d個あります。「?」として読み込みました。"
                             "\r\n",
                             static_cast<int>(std::min<std::size_t>(invalid, INT_MAX)));
    return !posts.empty();
}

} // namespace lorvanel
