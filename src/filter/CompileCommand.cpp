#include "filter/CompileCommand.h"

#include "filter/FilterLexis.h"
#include "filter/ShapeNodes.h"
#include "filter/TextNodes.h"
#include "filter/TimeNodes.h"
#include "input/BoardDirectory.h"
#include "platform/Exception.h"
#include "platform/LocalTime.h"
#include "platform/Mbcs.h"

#include <climits>
#include <cstring>
#include <string>

namespace lorvanel {

using namespace filterlex;

namespace {

// The bytes between the quotes with the escapes taken out. This walk knows double-byte
// characters: a character's second byte is copied even when it is a backslash.
std::string unescape(const char* begin, const char* end) {
    std::string out;
    out.reserve(static_cast<std::size_t>(end - begin));
    for (const char* p = begin; p < end;) {
        if (isLeadByte(static_cast<unsigned char>(*p)) && p + 1 < end) {
            out.append(p, 2);
            p += 2;
        } else if (*p == '\\' && p + 1 < end) {
            out.push_back(p[1]);
            p += 2;
        } else {
            out.push_back(*p++);
        }
    }
    return out;
}

// A text command's argument: quoted, or else the rest of the command taken literally.
std::string readTextArgument(const char*& p) {
    if (const char* close = findClosingQuote(p)) {
        std::string argument = unescape(p + 1, close);
        p = close + 1;
        return argument;
    }
    std::string argument(p);
    p += argument.size();
    return argument;
}

// A run of decimal digits as a number, the way atoi reads it (too large saturates).
int readNumber(const char*& p) {
    long long n = 0;
    for (; isDigit(*p); ++p)
        if (n <= INT_MAX) n = n * 10 + (*p - '0');
    return n > INT_MAX ? INT_MAX : static_cast<int>(n);
}

struct Range {
    int low;
    int high;
};

// N, N-M, N- or -M right after the command word, whitespace allowed before and after the
// '-'. False when none of these stands there; a range outside [min, max] throws.
bool readRange(const char*& p, int min, int max, Range& range) {
    const char* q = p;
    bool single = false;
    if (isDigit(*q)) {
        range.low = readNumber(q);
        const char* r = skipSpaces(q);
        if (*r == '-') {
            r = skipSpaces(r + 1);
            range.high = isDigit(*r) ? readNumber(r) : max;
            q = r;
        } else {
            range.high = range.low;
            single = true;
        }
    } else if (*q == '-') {
        q = skipSpaces(q + 1);
        if (!isDigit(*q)) return false;
        range.low = min;
        range.high = readNumber(q);
    } else {
        return false;
    }
    if (!single && range.high < range.low)
        throw CEvalException("値の範囲が不正です。 '%d-%d'", range.low, range.high);
    if (range.low < min) throw CEvalException("値の範囲が不正です。 '%d'", range.low);
    if (range.high > max) throw CEvalException("値の範囲が不正です。 '%d'", range.high);
    p = q;
    return true;
}

int digitsValue(const char* p, int count) {
    int n = 0;
    for (int i = 0; i < count; ++i) n = n * 10 + (p[i] - '0');
    return n;
}

// A digit run as a date: YYYY, YYYYMM or YYYYMMDD.
DateSpec readDate(const char*& p) {
    const char* begin = p;
    while (isDigit(*p)) ++p;
    const std::string digits(begin, p);
    DateSpec date;
    bool valid = false;
    switch (digits.size()) {
    case 4:
        date.year = digitsValue(begin, 4);
        valid = date.year >= 1971 && date.year <= 2037;
        break;
    case 6:
        date.year = digitsValue(begin, 4);
        date.month = digitsValue(begin + 4, 2);
        valid = date.month >= 1 && date.month <= 12;
        break;
    case 8:
        date.year = digitsValue(begin, 4);
        date.month = digitsValue(begin + 4, 2);
        date.day = digitsValue(begin + 6, 2);
        valid = date.month <= 12 && date.day <= daysInMonth(date.year, date.month);
        break;
    default:
        break;
    }
    if (!valid) throw CEvalException("日時の指定が不正です\n'%s'", digits.c_str());
    return date;
}

FilterPtr readDateCommand(const char*& p) {
    static constexpr DateSpec kFirst{1971, -1, -1};
    static constexpr DateSpec kLast{2037, -1, -1};
    p = skipSpaces(p);
    if (isDigit(*p)) {
        const DateSpec start = readDate(p);
        const char* r = skipSpaces(p);
        if (*r != '-') return std::make_unique<DateNode>(start);
        r = skipSpaces(r + 1);
        const DateSpec end = isDigit(*r) ? readDate(r) : kLast;
        p = r;
        return std::make_unique<DateRangeNode>(start, end);
    }
    if (*p == '-') {
        const char* r = skipSpaces(p + 1);
        if (isDigit(*r)) {
            const DateSpec end = readDate(r);
            p = r;
            return std::make_unique<DateRangeNode>(kFirst, end);
        }
    }
    throw CEvalException("日時を指定して下さい");
}

FilterPtr regexNode(const std::string& pattern) {
    Regex regex;
    if (!regex.compile(pattern))
        throw CEvalException("正規表現の書式が不正です\n'%s'", pattern.c_str());
    return std::make_unique<BodyRegexNode>(std::move(regex));
}

FilterPtr boardNode(const std::string& name) {
    auto [server, dir] = boardDirectory().resolveBoardFilter(name);
    return std::make_unique<BoardNode>(std::move(dir), std::move(server));
}

enum class Word {
    NewThread,
    AsciiArt,
    Dir,
    Board,
    Server,
    Title,
    Name,
    Mail,
    Body,
    BodyRegex,
    Hour,
    Week,
    Line,
    Date
};

// In the order they are tried: the first that the text starts with is taken.
constexpr struct {
    const char* text;
    Word word;
} kWords[] = {
    {"suretate", Word::NewThread}, {"AA", Word::AsciiArt},    {"dir_", Word::Dir},
    {"brd_", Word::Board},         {"server_", Word::Server}, {"sbj_", Word::Title},
    {"name_", Word::Name},         {"mail_", Word::Mail},     {"msg_", Word::Body},
    {"msgr_", Word::BodyRegex},    {"hour", Word::Hour},      {"week", Word::Week},
    {"line", Word::Line},          {"date", Word::Date},
};

template <class Node> FilterPtr rangeNode(const char*& p, int min, int max) {
    Range r{};
    if (!readRange(p, min, max, r)) return nullptr;
    return std::make_unique<Node>(r.low, r.high);
}

// The node of a command word and what follows it at p; null when a range is malformed.
FilterPtr buildNode(Word word, const char*& p) {
    switch (word) {
    case Word::NewThread:
        return std::make_unique<NewThreadNode>();
    case Word::AsciiArt:
        return std::make_unique<AsciiArtNode>();
    case Word::Dir:
        return std::make_unique<DirNode>(readTextArgument(p));
    case Word::Board:
        return boardNode(readTextArgument(p));
    case Word::Server:
        return std::make_unique<ServerNode>(readTextArgument(p));
    case Word::Title:
        return std::make_unique<TitleNode>(readTextArgument(p));
    case Word::Name:
        return std::make_unique<NameNode>(readTextArgument(p));
    case Word::Mail:
        return std::make_unique<MailNode>(readTextArgument(p));
    case Word::Body:
        return std::make_unique<BodyNode>(readTextArgument(p));
    case Word::BodyRegex:
        return regexNode(readTextArgument(p));
    case Word::Hour:
        return rangeNode<HourNode>(p, 0, 23);
    case Word::Week:
        return rangeNode<WeekdayNode>(p, 1, 7);
    case Word::Line:
        return rangeNode<LineCountNode>(p, 1, 100);
    case Word::Date:
        return readDateCommand(p);
    }
    return nullptr;
}

// The node of the first command word the text starts with; null when none fits.
FilterPtr readCommand(const char*& p) {
    for (const auto& w : kWords) {
        const std::size_t n = std::strlen(w.text);
        if (std::strncmp(p, w.text, n) != 0) continue;
        const char* q = p + n;
        FilterPtr node = buildNode(w.word, q);
        if (node) p = q;
        return node;
    }
    return nullptr;
}

} // namespace

FilterPtr CompileCommand(std::string_view command) {
    // The readers below rely on a NUL after the text.
    const std::string text(command);
    const char* p = skipSpaces(text.c_str());
    FilterPtr node = readCommand(p);
    if (!node) throw CEvalException("定義されていないコマンドです。\n'%s'\n", text.c_str());
    if (*skipSpaces(p)) throw CEvalException("コマンドの書式が不正です\n'%s'\n", text.c_str());
    return node;
}

} // namespace lorvanel
