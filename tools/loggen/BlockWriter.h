#pragma once
// The text of one post in each of the eight log formats, as the browsers write them.
#include "Author.h"
#include "Random.h"

#include <string>

namespace loggen {

// Appends the post's block to out. index counts the posts of the file from 0 (the record
// number of the key=value format); layout decides the optional empty line of format 3 and
// the board reference of a new thread in format 4.
void appendBlock(std::string& out, int format, const Post& post, std::size_t index, Random& layout);

// "2008/01/02 03:04:05" (long) or "08/01/02(水) 03:04:05" (short) of a local time.
std::string dateText(std::int64_t local, bool shortStyle);

} // namespace loggen
