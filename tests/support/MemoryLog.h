#pragma once
// Post logs built in memory, without a file and a reader, for the statistics, report,
// document and keyword tests: each post is given by its local time and the fields the tests
// read, its texts are copied into the log's buffer and it is admitted with addPost, as a
// reader would. (support/LogBuilder writes logs as files instead.)
#include "input/PostLog.h"
#include "platform/Time32.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lorvanel::testing {

// A local time in the tests' zone (Tokyo).
Time32 at(int year, int month, int day, int hour = 12, int minute = 0, int second = 0);

struct TestPost {
    TestPost(); // the title's default is set where the CP932 flags apply

    Time32 time = 0;
    std::string title; // CP932, default "テストスレ"
    std::string dir = "news";
    int lines = 1;
    bool newThread = false;
    // Empty: a post of the known BBS family, its board named by dir alone. Otherwise the host
    // of a board outside the family.
    std::string foreignServer;
    // CP932; none: the record has no body.
    std::optional<std::string> body;
};

struct LoadFacts {
    std::vector<std::string> formatNames = {"Jane"};
    std::uint64_t bytesRead = 0; // 0: the size of the built text
    std::uint64_t fileSize = 0;  // 0: bytesRead
    std::vector<std::string> sourcePaths = {"test.txt"};
    // NUL bytes in the buffer before the posts' texts, as earlier files and their final NUL
    // leave them; not counted in the default bytesRead.
    std::size_t leadingNulBytes = 0;
};

// Clears the log and fills it with the posts (admitted in the given order, then sorted by
// time as a reader's file is; addPost refuses a repeated time) and the load facts.
void fillPostLog(PostLog& log, const std::vector<TestPost>& posts, const LoadFacts& facts = {});

// Posts at the given times with the defaults of TestPost.
std::vector<TestPost> postsAt(const std::vector<Time32>& times);

} // namespace lorvanel::testing
