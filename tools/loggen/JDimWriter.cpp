#include "JDimWriter.h"

#include "CivilDate.h"

#include <cstdio>
#include <iconv.h>
#include <stdexcept>
#include <string_view>

namespace loggen {

namespace {

// "2024/06/22(土) 12:34:56"; JDim of 2008-2009 wrote "2009/01/02 03:04".
std::string jdimDate(std::int64_t local) {
    static const char* const kWeekdays[] = {"日", "月", "火", "水", "木", "金", "土"};
    const std::int64_t days = local >= 0 ? local / 86400 : (local - 86399) / 86400;
    const std::int64_t sec = local - days * 86400;
    int y, m, d;
    civilDate(days, y, m, d);
    const int hh = static_cast<int>(sec / 3600), mm = static_cast<int>(sec / 60 % 60),
              ss = static_cast<int>(sec % 60);
    char buf[64];
    if (y < 2010)
        std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %02d:%02d", y, m, d, hh, mm);
    else
        std::snprintf(buf, sizeof buf, "%04d/%02d/%02d(%s) %02d:%02d:%02d", y, m, d,
                      kWeekdays[(days + 4) % 7], hh, mm, ss);
    return buf;
}

// CP932 trail bytes lie at 0x40 and above, so these four ASCII bytes are always characters.
void appendEscaped(std::string& out, const std::string& s) {
    for (const char c : s) {
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
        default:
            out += c;
        }
    }
}

bool isUrlChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           std::string_view("-._~:/?#[]@!$&'()*+,;=%").find(c) != std::string_view::npos;
}

// The message as JDim logs it: escaped, except that "&" stays raw inside a URL; line breaks
// become "<br>".
void appendMessage(std::string& out, const std::string& body) {
    for (std::size_t i = 0; i < body.size();) {
        if (body.compare(i, 2, "\r\n") == 0) {
            out += "<br>";
            i += 2;
            continue;
        }
        if (body.compare(i, 7, "http://") == 0 || body.compare(i, 8, "https://") == 0 ||
            body.compare(i, 6, "ttp://") == 0) {
            while (i < body.size() && isUrlChar(body[i])) out += body[i++];
            continue;
        }
        appendEscaped(out, std::string(1, body[i]));
        ++i;
    }
}

std::string toUtf8(const std::string& cp932) {
    static iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv: no CP932");
    std::string out(cp932.size() * 3 / 2 + 16, '\0');
    char* src = const_cast<char*>(cp932.data());
    std::size_t srcLeft = cp932.size();
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1))
        throw std::runtime_error("iconv: a generated text is not CP932");
    out.resize(out.size() - dstLeft);
    return out;
}

// A new thread is logged under the key 0000000000.
std::string newThreadUrl(const Thread& t) {
    std::string url = t.url;
    const std::string key = std::to_string(t.key);
    if (const std::size_t at = url.rfind(key); at != std::string::npos)
        url.replace(at, key.size(), "0000000000");
    return url;
}

} // namespace

void appendJDimLine(std::string& out, const Post& p, Random& extras) {
    const Thread& t = *p.thread;
    std::string line = "<hr><br>";
    line += p.opening ? newThreadUrl(t) : t.url;
    line += "<br>[ ";
    appendEscaped(line, t.board->name);
    line += " ] ";
    appendEscaped(line, t.title.text);
    line += "<br>名前：";
    appendEscaped(line, p.name);
    line += " [";
    appendEscaped(line, p.mail);
    line += "]：" + jdimDate(p.local) + "<br>";
    appendMessage(line, p.body);
    std::string utf8 = toUtf8(line);
    static const char* const kEmoji[] = {"\xF0\x9F\x90\x99", "\xF0\x9F\x98\x8A", "\xF0\x9F\x8E\xAE",
                                         "\xE2\x9D\xA4\xEF\xB8\x8F"};
    if (extras.chance(0.05)) utf8 += kEmoji[extras.below(4)];
    // The full-width tilde as Linux input methods type it.
    for (std::size_t at = 0; (at = utf8.find("\xEF\xBD\x9E", at)) != std::string::npos; at += 3)
        utf8.replace(at, 3, "\xE3\x80\x9C");
    out += utf8;
    out += "<br><br>\n";
}

} // namespace loggen
