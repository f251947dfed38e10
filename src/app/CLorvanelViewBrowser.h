#pragma once
// Opening a thread of the post list in a browser.
#include <string>

namespace lorvanel {

// Opens a URL (CP932) with the browser of the settings when they enable one (the first program
// of the browser list, started with the URL as its one argument, no shell in between), else
// with the desktop's handler for it. When nothing could be started the user is told which
// program was tried. Returns whether a browser was started.
bool openThreadInBrowser(const std::string& url);

} // namespace lorvanel
