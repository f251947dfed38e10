#include "support/JDimLogWriter.h"

#include <cstring>
#include <string_view>

namespace lorvanel::testing {

namespace {

bool isUrlCharacter(char c) {
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
    return c != '\0' && std::strchr("!#$%&'()*+,-./:;=?@[]^_|~", c) != nullptr;
}

// The length of the scheme that starts at `at`, or 0.
std::size_t schemeAt(std::string_view text, std::size_t at) {
    static const char* const kSchemes[] = {"https://", "http://", "ftp://", "ttps://",
                                           "ttp://",   "tps://",  "tp://",  "sssp://"};
    for (const char* scheme : kSchemes)
        if (text.substr(at).starts_with(scheme)) return std::strlen(scheme);
    return 0;
}

void appendEscaped(std::string& out, char c) {
    switch (c) {
    case '&':
        out += "&amp;";
        break;
    case '"':
        out += "&quot;";
        break;
    case '<':
        out += "&lt;";
        break;
    case '>':
        out += "&gt;";
        break;
    case '\n':
        out += "<br>";
        break;
    default:
        out += c;
    }
}

} // namespace

std::string jdimEscaped(const std::string& typed) {
    std::string out;
    for (const char c : typed) appendEscaped(out, c);
    return out;
}

std::string jdimMessage(const std::string& typed) {
    std::string out;
    for (std::size_t i = 0; i < typed.size();) {
        if (const std::size_t scheme = schemeAt(typed, i)) {
            std::size_t end = i + scheme;
            while (end < typed.size() && isUrlCharacter(typed[end])) ++end;
            out.append(typed, i, end - i);
            i = end;
            continue;
        }
        appendEscaped(out, typed[i++]);
    }
    return out;
}

std::string jdimLogLine(const JDimTypedPost& p) {
    return "<hr><br>" + p.url + "<br>[ " + jdimEscaped(p.board) + " ] " + jdimEscaped(p.subject) +
           "<br>" + reinterpret_cast<const char*>(u8"名前：") + jdimEscaped(p.name) + " [" +
           jdimEscaped(p.mail) + "]" + reinterpret_cast<const char*>(u8"：") + p.date + "<br>" +
           jdimMessage(p.message) + "<br><br>\n";
}

std::vector<std::pair<std::string, std::string>>
jdimLogFiles(const std::vector<JDimTypedPost>& posts, std::size_t postsPerFile) {
    std::vector<std::string> full;
    std::string current;
    std::size_t inCurrent = 0;
    for (const JDimTypedPost& p : posts) {
        if (inCurrent == postsPerFile) {
            full.push_back(std::move(current));
            current.clear();
            inCurrent = 0;
        }
        current += jdimLogLine(p);
        ++inCurrent;
    }
    std::vector<std::pair<std::string, std::string>> files;
    for (std::size_t i = 0; i < full.size(); ++i)
        files.emplace_back("postlog-" + std::to_string(i + 1), std::move(full[i]));
    files.emplace_back("postlog", std::move(current));
    return files;
}

} // namespace lorvanel::testing
