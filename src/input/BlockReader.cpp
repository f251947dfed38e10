#include "input/BlockReader.h"

#include "input/AnalysisLog.h"
#include "input/BoardDirectory.h"
#include "input/DirectoryRules.h"
#include "input/DomainConstants.h"
#include "input/LogFormat.h"
#include "input/PostArena.h"
#include "input/PostList.h"
#include "input/TimeParsing.h"
#include "platform/LocalTime.h"
#include "platform/Mbcs.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace lorvanel {

namespace {

constexpr std::string_view kHyphens = "--------------------------------------------";

// ホットゾヌ２ writes its own fixed header block.
constexpr std::string_view kHzSeparator = " ";
constexpr std::string_view kHzTitle = "スレ名：";
constexpr std::string_view kHzBoard = "板　名：";
constexpr std::string_view kHzName = "投稿者：";
constexpr std::string_view kHzMail = "メール：";
constexpr std::string_view kHzDate = "投稿日：";
constexpr std::string_view kHzBody = "本　文： ";
constexpr std::string_view kHzBodyRule = " ";
constexpr std::string_view kHzAt = "＠";
constexpr std::string_view kHzMainBbs = "２ちゃんねる";

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "lineBreakFrom reads words low byte first");

// The first CR or LF in [p, end), or end. Eight bytes at a time: every header line is
// looked at, and a byte loop over them is a good part of a large log's parse.
char* lineBreakFrom(char* p, char* end) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHighs = 0x8080808080808080ull;
    auto zeroBytes = [](std::uint64_t v) { return (v - kOnes) & ~v & kHighs; };
    while (end - p >= 8) {
        std::uint64_t w;
        std::memcpy(&w, p, 8);
        // The lowest flagged byte of each mask is exactly the first match in the word.
        const std::uint64_t hits = zeroBytes(w ^ (kOnes * '\r')) | zeroBytes(w ^ (kOnes * '\n'));
        if (hits) return p + __builtin_ctzll(hits) / 8;
        p += 8;
    }
    while (p < end && *p != '\r' && *p != '\n') ++p;
    return p;
}

bool startsWith(const char* p, std::size_t n, std::string_view prefix) {
    return n >= prefix.size() && std::memcmp(p, prefix.data(), prefix.size()) == 0;
}

std::string timeText(Time32 t) {
    return formatLocalTime(t, "%Y/%m/%d %H:%M:%S");
}

// The first "＠" of a CP932 text, walking whole characters so that a trail byte never pairs
// with the next character's lead byte.
char* findAtSign(char* s) {
    static_assert(kHzAt.size() == 2);
    for (char* p = s; *p;) {
        if (p[0] == kHzAt[0] && p[1] == kHzAt[1]) return p;
        p += (isLeadByte(static_cast<unsigned char>(*p)) && p[1]) ? 2 : 1;
    }
    return nullptr;
}

} // namespace

bool BlockReader::configure(int format) {
    const std::string_view jane = "\r\n\r\n\r\n", v2c = "\r\n\r\n";
    switch (format) {
    case kFormatJane:
    case kFormatJaneOrV2c:
        kw_ = {kHyphens,    "Date   : ", "Board  :",  "Subject: ",
               "URL    : ", "FROM   : ", "MAIL   : ", jane};
        break;
    case kFormatV2c:
        kw_ = {kHyphens,    "Date   : ", "Board  :",  "Subject: ",
               "URL    : ", "FROM   : ", "MAIL   : ", v2c};
        break;
    case kFormatKachusha:
        kw_ = {kHyphens, "Date   : ", "", "Subject: ", "URL    : ", "From   : ", "Mail   : ", v2c};
        break;
    case kFormatLive2ch:
        kw_ = {kHyphens, "Date   :", "", "Subject:", "URL    :", "Name   :", "Mail   :", jane};
        break;
    case kFormatABone:
        kw_ = {kHyphens, "Date   : ", "", "Subject: ", "URL\t: ", "From   : ", "Mail   : ", v2c};
        break;
    case kFormatHotzonu:
        kw_ = {kHzSeparator, kHzDate, kHzBoard, kHzTitle,
               "",           kHzName, kHzMail,  "\r\n \r\n---------- \r\n"};
        break;
    default:
        format_ = 0;
        kw_ = {};
        return false;
    }
    format_ = format;
    return true;
}

