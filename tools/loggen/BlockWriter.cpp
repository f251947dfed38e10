#include "BlockWriter.h"

#include "CivilDate.h"

#include <cstdio>

namespace loggen {

namespace {

const std::string kSeparator(44, '-');

std::string percentEncoded(const std::string& body) {
    std::string out;
    out.reserve(body.size() + 16);
    for (unsigned char c : body) {
        if (c == '%' || c < 0x20 || c == 0x7f) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

struct Keys {
    const char* date;
    const char* board;
    const char* subject;
    const char* url;
    const char* from;
    const char* mail;
    const char* terminator;
};

// The separator-and-header formats: 1, 5, 6 (Jane's layout), 2 and 7.
const Keys kJane = {
    "Date   : ", "Board  : ", "Subject: ", "URL    : ", "FROM   : ", "MAIL   : ", "\r\n\r\n\r\n"};
const Keys kV2c = {
    "Date   : ", "Board  : ", "Subject: ", "URL    : ", "FROM   : ", "MAIL   : ", "\r\n\r\n"};
const Keys kKachusha = {
    "Date   : ", nullptr, "Subject: ", "URL    : ", "From   : ", "Mail   : ", "\r\n\r\n"};
const Keys kABone = {
    "Date   : ", "Board\t: ", "Subject: ", "URL\t: ", "From   : ", "Mail   : ", "\r\n\r\n"};

void line(std::string& out, const char* key, const std::string& value) {
    out += key;
    out += value;
    out += "\r\n";
}

void headerBlock(std::string& out, const Keys& k, const Post& p, const std::string& date) {
    const Thread& t = *p.thread;
    out += kSeparator;
    out += "\r\n";
    line(out, k.date, date);
    if (p.opening && k.board) {
        line(out, k.board, t.board->name);
        line(out, k.url, t.boardUrl);
        line(out, k.subject, t.title.text);
    } else {
        line(out, k.subject, t.title.text);
        // かちゅ～しゃ logs a thread the user opened without its URL.
        if (k.board || !p.opening) line(out, k.url, t.url);
    }
    line(out, k.from, p.name);
    line(out, k.mail, p.mail);
    out += "\r\n";
    out += p.body;
    out += k.terminator;
}

} // namespace

std::string dateText(std::int64_t local, bool shortStyle) {
    static const char* const kWeekdays[] = {"日", "月", "火", "水", "木", "金", "土"};
    const std::int64_t days = local >= 0 ? local / 86400 : (local - 86399) / 86400;
    const std::int64_t sec = local - days * 86400;
    int y, m, d;
    civilDate(days, y, m, d);
    char buf[64];
    const int hh = static_cast<int>(sec / 3600), mm = static_cast<int>(sec / 60 % 60),
              ss = static_cast<int>(sec % 60);
    if (shortStyle)
        std::snprintf(buf, sizeof buf, "%02d/%02d/%02d(%s) %02d:%02d:%02d", y % 100, m, d,
                      kWeekdays[(days + 4) % 7], hh, mm, ss);
    else
        std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %02d:%02d:%02d", y, m, d, hh, mm, ss);
    return buf;
}

void appendBlock(std::string& out, int format, const Post& p, std::size_t index, Random& layout) {
    const Thread& t = *p.thread;
    switch (format) {
    case 1:
    case 6:
        headerBlock(out, kJane, p, dateText(p.local, false));
        return;
    case 5:
        headerBlock(out, kV2c, p, dateText(p.local, false));
        return;
    case 2:
        headerBlock(out, kKachusha, p, dateText(p.local, true));
        return;
    case 7:
        headerBlock(out, kABone, p, dateText(p.local, false));
        return;
    case 3:
        // Live2ch has no new-thread layout: an opened thread is logged like a reply.
        out += kSeparator;
        out += "\r\n";
        line(out, "Date   :", dateText(p.local, true));
        line(out, "Subject:", t.title.text);
        if (layout.chance(0.3)) out += "\r\n";
        line(out, "URL    :", t.url);
        line(out, "Name   :", p.name);
        line(out, "Mail   :", p.mail);
        out += "\r\n";
        out += p.body;
        out += "\r\n\r\n\r\n";
        return;
    case 8: {
        std::string board = t.board->name;
        if (*bbsLabel(t.board->family)) board += std::string("＠") + bbsLabel(t.board->family);
        out += " \r\n";
        line(out, "スレ名：", t.title.text);
        line(out, "板　名：", board);
        line(out, "投稿者：", p.name);
        line(out, "メール：", p.mail);
        line(out, "投稿日：", dateText(p.local, true));
        out += "本　文： \r\n \r\n";
        out += p.body;
        out += "\r\n \r\n---------- \r\n";
        return;
    }
    case 4:
        out += "[" + std::to_string(index + 1) + "]\r\n";
        line(out, "Name=", p.name);
        line(out, "EMail=", p.mail);
        line(out, "Body=", percentEncoded(p.body));
        out += "Status=1\r\n";
        line(out, "Date=", dateText(p.local, false));
        line(out, "Title=", t.title.text);
        if (p.opening) {
            if (t.board->family == Family::Main && layout.chance(0.7))
                line(out, "BBS=", t.board->dir);
            else
                line(out, "URL=", t.boardUrl);
            out += "NewThread=1\r\n";
        } else {
            line(out, "URL=", t.url);
            line(out, "Key=", std::to_string(t.key));
        }
        return;
    }
}

} // namespace loggen
