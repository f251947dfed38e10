#pragma once
// The line of one post in JDim's post log (format 9): UTF-8, HTML-escaped, "<br>" for line
// breaks, one line per post.
#include "Author.h"
#include "Random.h"

#include <string>

namespace loggen {

// Appends the post's line to out. extras adds now and then what Linux users type and CP932
// lacks: an emoji, or the WAVE DASH where a Windows user gets the full-width tilde.
void appendJDimLine(std::string& out, const Post& post, Random& extras);

} // namespace loggen
