#pragma once
// Compiling filters in tests, with the message boxes they raise, and posts to test them on.
#include "filter/CompileFilter.h"
#include "input/PostRecord.h"

#include <string>
#include <string_view>

namespace lorvanel::testing {

// Compiles text expecting success and no message box.
FilterPtr compileOk(std::string_view text);
// Compiles text expecting failure with exactly one message box; returns its text.
std::string compileError(std::string_view text);

// A post of the main BBS's board news written at the given local time, one line long.
PostRecord makePost(int year, int month, int day, int hour = 12, int minute = 0);

// Whether the filter text selects the post.
bool selects(std::string_view text, const PostRecord& post);

} // namespace lorvanel::testing
