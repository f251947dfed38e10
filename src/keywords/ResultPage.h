#pragma once
// A titled text produced by keyword analysis; the document keeps them and the main view
// shows each as a tab. The words and keywords in it lead to the posts they were counted in.
#include <cstddef>
#include <string>
#include <vector>

namespace lorvanel {

// A word or keyword written in a page, and how a search of the posts finds those that the
// analysis counted for it.
struct PageLink {
    // How the posts' texts were compared with the pattern when it was counted.
    enum class Folding {
        kNone,         // byte for byte
        kWidthAndCase, // full-width to half-width, ASCII upper to lower case
        kKana,         // as kWidthAndCase, and hiragana to katakana
    };
    std::size_t begin = 0; // the pattern's bytes in the page's text
    std::size_t end = 0;
    std::string pattern; // CP932, as written in the page
    Folding folding = Folding::kNone;
    bool regex = false;
};

struct ResultPage {
    std::string title; // CP932
    std::string text;  // CP932, CR LF line ends
    // In the order they are written in text.
    std::vector<PageLink> links = {};
};

} // namespace lorvanel