const char* BlockReader::formatName() const {
    return formatDisplayName(format_);
}

// A log that went through a Unix tool has LF line breaks and no CR at all: its text with
// every LF turned into CR LF, made in one pass into a buffer of the arena, so that it reads
// exactly as the log the browser wrote. Null for any other text, which is read as it stands
// (and refused when its first line break is not CR LF).
char* BlockReader::crlfTextOf(PostArena& arena, const char* text, std::size_t& length) {
    const char* const end = text + length;
    const char* start = text;
    while (start < end && *start == '\n') ++start;
    const char* firstBreak = static_cast<const char*>(std::memchr(start, '\n', end - start));
    if (!firstBreak || std::memchr(text, '\r', length)) return nullptr;
    const std::size_t breaks = static_cast<std::size_t>(std::count(text, end, '\n'));
    char* const converted = arena.allocateText(length + breaks + 1);
    char* out = converted;
    for (const char* p = text; p < end;) {
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', end - p));
        const char* stop = lf ? lf : end;
        std::memcpy(out, p, static_cast<std::size_t>(stop - p));
        out += stop - p;
        if (!lf) break;
        *out++ = '\r';
        *out++ = '\n';
        p = lf + 1;
    }
    *out = '\0';
    length = static_cast<std::size_t>(out - converted);
    return converted;
}

bool BlockReader::parse(PostList& posts, PostArena& arena, char* text, std::size_t length) {
    if (format_ == 0) return false;
    if (char* converted = crlfTextOf(arena, text, length)) text = converted;
    Outcome outcome = parseOnce(posts, arena, text, length);
    if (outcome == Outcome::FallBackToV2c) {
        configure(kFormatV2c);
        outcome = parseOnce(posts, arena, text, length);
    }
    return outcome == Outcome::Ok;
}

BlockReader::Line BlockReader::lineAt(char* p) const {
    char* e = lineBreakFrom(p, end_);
    char* next = e;
    if (e < end_) next += (*e == '\r' && e + 1 < end_ && e[1] == '\n') ? 2 : 1;
    return {p, e, next};
}

void BlockReader::cut(char* p) {
    cuts_.push_back({p, *p});
    *p = '\0';
}

void BlockReader::restoreCutsFrom(std::size_t mark) {
    while (cuts_.size() > mark) {
        *cuts_.back().at = cuts_.back().was;
        cuts_.pop_back();
    }
}

bool BlockReader::endsWithTerminator(const char* body, const char* end) const {
    const std::size_t n = kw_.terminator.size();
    return static_cast<std::size_t>(end - body) >= n &&
           std::memcmp(end - n, kw_.terminator.data(), n) == 0;
}

bool BlockReader::mayFallBack(const PostList& posts) const {
    return format_ == kFormatJaneOrV2c && posts.size() <= 5;
}

