#include "match/Folding.h"

#include "match/FoldTables.h"
#include "platform/Mbcs.h"

#include <cstdint>
#include <vector>

namespace lorvanel {

namespace {

// Every code's result, indexed by the code itself (single bytes below 0x100, double-byte
// codes by lead * 256 + trail), so that folding is one lookup per character.
class FoldMap {
public:
    FoldMap(const FoldPair* first, std::size_t n, const FoldMap* base) {
        if (base) {
            map_ = base->map_;
        } else {
            map_.resize(0x10000);
            for (std::size_t c = 0; c < map_.size(); ++c) map_[c] = static_cast<std::uint16_t>(c);
        }
        for (std::size_t i = 0; i < n; ++i) map_[first[i].code] = first[i].result;
    }

    std::size_t fold(const char* in, std::size_t n, char* out) const {
        const auto* src = reinterpret_cast<const unsigned char*>(in);
        // Read through a local: the writes to out could otherwise be the table's own.
        const std::uint16_t* map = map_.data();
        std::size_t i = 0;
        std::size_t o = 0;
        while (i < n) {
            unsigned code = src[i];
            if (isLeadByte(src[i]) && i + 1 < n && isTrailByte(src[i + 1])) {
                code = code << 8 | src[i + 1];
                i += 2;
            } else {
                ++i;
            }
            const std::uint16_t r = map[code];
            if (r > 0xFF) out[o++] = static_cast<char>(r >> 8);
            out[o++] = static_cast<char>(r & 0xFF);
        }
        return o;
    }

private:
    std::vector<std::uint16_t> map_;
};

const FoldMap& widthMap() {
    static const FoldMap m(kWidthFoldTable, kWidthFoldTableSize, nullptr);
    return m;
}

const FoldMap& kanaMap() {
    static const FoldMap m(kKanaFoldTable, kKanaFoldTableSize, &widthMap());
    return m;
}

std::string folded(const FoldMap& map, std::string_view text) {
    std::string out(text.size(), '\0');
    out.resize(map.fold(text.data(), text.size(), out.data()));
    return out;
}

} // namespace

std::size_t foldWidthAndCase(const char* in, std::size_t n, char* out) {
    return widthMap().fold(in, n, out);
}

std::size_t foldKana(const char* in, std::size_t n, char* out) {
    return kanaMap().fold(in, n, out);
}

std::string foldWidthAndCase(std::string_view text) {
    return folded(widthMap(), text);
}

std::string foldKana(std::string_view text) {
    return folded(kanaMap(), text);
}

} // namespace lorvanel
