// Checks the two folding tables against Unicode data: every CP932 code is decoded with iconv,
// its expected folding derived from the Unicode character's decomposition and name (an
// extract of the Unicode Character Database in tests/match/data), encoded back with
// iconv and compared with what the folding produces.
#include "match/Folding.h"
#include "platform/Mbcs.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <iconv.h>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <vector>

using namespace lorvanel;

namespace {

using CodePoints = std::vector<char32_t>;

struct UnicodeChar {
    std::string name;
    std::string decompositionTag; // "<wide>", "<narrow>", ... or empty for a canonical one
    CodePoints decomposition;
};

class UnicodeData {
public:
    UnicodeData() {
        std::ifstream in(LORVANEL_SOURCE_DIR "/tests/match/data/UnicodeKanaWidth.txt");
        if (!in) throw std::runtime_error("Unicode extract missing");
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line[0] == '#') continue;
            std::istringstream fields(line);
            std::string code, name, decomposition;
            std::getline(fields, code, ';');
            std::getline(fields, name, ';');
            std::getline(fields, decomposition);
            UnicodeChar c;
            c.name = name;
            std::istringstream parts(decomposition);
            std::string part;
            while (parts >> part) {
                if (part[0] == '<')
                    c.decompositionTag = part;
                else
                    c.decomposition.push_back(static_cast<char32_t>(std::stoul(part, nullptr, 16)));
            }
            const auto cp = static_cast<char32_t>(std::stoul(code, nullptr, 16));
            byName_[name] = cp;
            if (c.decompositionTag == "<narrow>" && c.decomposition.size() == 1)
                narrowForm_[c.decomposition[0]] = cp;
            chars_[cp] = std::move(c);
        }
    }

    const UnicodeChar* find(char32_t cp) const {
        auto it = chars_.find(cp);
        return it == chars_.end() ? nullptr : &it->second;
    }
    std::optional<char32_t> byName(const std::string& name) const {
        auto it = byName_.find(name);
        return it == byName_.end() ? std::nullopt : std::optional<char32_t>(it->second);
    }
    // The half-width character whose <narrow> decomposition is cp.
    std::optional<char32_t> narrowForm(char32_t cp) const {
        auto it = narrowForm_.find(cp);
        return it == narrowForm_.end() ? std::nullopt : std::optional<char32_t>(it->second);
    }

private:
    std::map<char32_t, UnicodeChar> chars_;
    std::map<std::string, char32_t> byName_;
    std::map<char32_t, char32_t> narrowForm_;
};

const UnicodeData& unicodeData() {
    static const UnicodeData data;
    return data;
}

class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open");
    }
    ~Iconv() { iconv_close(cd_); }
    std::optional<std::string> convert(const std::string& in) const {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char buf[64];
        char* dst = buf;
        std::size_t dstLeft = sizeof buf;
        if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) ||
            srcLeft != 0)
            return std::nullopt;
        return std::string(buf, static_cast<std::size_t>(dst - buf));
    }

private:
    iconv_t cd_;
};

std::optional<char32_t> decodeCp932(const std::string& bytes) {
    static const Iconv toUtf32("UTF-32LE", "CP932");
    const auto u = toUtf32.convert(bytes);
    if (!u || u->size() != 4) return std::nullopt;
    char32_t cp;
    std::memcpy(&cp, u->data(), 4);
    return cp;
}

// The CP932 bytes of the characters, each of which must decode back to itself.
std::optional<std::string> encodeCp932(const CodePoints& cps) {
    static const Iconv fromUtf32("CP932", "UTF-32LE");
    std::string out;
    for (char32_t cp : cps) {
        std::string u(reinterpret_cast<const char*>(&cp), 4);
        const auto b = fromUtf32.convert(u);
        if (!b || decodeCp932(*b) != cp) return std::nullopt;
        out += *b;
    }
    return out;
}

bool isSingleByteCp932(char32_t cp) {
    const auto b = encodeCp932({cp});
    return b && b->size() == 1;
}