BlockReader::Outcome BlockReader::parseOnce(PostList& posts, PostArena& arena, char* text,
                                            std::size_t length) {
    end_ = text + length;
    cuts_.clear();
    char* start = text;
    while (start < end_ && (*start == '\r' || *start == '\n')) ++start;
    if (start == end_) return Outcome::Failed;
    const Line first = lineAt(start);
    if (!first.hasBreak() || first.next - first.end != 2) {
        analysisLog().appendAndAlert("CRLF以外の改行コードには対応していません。\r\n");
        return Outcome::Failed;
    }

    PostRecord* previous = nullptr;
    char* cursor = start;
    char* bodyEnd = end_;
    bool incomplete = false;
    for (;;) {
        // Once no fallback can happen, only the cuts of the block being read need undoing.
        if (!mayFallBack(posts)) cuts_.clear();
        char* separator = nullptr;
        const Scan scan = scanBlock(cursor, separator);
        if (scan != Scan::Block) {
            if (scan == Scan::Incomplete) {
                bodyEnd = separator;
                incomplete = true;
            }
            break;
        }
        if (previous) {
            if (!endsWithTerminator(previous->body, separator)) {
                if (mayFallBack(posts)) return fallBack(posts, arena, previous);
                analysisLog().append("(%s) フッダが不正です。この書き込みをレス番(%d)の投稿内容"
                                     "として扱います。\r\n",
                                     timeText(current_.time).c_str(),
                                     static_cast<int>(posts.size() + 1));
                // The block becomes part of the previous post's message, exactly as written.
                restoreCutsFrom(blockMark_);
                continue;
            }
            admit(posts, arena, previous, separator);
        }
        previous = arena.create();
        *previous = current_;
    }

    if (previous) {
        if (endsWithTerminator(previous->body, bodyEnd)) {
            admit(posts, arena, previous, bodyEnd);
        } else if (mayFallBack(posts)) {
            // Also when the last post is the first to show its terminator: a V2C log of a
            // post or two would otherwise fail to load at all.
            return fallBack(posts, arena, previous);
        } else {
            analysisLog().append("(%s) フッダが不正です。この書き込みを無視します。\r\n",
                                 timeText(previous->time).c_str());
            arena.recycle(previous);
        }
    }
    if (incomplete)
        analysisLog().append(
            "ログの末尾の書き込みが途中で切れています。この書き込みを無視します。\r\n");
    if (posts.empty()) return Outcome::Failed;
    if (format_ == kFormatJaneOrV2c) format_ = kFormatJane;
    if (format_ == kFormatHotzonu) posts.renumber();
    return Outcome::Ok;
}

BlockReader::Outcome BlockReader::fallBack(PostList& posts, PostArena& arena,
                                           PostRecord* previous) {
    // The text goes back to exactly what was read; the records go back to the arena, newest
    // first, so that their slots are reused.
    restoreCutsFrom(0);
    arena.recycle(previous);
    for (auto it = posts.items().rbegin(); it != posts.items().rend(); ++it) arena.recycle(*it);
    releasePosts(posts);
    return Outcome::FallBackToV2c;
}

void BlockReader::admit(PostList& posts, PostArena& arena, PostRecord* record, char* bodyEnd) {
    char* terminator = bodyEnd - kw_.terminator.size();
    cut(terminator);
    const char* body = record->body;
    const char* stop = terminator;
    record->lineCount = 1 + static_cast<std::int32_t>(std::count(body, stop, '\r'));
    if (addPost(posts, record, &arena, format_ == kFormatHotzonu) && record->hostCut())
        cuts_.push_back({const_cast<char*>(record->hostCut()), '/'});
}

BlockReader::Scan BlockReader::scanBlock(char*& cursor, char*& separator) {
    char* p = cursor;
    for (;;) {
        if (p >= end_) return Scan::None;
        char* const found = findSeparatorLine(p);
        if (!found) return Scan::None;
        char* const lineEnd = found + kw_.separator.size();
        char* next = lineEnd;
        if (lineEnd < end_)
            next += (*lineEnd == '\r' && lineEnd + 1 < end_ && lineEnd[1] == '\n') ? 2 : 1;
        const Line line{found, lineEnd, next};
        separator = line.start;
        if (!line.hasBreak()) return Scan::Incomplete;

        blockMark_ = cuts_.size();
        // A copy of a fresh record: building a temporary and assigning it costs more.
        static const PostRecord kFresh{};
        current_ = kFresh;
        urlEnd_ = nullptr;
        char* header = line.next;
        const char* date = nullptr;
        const char* board = nullptr;
        Match m = Match::No;
        switch (format_) {
        case kFormatKachusha:
            m = matchKachusha(header, date);
            break;
        case kFormatLive2ch:
            m = matchLive2ch(header, date);
            break;
        case kFormatHotzonu:
            m = matchHotzonu(header, date, board);
            break;
        default:
            m = matchJaneFamily(header, date);
            break;
        }
        if (m == Match::Yes) {
            current_.setUrlEnd(urlEnd_);
            finishBlock(date, const_cast<char*>(board));
            current_.body = header;
            cursor = header;
            return Scan::Block;
        }
        restoreCutsFrom(blockMark_);
        if (m == Match::Incomplete) return Scan::Incomplete;
        // Not a block: its lines stay part of the message around it.
        p = header;
    }
}

