#pragma once
// A titled text produced by keyword analysis; the document keeps them and the main view
// shows each as a tab.
#include <string>

namespace lorvanel {

struct ResultPage {
    std::string title; // CP932
    std::string text;  // CP932, CR LF line ends
};

} // namespace lorvanel
