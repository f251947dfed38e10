#pragma once
// Writes small posting logs of any format (1 to 8), in memory or to a file, so that tests
// can state their input post by post instead of as raw bytes. Texts are CP932.
#include "platform/Time32.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lorvanel::testing {

class TempDir;

// One post as a browser would log it. Every field is written exactly as given.
// The Japanese defaults are set in LogBuilder.cpp, which is compiled with the CP932 flags,
// so that they are CP932 in the GUI tests too.
struct LogPost {
    LogPost();

    std::string date = "2008/01/02 03:04:05"; // the date text of the log
    std::string title;                        // default "テストスレ"
    // Thread URL of a reply, board URL of a new thread. Key=value logs write "BBS=" + board
    // when it is empty.
    std::string url = "http://news.2ch.net/test/read.cgi/news/1199210000/";
    // The board line's value; ホットゾヌ２: the board part of the board text.
    std::string board; // default "ニュース速報"
    // ホットゾヌ２ only: the BBS name after "＠" ("" writes the board text without "＠").
    std::string bbs; // default "２ちゃんねる"
    std::string name;
    std::string mail;
    std::string body; // lines separated by CR LF; default "本文"
    bool newThread = false;
    // Replaces the format's terminator (the bytes between the body and the next block).
    std::optional<std::string> terminator;
};

// A post at a 32-bit time, its date text written in local time as "YYYY/MM/DD hh:mm:ss".
LogPost postAt(Time32 time);

class LogBuilder {
public:
    explicit LogBuilder(int format) : format_(format) {}

    // Posts are added oldest first; the newest-first format 8 writes everything it holds in
    // reverse order of addition.
    LogBuilder& add(const LogPost& post);
    // n replies, stepSeconds apart from `first`, titled and bodied with their number.
    LogBuilder& addSeries(int n, Time32 first, int stepSeconds = 60);
    // Bytes written as they are between the posts.
    LogBuilder& raw(std::string_view bytes);

    std::size_t size() const { return items_.size(); }
    std::string text() const;
    // Writes text() to a file of the directory and returns its path.
    std::string writeTo(const TempDir& dir, const std::string& name) const;

    // The bytes of one post in a format, with no separator of a following block.
    static std::string postText(int format, const LogPost& post, int number = 1);
    // The format's own terminator.
    static std::string terminatorOf(int format);

private:
    struct Item {
        std::optional<LogPost> post;
        std::string raw;
    };
    int format_;
    std::vector<Item> items_;
};

} // namespace lorvanel::testing
