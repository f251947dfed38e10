#pragma once
// What every fuzz target shares: the process set-up the program does at start, and the
// invariants that a parse must leave behind whatever its input was. A broken invariant
// aborts with a message, which libFuzzer reports as a crash with the input that caused it.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lorvanel {
class PostList;
class PostLog;
} // namespace lorvanel

namespace lorvanel::fuzz {

// Tokyo time, the built-in board list, message boxes swallowed. Call once.
void initialise();

[[noreturn]] void fail(const char* what, const char* file, int line);

#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond)) ::lorvanel::fuzz::fail(#cond, __FILE__, __LINE__);                            \
    } while (0)

// Posts strictly ascending by time, numbered 1..n from the front, line counts within the
// bounds that admission checks.
void checkPostOrder(const PostList& posts);

// What a reader admits from one file: posts in time order (checkPostOrder, so no two share a
// time), none whose date text was refused, and none at the time a refused date text stands
// for (1971-01-01 00:00:00 in Tokyo). A log that really holds that time would trip this;
// no seed does.
void checkReaderPosts(const PostList& posts);

// Every text of every post points into the log's buffer and ends there, or is an empty
// or constant text; the cut positions lie in the buffer too.
void checkPostTexts(const PostLog& log);

// The analysis log keeps its bounds: at most 100 entries of at most 1023 bytes.
void checkAnalysisLog();

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace lorvanel::fuzz
