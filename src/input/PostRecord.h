#pragma once
// One post of a loaded log. Its texts point into the post log's text buffer (cut in place by
// the readers) or at constant strings; a record owns no text.
#include "platform/Time32.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace lorvanel {

// A post's local time (see PostRecord::local).
struct PostLocalTime {
    std::int32_t dayNumber = 0; // local calendar days since 1970-01-01
    std::int16_t year = 0;
    std::uint8_t month = 0; // 1..12
    std::uint8_t day = 0;
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;
    std::uint8_t second = 0;
    std::uint8_t weekday = 0; // 0 = Sunday
};

// A large log holds a million records, so every byte of one counts: pointers first, the
// narrow fields packed after them, no padding (88 bytes). The marks in the URL line are kept
// as distances from `url`, not as pointers.
struct PostRecord {
    enum Flag : std::uint16_t {
        kNewThread = 1,   // the post opened a new thread
        kAsciiArt = 2,    // cached answer of isAsciiArt: yes
        kNotAsciiArt = 4, // cached answer of isAsciiArt: no
        kKnownBbs = 8,    // the server belongs to the known BBS family, or there is none
        kHostCut = 16,    // addPost cut the URL after the host, where `server` ends
        kBadTime = 32,    // the date text was complained about; addPost refuses the post
    };

    Time32 time = 0;
    std::int32_t seq = 0;
    const char* url = "";
    const char* title = "";
    const char* name = "";
    const char* mail = "";
    const char* body = "";
    const char* server = nullptr; // null: addPost derives it from the URL
    const char* dir = "";

    std::int32_t lineCount = 0;
    mutable std::uint16_t flags = 0;
    char dirCutChar = '/';

    // The URL line's line break; null unless a URL line was read. Set it once url is set.
    const char* urlEnd() const { return urlEndAt_ ? url + (urlEndAt_ - 1) : nullptr; }
    void setUrlEnd(const char* end) { urlEndAt_ = distanceInUrl(end); }

    // Where the readers cut the URL line: after the board directory (dirCutChar, '/' or '&',
    // became NUL) and after the host (a '/' became NUL, where `server` now ends). urlText puts
    // them back. The directory's cut is set once url is set.
    const char* dirCut() const { return dirCutAt_ ? url + (dirCutAt_ - 1) : nullptr; }
    void setDirCut(const char* at, char was) {
        dirCutAt_ = distanceInUrl(at);
        dirCutChar = was;
    }
    void clearDirCut() { dirCutAt_ = 0; }
    const char* hostCut() const;

    bool newThread() const { return flags & kNewThread; }
    bool knownBbs() const { return flags & kKnownBbs; }

    // The URL line as it stood in the log, less its last byte; empty when there is no URL.
    std::string urlText() const;

    // Whether the body is ASCII art; the answer is cached in flags.
    bool isAsciiArt() const;

    // The local time of `time`. Computed on each call rather than kept in the record: the
    // conversion is a lookup of the zone's offset and some arithmetic, and the record stays
    // twelve bytes smaller.
    PostLocalTime local() const;

    // Display name of the post's board, cached on first use (see BoardDirectory).
    const std::string& boardName() const;
    // The number of that name among the names the process has handed out, from 1: two posts
    // have the same number exactly when boardName() gives both the same text object. A walk
    // can key small tables by it without touching the post's texts.
    std::uint32_t boardNameNumber() const;

private:
    friend class PostLog;
    // p's distance from url, plus one; 0 (no mark) for a p outside the 4 GB after url.
    std::uint32_t distanceInUrl(const char* p) const {
        if (!p || p < url || static_cast<std::size_t>(p - url) >= UINT32_MAX) return 0;
        return static_cast<std::uint32_t>(p - url) + 1;
    }

    // The board name as a number of the process's list of board names (0: not yet known).
    mutable std::uint32_t boardId_ = 0;
    // Where the post's folded bodies start in the log's folded copies, plus one (0: not
    // folded); see PostLog::foldedBody.
    std::uint32_t foldedAt_ = 0;
    std::uint32_t urlEndAt_ = 0;
    std::uint32_t dirCutAt_ = 0;
};

} // namespace lorvanel
