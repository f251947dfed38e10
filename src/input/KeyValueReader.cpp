#include "input/KeyValueReader.h"

#include "input/DirectoryRules.h"
#include "input/DomainConstants.h"
#include "input/LogFormat.h"
#include "input/PostArena.h"
#include "input/PostList.h"
#include "input/TimeParsing.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace lorvanel {

namespace {

int digitValue(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return c - 55;
}

// Lines end at CR LF, a lone CR or a lone LF; the end of the text ends the last one.
class LineCursor {
public:
    LineCursor(char* text, std::size_t length) : p_(text), end_(text + length) {}
    bool done() const { return p_ >= end_; }
    char* position() const { return p_; }

    // The current line if it starts with key: its value is cut at the line break and the
    // cursor moves on. Otherwise null, and the cursor stays on the line.
    char* take(std::string_view key, char** lineEnd = nullptr) {
        if (done()) return nullptr;
        char* e = p_;
        while (e < end_ && *e != '\r' && *e != '\n') ++e;
        if (static_cast<std::size_t>(e - p_) < key.size() ||
            std::memcmp(p_, key.data(), key.size()) != 0)
            return nullptr;
        char* value = p_ + key.size();
        if (lineEnd) *lineEnd = e;
        char* next = e;
        if (e < end_) {
            next += (*e == '\r' && e + 1 < end_ && e[1] == '\n') ? 2 : 1;
            *e = '\0';
        }
        p_ = next;
        return value;
    }
    void skipLine() {
        if (!take("")) p_ = end_;
    }

private:
    char* p_;
    char* end_;
};

} // namespace

std::size_t decodePercentInPlace(char* text, std::size_t length) {
    char* out = text;
    for (std::size_t i = 0; i < length;) {
        if (text[i] == '%' && length - i > 2) {
            const int v = digitValue(static_cast<unsigned char>(text[i + 1])) * 16 +
                          digitValue(static_cast<unsigned char>(text[i + 2]));
            const auto byte = static_cast<char>(v & 0xFF);
            if (byte != '\0') {
                *out++ = byte;
                i += 3;
                continue;
            }
        }
        *out++ = text[i++];
    }
    *out = '\0';
    return static_cast<std::size_t>(out - text);
}

const char* KeyValueReader::formatName() const {
    return formatDisplayName(kFormatGikonavi);
}

bool KeyValueReader::parse(PostList& posts, PostArena& arena, char* text, std::size_t length) {
    LineCursor lines(text, length);
    while (!lines.done()) {
        if (!lines.take("[")) {
            lines.skipLine();
            continue;
        }
        // A section whose keys are missing or out of order is skipped from the line that
        // broke it, which may open the next section.
        char* name = lines.take("Name=");
        char* mail = name ? lines.take("EMail=") : nullptr;
        char* bodyEnd = nullptr;
        char* body = mail ? lines.take("Body=", &bodyEnd) : nullptr;
        char* status = body ? lines.take("Status=") : nullptr;
        char* date = status ? lines.take("Date=") : nullptr;
        char* title = date ? lines.take("Title=") : nullptr;
        if (!title) continue;

        PostRecord r;
        r.name = name;
        r.mail = mail;
        r.title = title;
        char* urlEnd = nullptr;
        if (char* url = lines.take("URL=", &urlEnd)) {
            r.url = url;
            r.setUrlEnd(urlEnd);
        } else if (char* bbs = lines.take("BBS=")) {
            r.dir = bbs;
            r.server = kMainBbsDomain;
            r.flags |= PostRecord::kKnownBbs;
        } else {
            continue;
        }
        const bool reply = lines.take("Key=") != nullptr;
        if (!reply && !lines.take("NewThread=")) continue;
        if (!reply) r.flags |= PostRecord::kNewThread;
        if (*r.url) {
            char* url = const_cast<char*>(r.url);
            const DirectoryMatch d = reply ? threadUrlDirectory(url) : boardUrlDirectory(url);
            if (d.dir) {
                r.dir = d.dir;
                r.setDirCut(d.end, *d.end);
                *d.end = '\0';
            }
        }
        const ParsedTime parsed = parsePostTime(date);
        r.time = parsed.time;
        if (!parsed.clean) r.flags |= PostRecord::kBadTime;
        const std::size_t n = decodePercentInPlace(body, static_cast<std::size_t>(bodyEnd - body));
        r.body = body;
        r.lineCount = 1 + static_cast<std::int32_t>(std::count(body, body + n, '\r'));

        PostRecord* record = arena.create();
        *record = r;
        addPost(posts, record, &arena, false);
    }
    finishFilePosts(posts);
    return !posts.empty();
}

} // namespace lorvanel