char* BlockReader::findSeparatorLine(char* p) const {
    // The first line from p on that equals the separator. Rather than walking every line of
    // every message, look for the separator's first byte (a hyphen or a space, rare in
    // Japanese text) and check that the separator stands there as a whole line: at a line's
    // start (p itself, or after a CR or LF) and followed by a line break or the text's end.
    const std::string_view sep = kw_.separator;
    const char first = sep.front();
    for (char* c = p; c < end_;) {
        c = static_cast<char*>(std::memchr(c, first, static_cast<std::size_t>(end_ - c)));
        if (!c) return nullptr;
        const bool atLineStart = c == p || c[-1] == '\r' || c[-1] == '\n';
        const std::size_t room = static_cast<std::size_t>(end_ - c);
        // The cheap tests first: most candidates (spaces, for ホットゾヌ２) fail at once.
        if (atLineStart && room >= sep.size() &&
            (room == sep.size() || c[sep.size()] == '\r' || c[sep.size()] == '\n') &&
            std::memcmp(c, sep.data(), sep.size()) == 0)
            return c;
        ++c;
    }
    return nullptr;
}

BlockReader::Match BlockReader::key(char*& p, std::string_view keyword, const char** value,
                                    const char** lineEnd) {
    if (p >= end_) return Match::Incomplete;
    const Line line = lineAt(p);
    const auto n = static_cast<std::size_t>(line.end - line.start);
    if (!line.hasBreak()) {
        // The text ends inside this line: a block cut short, unless it can't be this line.
        const std::size_t k = std::min(n, keyword.size());
        return std::memcmp(line.start, keyword.data(), k) == 0 ? Match::Incomplete : Match::No;
    }
    if (!startsWith(line.start, n, keyword)) return Match::No;
    if (value) *value = line.start + keyword.size();
    if (lineEnd) *lineEnd = line.end;
    cut(line.end);
    p = line.next;
    return Match::Yes;
}

BlockReader::Match BlockReader::keys(char*& p, std::initializer_list<Step> steps) {
    for (const Step& s : steps) {
        const Match m = key(p, s.keyword, s.value, s.lineEnd);
        if (m != Match::Yes) return m;
    }
    return Match::Yes;
}

BlockReader::Match BlockReader::matchJaneFamily(char*& p, const char*& date) {
    PostRecord& r = current_;
    const Match m = key(p, kw_.date, &date);
    if (m != Match::Yes) return m;
    const Match reply = keys(p, {{kw_.subject, &r.title},
                                 {kw_.url, &r.url, &urlEnd_},
                                 {kw_.from, &r.name},
                                 {kw_.mail, &r.mail},
                                 {""}});
    if (reply != Match::No) return reply;
    // A new thread: the lines from the one that failed follow the board layout.
    const Match opened = keys(p, {{kw_.board},
                                  {kw_.url, &r.url, &urlEnd_},
                                  {kw_.subject, &r.title},
                                  {kw_.from, &r.name},
                                  {kw_.mail, &r.mail},
                                  {""}});
    if (opened == Match::Yes) r.flags |= PostRecord::kNewThread;
    return opened;
}

