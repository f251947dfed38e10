#pragma once
// A word or keyword with the number of texts it was found in, and the lists of them that
// result pages print.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lorvanel {

struct WordCount {
    std::string text; // CP932
    std::int32_t count = 0;
};

// Highest count first; equal counts in ascending byte order of the text.
void sortWordCounts(std::vector<WordCount>& words);

// The list as a page prints it: "　" and then "text(count) " entries, a line break after the
// entry that takes a line to 60 bytes or more, every further line starting with "　". With a
// limit above 0, formatting stops once that many lines exist (the first "　" counts).
// With spans, the bytes of every entry's text written are appended to it, as offsets into the
// returned text, in order.
struct TextSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
};
std::string formatWordLines(const std::vector<WordCount>& words, int lineLimit,
                            std::vector<TextSpan>* spans = nullptr);

} // namespace lorvanel
