#include "platform/Encoding.h"

#include "platform/Mbcs.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <stdexcept>
#include <vector>

namespace lorvanel {

namespace {

// Iconv's view of CP932, taken once for every single- and double-byte code, so that large
// texts convert with table lookups. 0 marks an undecodable code.
struct DecodeTable {
    std::array<std::uint32_t, 256> single{};
    std::vector<std::uint32_t> dbl = std::vector<std::uint32_t>(65536, 0);

    static std::uint32_t decode(iconv_t cd, const char* in, std::size_t n) {
        char buf[8];
        char* src = const_cast<char*>(in);
        std::size_t srcLeft = n;
        char* dst = buf;
        std::size_t dstLeft = sizeof buf;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) || srcLeft)
            return 0;
        if (dst - buf != 4) return 0;
        std::uint32_t u;
        std::memcpy(&u, buf, 4);
        return u;
    }

    DecodeTable() {
        iconv_t cd = iconv_open("UTF-32LE", "CP932");
        if (cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv: CP932 unavailable");
        for (int b = 0; b < 256; ++b) {
            char c = static_cast<char>(b);
            single[b] = b < 0x80 ? static_cast<std::uint32_t>(b) : decode(cd, &c, 1);
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!isLeadByte(static_cast<unsigned char>(lead))) continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                char two[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                dbl[lead * 256 + trail] = decode(cd, two, 2);
            }
        }
        iconv_close(cd);
    }
};

const DecodeTable& decodeTable() {
    static const DecodeTable t;
    return t;
}

void putUtf8(std::string& out, std::uint32_t u) {
    if (u < 0x80) {
        out.push_back(static_cast<char>(u));
    } else if (u < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (u >> 6)));
        out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    } else if (u < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (u >> 12)));
        out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (u >> 18)));
        out.push_back(static_cast<char>(0x80 | ((u >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    }
}

constexpr std::uint32_t kReplacement = 0xFFFD;

} // namespace

void appendCp932AsUtf8(std::string& out, std::string_view s) {
    const DecodeTable& t = decodeTable();
    out.reserve(out.size() + s.size() + s.size() / 2);
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            ++i;
            continue;
        }
        if (isLeadByte(c)) {
            if (i + 1 < s.size() && isTrailByte(static_cast<unsigned char>(s[i + 1]))) {
                std::uint32_t u = t.dbl[c * 256 + static_cast<unsigned char>(s[i + 1])];
                putUtf8(out, u ? u : kReplacement);
                i += 2;
            } else {
                putUtf8(out, kReplacement);
                ++i;
            }
            continue;
        }
        std::uint32_t u = t.single[c];
        putUtf8(out, u ? u : kReplacement);
        ++i;
    }
}

std::string cp932ToUtf8(std::string_view s) {
    std::string out;
    appendCp932AsUtf8(out, s);
    return out;
}

bool utf8ToCp932(std::string_view utf8, std::string& out) {
    out.clear();
    if (utf8.empty()) return true;
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    out.resize(utf8.size() * 2 + 4);
    char* src = const_cast<char*>(utf8.data());
    std::size_t srcLeft = utf8.size();
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (r == static_cast<std::size_t>(-1) || srcLeft != 0) return false;
    out.resize(out.size() - dstLeft);
    return true;
}

} // namespace lorvanel
