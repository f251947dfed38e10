#include "platform/Cp932Encoder.h"

#include <cstring>
#include <iconv.h>
#include <stdexcept>

namespace lorvanel {

namespace {

std::uint16_t encodeOne(iconv_t cd, std::uint32_t u) {
    char in[4];
    std::memcpy(in, &u, 4);
    char out[8];
    char* src = in;
    std::size_t srcLeft = sizeof in;
    char* dst = out;
    std::size_t dstLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) || srcLeft)
        return 0;
    const auto* b = reinterpret_cast<const unsigned char*>(out);
    switch (dst - out) {
    case 1:
        // Iconv writes the yen sign and the overline as the backslash and the tilde, which
        // read back as other characters: CP932 has no code for them.
        return u >= 0x80 && b[0] < 0x80 ? 0 : b[0];
    case 2:
        return static_cast<std::uint16_t>(b[0] * 256 + b[1]);
    default:
        return 0;
    }
}

} // namespace

Cp932EncodeTable::Cp932EncodeTable() : table_(0x10000, 0) {
    iconv_t cd = iconv_open("CP932", "UTF-32LE");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv: CP932 unavailable");
    for (std::uint32_t u = 1; u < 0x10000; ++u)
        if (u < 0xD800 || u > 0xDFFF) table_[u] = encodeOne(cd, u);
    iconv_close(cd);
    // Characters that input methods outside Windows type in their JIS forms, written as the
    // CP932 characters a Windows user gets for the same keys (not every iconv knows these).
    table_[0x301C] = 0x8160; // WAVE DASH -> FULLWIDTH TILDE
    table_[0x2016] = 0x8161; // DOUBLE VERTICAL LINE -> PARALLEL TO
    table_[0x2212] = 0x817C; // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
    table_[0x2014] = 0x815C; // EM DASH -> HORIZONTAL BAR
    table_[0x00A2] = 0x8191; // CENT SIGN -> FULLWIDTH CENT SIGN
    table_[0x00A3] = 0x8192; // POUND SIGN -> FULLWIDTH POUND SIGN
    table_[0x00AC] = 0x81CA; // NOT SIGN -> FULLWIDTH NOT SIGN
}

const Cp932EncodeTable& cp932EncodeTable() {
    static const Cp932EncodeTable table;
    return table;
}

} // namespace lorvanel
