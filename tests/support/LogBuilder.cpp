#include "support/LogBuilder.h"

#include "platform/LocalTime.h"
#include "support/TempDir.h"

#include <cstdio>

namespace lorvanel::testing {

LogPost::LogPost()
    : title("テストスレ"), board("ニュース速報"), bbs("２ちゃんねる"), body("本文") {}

namespace {

const std::string kSeparator = "--------------------------------------------\r\n";

std::string line(std::string_view key, std::string_view value) {
    std::string s(key);
    s += value;
    s += "\r\n";
    return s;
}

// Key=value bodies keep one line: line breaks, '%' and the other control bytes are escaped.
std::string percentEncode(std::string_view body) {
    std::string out;
    for (const char ch : body) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == '%' || c == 0x7F) {
            char esc[4];
            std::snprintf(esc, sizeof esc, "%%%02X", c);
            out += esc;
        } else {
            out += ch;
        }
    }
    return out;
}

} // namespace

LogPost postAt(Time32 time) {
    LogPost p;
    p.date = formatLocalTime(time, "%Y/%m/%d %H:%M:%S");
    return p;
}

LogBuilder& LogBuilder::add(const LogPost& post) {
    items_.push_back(Item{post, {}});
    return *this;
}

LogBuilder& LogBuilder::addSeries(int n, Time32 first, int stepSeconds) {
    for (int i = 0; i < n; ++i) {
        LogPost p = postAt(first + i * stepSeconds);
        p.title = "スレ" + std::to_string(i + 1);
        p.body = "本文" + std::to_string(i + 1);
        add(p);
    }
    return *this;
}

LogBuilder& LogBuilder::raw(std::string_view bytes) {
    items_.push_back(Item{std::nullopt, std::string(bytes)});
    return *this;
}

std::string LogBuilder::terminatorOf(int format) {
    switch (format) {
    case 1:
    case 3:
    case 6:
        return "\r\n\r\n\r\n";
    case 2:
    case 5:
    case 7:
        return "\r\n\r\n";
    case 8:
        return "\r\n \r\n---------- \r\n";
    default:
        return "\r\n";
    }
}

std::string LogBuilder::postText(int format, const LogPost& p, int number) {
    const std::string term = p.terminator ? *p.terminator : terminatorOf(format);
    std::string s;
    switch (format) {
    case 1:
    case 5:
    case 6:
        s = kSeparator + line("Date   : ", p.date);
        if (p.newThread)
            s += line("Board  : ", p.board) + line("URL    : ", p.url) + line("Subject: ", p.title);
        else
            s += line("Subject: ", p.title) + line("URL    : ", p.url);
        s += line("FROM   : ", p.name) + line("MAIL   : ", p.mail) + "\r\n";
        break;
    case 2:
        s = kSeparator + line("Date   : ", p.date) + line("Subject: ", p.title);
        if (!p.newThread) s += line("URL    : ", p.url);
        s += line("From   : ", p.name) + line("Mail   : ", p.mail) + "\r\n";
        break;
    case 3:
        // The format has no new-thread layout: an opened thread is logged like a reply.
        s = kSeparator + line("Date   :", p.date) + line("Subject:", p.title) +
            line("URL    :", p.url) + line("Name   :", p.name) + line("Mail   :", p.mail) + "\r\n";
        break;
    case 7:
        s = kSeparator + line("Date   : ", p.date);
        if (p.newThread)
            s += line("Board\t: ", p.board) + line("URL\t: ", p.url) + line("Subject: ", p.title);
        else
            s += line("Subject: ", p.title) + line("URL\t: ", p.url);
        s += line("From   : ", p.name) + line("Mail   : ", p.mail) + "\r\n";
        break;
    case 8: {
        const std::string board = p.bbs.empty() ? p.board : p.board + "＠" + p.bbs;
        s = " \r\n" + line("スレ名：", p.title) + line("板　名：", board) +
            line("投稿者：", p.name) + line("メール：", p.mail) + line("投稿日：", p.date) +
            "本　文： \r\n \r\n";
        break;
    }
    case 4:
        s = "[" + std::to_string(number) + "]\r\n" + line("Name=", p.name) +
            line("EMail=", p.mail) + line("Body=", percentEncode(p.body)) + "Status=1\r\n" +
            line("Date=", p.date) + line("Title=", p.title) +
            (p.url.empty() ? line("BBS=", p.board) : line("URL=", p.url)) +
            (p.newThread ? "NewThread=1\r\n" : "Key=1199210000\r\n");
        return s;
    default:
        return s;
    }
    return s + p.body + term;
}

std::string LogBuilder::text() const {
    std::string s;
    int number = 0;
    auto write = [&](const Item& item) {
        s += item.post ? postText(format_, *item.post, ++number) : item.raw;
    };
    if (format_ == 8)
        for (auto it = items_.rbegin(); it != items_.rend(); ++it) write(*it);
    else
        for (const Item& item : items_) write(item);
    return s;
}

std::string LogBuilder::writeTo(const TempDir& dir, const std::string& name) const {
    return dir.write(name, text());
}

} // namespace lorvanel::testing
