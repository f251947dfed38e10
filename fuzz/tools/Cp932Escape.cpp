// Rewrites a UTF-8 C++ source so that clang, which only knows a UTF-8 execution character
// set, produces the same CP932 bytes that GCC's -fexec-charset=CP932 gives: every run of
// non-ASCII characters becomes octal escapes of its CP932 bytes. Octal escapes (never hex)
// keep a following digit or letter out of the escape, and a CP932 trail byte 0x5C can't
// start an escape of its own. Comments get escapes too, which is harmless. The code must not
// put non-ASCII text in raw string literals.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iconv.h>
#include <iostream>
#include <sstream>
#include <string>

namespace {

bool toCp932(iconv_t cd, const std::string& utf8, std::string& out) {
    out.assign(utf8.size() * 2 + 8, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* dst = out.data();
    std::size_t outLeft = out.size();
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &in, &inLeft, &dst, &outLeft) == static_cast<std::size_t>(-1)) return false;
    out.resize(out.size() - outLeft);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: cp932-escape INPUT OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << argv[1] << ": " << std::strerror(errno) << "\n";
        return 1;
    }
    std::stringstream buf;
    buf << in.rdbuf();
    const std::string src = buf.str();

    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        std::cerr << "iconv: no UTF-8 to CP932 conversion\n";
        return 1;
    }
    std::string out;
    out.reserve(src.size() + src.size() / 4);
    std::string cp932;
    for (std::size_t i = 0; i < src.size();) {
        const unsigned char c = static_cast<unsigned char>(src[i]);
        if (c < 0x80) {
            out += src[i++];
            continue;
        }
        std::size_t j = i;
        while (j < src.size() && static_cast<unsigned char>(src[j]) >= 0x80) ++j;
        if (!toCp932(cd, src.substr(i, j - i), cp932)) {
            // Only comments can hold such text (GCC would refuse it in a literal): keep it.
            out.append(src, i, j - i);
            i = j;
            continue;
        }
        for (unsigned char b : cp932) {
            char esc[5];
            std::snprintf(esc, sizeof esc, "\\%03o", b);
            out += esc;
        }
        i = j;
    }
    iconv_close(cd);

    std::ofstream o(argv[2], std::ios::binary | std::ios::trunc);
    o << out;
    if (!o) {
        std::cerr << argv[2] << ": can't write\n";
        return 1;
    }
    return 0;
}