// Full-width to half-width after Unicode: <wide> characters to their narrow form, the
// targets of <narrow> decompositions to the half-width character, and kana with a voiced or
// semi-voiced sound mark to the half-width base plus the half-width mark.
CodePoints halfWidth(char32_t cp) {
    const UnicodeData& ucd = unicodeData();
    // The spacing sound marks have a compatibility decomposition (a space and the combining
    // mark); JIS X 0201's half-width marks correspond to them in every Japanese conversion.
    if (cp == U'\u309B') return {U'\uFF9E'};
    if (cp == U'\u309C') return {U'\uFF9F'};
    if (const UnicodeChar* c = ucd.find(cp)) {
        if (c->decompositionTag == "<wide>" && c->decomposition.size() == 1 &&
            isSingleByteCp932(c->decomposition[0]))
            return c->decomposition;
        if (auto narrow = ucd.narrowForm(cp)) return {*narrow};
        if (c->decompositionTag.empty() && c->decomposition.size() == 2) {
            const auto base = ucd.narrowForm(c->decomposition[0]);
            const auto mark = ucd.narrowForm(c->decomposition[1]);
            if (base && mark &&
                (c->decomposition[1] == U'\u3099' || c->decomposition[1] == U'\u309A'))
                return {*base, *mark};
        }
    }
    return {cp};
}

CodePoints lowerAscii(CodePoints cps) {
    for (char32_t& c : cps)
        if (c >= U'A' && c <= U'Z') c += 0x20;
    return cps;
}

char32_t katakanaOf(char32_t cp) {
    const UnicodeChar* c = unicodeData().find(cp);
    if (!c || c->name.rfind("HIRAGANA ", 0) != 0) return cp;
    const auto k = unicodeData().byName("KATAKANA " + c->name.substr(9));
    return k ? *k : cp;
}

// Every CP932 code: the printable single bytes, half-width katakana and every lead byte with
// every trail byte.
std::vector<std::string> allCodes() {
    std::vector<std::string> codes;
    for (int b = 0x20; b < 0x7F; ++b) codes.emplace_back(1, static_cast<char>(b));
    for (int b = 0xA1; b <= 0xDF; ++b) codes.emplace_back(1, static_cast<char>(b));
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!isLeadByte(static_cast<unsigned char>(lead))) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (!isTrailByte(static_cast<unsigned char>(trail))) continue;
            codes.push_back({static_cast<char>(lead), static_cast<char>(trail)});
        }
    }
    return codes;
}

std::string expected(const std::string& code, bool kana) {
    const auto cp = decodeCp932(code);
    if (!cp) return code;
    const CodePoints folded = lowerAscii(halfWidth(kana ? katakanaOf(*cp) : *cp));
    if (folded == CodePoints{*cp}) return code; // unchanged, keeping duplicate codes apart
    const auto bytes = encodeCp932(folded);
    return bytes ? *bytes : code;
}

std::string hex(const std::string& s) {
    std::string out;
    char buf[4];
    for (unsigned char c : s) {
        std::snprintf(buf, sizeof buf, "%02X", c);
        out += buf;
    }
    return out;
}

} // namespace

TEST(FoldTables, WidthAndCaseFoldingFollowsUnicodeWidthMappings) {
    for (const std::string& code : allCodes()) {
        const std::string got = foldWidthAndCase(code);
        EXPECT_EQ(hex(got), hex(expected(code, false))) << "code " << hex(code);
        EXPECT_LE(got.size(), code.size()) << "code " << hex(code);
    }
}

TEST(FoldTables, KanaFoldingFollowsUnicodeNames) {
    int hiragana = 0;
    for (const std::string& code : allCodes()) {
        const std::string got = foldKana(code);
        EXPECT_EQ(hex(got), hex(expected(code, true))) << "code " << hex(code);
        EXPECT_LE(got.size(), code.size()) << "code " << hex(code);
        // Kana folding is width folding once hiragana are gone.
        EXPECT_EQ(foldKana(foldWidthAndCase(code)), got) << "code " << hex(code);
        const auto cp = decodeCp932(code);
        hiragana += cp && katakanaOf(*cp) != *cp;
    }
    EXPECT_EQ(hiragana, 85); // ぁ..ん and the two iteration marks
}

TEST(FoldTables, NoTextGrowsAndBrokenSequencesSurvive) {
    // Random bytes, lone lead bytes and lead bytes before non-trail bytes included.
    std::uint32_t seed = 12345;
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const int n = round % 40;
        for (int i = 0; i < n; ++i) {
            seed = seed * 1103515245u + 12345u;
            text.push_back(static_cast<char>(seed >> 16));
        }
        const std::string w = foldWidthAndCase(text);
        const std::string k = foldKana(text);
        ASSERT_LE(w.size(), text.size()) << hex(text);
        ASSERT_LE(k.size(), text.size()) << hex(text);
        // Folding is idempotent and the kana folding of either form is the same.
        ASSERT_EQ(foldWidthAndCase(w), w) << hex(text);
        ASSERT_EQ(foldKana(w), k) << hex(text);
        ASSERT_EQ(foldKana(k), k) << hex(text);
    }
}
