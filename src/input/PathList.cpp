#include "input/PathList.h"

#include "platform/Mbcs.h"

namespace lorvanel {

bool samePathIgnoringCase(std::string_view a, std::string_view b) {
    return equalsIgnoringAsciiCase(a, b);
}

bool containsPath(const std::vector<std::string>& paths, std::string_view path) {
    for (const std::string& p : paths)
        if (samePathIgnoringCase(p, path)) return true;
    return false;
}

void addPathString(std::vector<std::string>& paths, std::string_view text) {
    auto add = [&](std::string_view p) {
        if (!p.empty() && !containsPath(paths, p)) paths.emplace_back(p);
    };
    if (text.empty() || text.front() != '"') {
        add(text);
        return;
    }
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t open = text.find('"', i);
        if (open == std::string_view::npos) break;
        std::size_t close = text.find('"', open + 1);
        if (close == std::string_view::npos) {
            add(text.substr(open + 1));
            break;
        }
        add(text.substr(open + 1, close - open - 1));
        i = close + 1;
    }
}

std::string joinPaths(const std::vector<std::string>& paths) {
    if (paths.size() == 1) return paths.front();
    std::string s;
    for (const std::string& p : paths) s += '"' + p + '"';
    return s;
}

} // namespace lorvanel