BlockReader::Match BlockReader::matchKachusha(char*& p, const char*& date) {
    PostRecord& r = current_;
    const Match m = keys(p, {{kw_.date, &date}, {kw_.subject, &r.title}});
    if (m != Match::Yes) return m;
    const Match reply =
        keys(p, {{kw_.url, &r.url, &urlEnd_}, {kw_.from, &r.name}, {kw_.mail, &r.mail}, {""}});
    if (reply != Match::No) return reply;
    // A new thread is logged without a URL line.
    r.url = "";
    urlEnd_ = nullptr;
    const Match opened = keys(p, {{kw_.from, &r.name}, {kw_.mail, &r.mail}, {""}});
    if (opened == Match::Yes) r.flags |= PostRecord::kNewThread;
    return opened;
}

BlockReader::Match BlockReader::matchLive2ch(char*& p, const char*& date) {
    PostRecord& r = current_;
    const Match m = keys(p, {{kw_.date, &date}, {kw_.subject, &r.title}});
    if (m != Match::Yes) return m;
    if (p < end_ && *p == '\r') {
        const Match blank = key(p, "", nullptr);
        if (blank != Match::Yes) return blank;
    }
    return keys(p, {{kw_.url, &r.url, &urlEnd_}, {kw_.from, &r.name}, {kw_.mail, &r.mail}, {""}});
}

BlockReader::Match BlockReader::matchHotzonu(char*& p, const char*& date, const char*& board) {
    PostRecord& r = current_;
    return keys(p, {{kHzTitle, &r.title},
                    {kHzBoard, &board},
                    {kHzName, &r.name},
                    {kHzMail, &r.mail},
                    {kHzDate, &date},
                    {kHzBody},
                    {kHzBodyRule}});
}

void BlockReader::finishBlock(const char* date, char* board) {
    PostRecord& r = current_;
    const ParsedTime parsed = parsePostTime(date);
    r.time = parsed.time;
    char* url = const_cast<char*>(r.url);
    switch (format_) {
    case kFormatHotzonu:
        setHotzonuBoard(board);
        return;
    case kFormatKachusha:
        if (!r.newThread()) setDirectory(threadUrlDirectory(url));
        return;
    case kFormatLive2ch:
        setDirectory(threadUrlDirectory(url));
        return;
    default:
        setDirectory(r.newThread() ? boardUrlDirectory(url) : threadUrlDirectory(url));
        break;
    }
    if ((format_ == kFormatV2c || format_ == kFormatABone) && parsed.clean && !*r.dir) {
        // These browsers log some opened threads like replies, with the board's URL.
        if (r.dirCut()) {
            // An empty directory was cut out of the URL: put the URL back first.
            restoreCutsFrom(cuts_.size() - 1);
            r.clearDirCut();
        }
        const DirectoryMatch board = boardUrlDirectory(url);
        if (board.dir) {
            setDirectory(board);
            r.flags |= PostRecord::kNewThread;
        }
    }
}

void BlockReader::setDirectory(const DirectoryMatch& match) {
    PostRecord& r = current_;
    if (!match.dir) {
        r.dir = "";
        return;
    }
    r.dir = match.dir;
    r.setDirCut(match.end, *match.end);
    cut(match.end);
}

void BlockReader::setHotzonuBoard(char* board) {
    PostRecord& r = current_;
    r.dir = board;
    char* at = findAtSign(board);
    if (!at) return; // addPost gives the post an empty server of the known family
    cut(at);
    const char* bbs = at + kHzAt.size();
    if (kHzMainBbs != bbs) {
        r.server = bbs;
        return;
    }
    r.server = kMainBbsDomain;
    r.flags |= PostRecord::kKnownBbs;
    auto it = mainBbsDirs_.find(std::string_view(board));
    if (it == mainBbsDirs_.end()) {
        // The directory's text lives in the board directory, which lasts as long as the program.
        const BoardDirectory& boards = boardDirectory();
        const auto found = boards.boards().find(boards.boardDirFromName(board));
        it = mainBbsDirs_
                 .emplace(std::string(board),
                          found != boards.boards().end() ? found->first.c_str() : nullptr)
                 .first;
    }
    if (it->second) r.dir = it->second;
}

} // namespace lorvanel
