#pragma once
// Unicode to CP932 by table: the code of every character of the Basic Multilingual Plane,
// taken once from iconv, so that large UTF-8 texts convert with one lookup per character.
#include <cstdint>
#include <vector>

namespace lorvanel {

class Cp932EncodeTable {
public:
    // What CP932 writes for the code point: 0 when it has no code for it, a value below 0x100
    // for a single byte, else lead byte × 256 + trail byte. U+0000 has no code here.
    std::uint16_t code(std::uint32_t u) const { return u < table_.size() ? table_[u] : 0; }
    // The codes of U+0000..U+FFFF, for loops that look up every character.
    const std::uint16_t* data() const { return table_.data(); }

private:
    friend const Cp932EncodeTable& cp932EncodeTable();
    Cp932EncodeTable();
    std::vector<std::uint16_t> table_;
};

// Built on first use; throws std::runtime_error when iconv knows no CP932.
const Cp932EncodeTable& cp932EncodeTable();

} // namespace lorvanel
