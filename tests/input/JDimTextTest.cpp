// Conversion of JDim's UTF-8 fields into CP932: entities, line breaks, URLs, characters CP932
// lacks or holds in another form, and broken UTF-8.
#include "input/JDimText.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

using namespace lorvanel;

namespace {

// The log's bytes are UTF-8, while this file's plain literals are CP932.
std::string U8(const char8_t* s) {
    return reinterpret_cast<const char*>(s);
}

struct Converted {
    std::string text;
    std::size_t invalid = 0;
    std::size_t carriageReturns = 0;
};

Converted convert(const std::string& utf8, JDimField kind) {
    Converted c;
    // Slack beyond the bound, so that an overrun shows as a size rather than as damage.
    c.text.resize(utf8.size() * kJDimMaxGrowth + 64);
    JDimCounts counts;
    char* end =
        convertJDimText(utf8.data(), utf8.data() + utf8.size(), kind, c.text.data(), counts);
    c.text.resize(static_cast<std::size_t>(end - c.text.data()));
    c.invalid = counts.invalid;
    c.carriageReturns = counts.carriageReturns;
    return c;
}

std::string message(const std::string& utf8) {
    return convert(utf8, JDimField::Message).text;
}

} // namespace

TEST(JDimText, EntitiesAreUnescapedOnceWithAmpersandLast) {
    const std::string in = "&quot;a&quot; &lt;b&gt; c&amp;d &amp;lt; &amp;amp; &#9829; &nbsp &";
    const std::string out = "\"a\" <b> c&d &lt; &amp; &#9829; &nbsp &";
    EXPECT_EQ(convert(in, JDimField::Escaped).text, out);
    EXPECT_EQ(message(in), out);
    // The URL field is written raw.
    EXPECT_EQ(convert(in, JDimField::Raw).text, in);
}

TEST(JDimText, LineBreaksOnlyInTheMessage) {
    // A CR before "<br>" (a pasted CR LF) is one line break with it; a CR elsewhere stays.
    const Converted lines = convert("a<br>b<br><br>c\r<br>d\re", JDimField::Message);
    EXPECT_EQ(lines.text, "a\r\nb\r\n\r\nc\r\nd\re");
    EXPECT_EQ(lines.carriageReturns, 5u);
    EXPECT_EQ(message("\r<br>\r\r<br>"), "\r\n\r\r\n");
    EXPECT_EQ(message("<b>x</b> <br <BR>"), "<b>x</b> <br <BR>");
    EXPECT_EQ(convert("a<br>b", JDimField::Escaped).text, "a<br>b");
}

TEST(JDimText, RawAmpersandInsideAUrlStays) {
    // Inside a URL the log keeps "&" raw, so an "&amp;" there was typed as such; a "&quot;"
    // or "&lt;" stands for a character that ends the URL.
    EXPECT_EQ(message("https://a.jp/?x=1&y=2&amp;z &amp; b"), "https://a.jp/?x=1&y=2&amp;z & b");
    EXPECT_EQ(message("ttp://a.jp/&amp;&quot;&amp;"), "ttp://a.jp/&amp;\"&");
    EXPECT_EQ(message(U8(u8"tp://a.jp/&amp;あ&amp;")), "tp://a.jp/&amp;あ&");
    EXPECT_EQ(message("http://a.jp/&amp;<br>&amp;"), "http://a.jp/&amp;\r\n&");
    // "://" without a scheme before it is no URL.
    EXPECT_EQ(message(" ://a&amp;b"), " ://a&b");
    // Only the browser's schemes start a URL, wherever they stand; other "x://" texts are
    // escaped like any text.
    for (const char* scheme :
         {"http", "https", "ftp", "ttp", "ttps", "tp", "tps", "sssp", "sftp", "xhttp", "hxxttp"})
        EXPECT_EQ(message(std::string(scheme) + "://a/&amp;b"), std::string(scheme) + "://a/&amp;b")
            << scheme;
    for (const char* other : {"hxxp", "h++p", "git", "ws", "file", "ssp", "htt", "p"})
        EXPECT_EQ(message(std::string(other) + "://a/&amp;b"), std::string(other) + "://a/&b")
            << other;
    // A URL runs over "^" and "|" too, and ends at "\\", "`", "{", "}", a space or non-ASCII.
    EXPECT_EQ(message("http://a/^|&amp;"), "http://a/^|&amp;");
    for (const char* end : {"\\", "`", "{", "}", " "})
        EXPECT_EQ(message(std::string("http://a/") + end + "&amp;"),
                  std::string("http://a/") + end + "&")
            << end;
}

TEST(JDimText, CharactersCp932LacksBecomeReferences) {
    // (Kept out of the checks' own text, which must be CP932.)
    const std::string emoji = U8(u8"蛸🐙です"), latin = U8(u8"¥€ä");
    EXPECT_EQ(message(emoji), "蛸&#128025;です");
    EXPECT_EQ(message(latin), "&#165;&#8364;&#228;");
    EXPECT_EQ(message(U8(u8"\u00a0")), "&#160;"); // two bytes, six out
}

TEST(JDimText, JisFormsBecomeWhatWindowsTypes) {
    EXPECT_EQ(message(U8(u8"〜‖−¢£¬—")), "～∥－￠￡￢―");
    EXPECT_EQ(message(U8(u8"～∥－￠￡￢―")), "～∥－￠￡￢―");
    EXPECT_EQ(message(U8(u8"①㈱ⅰｱｶﾞ")), "①㈱ⅰｱｶﾞ");
}

TEST(JDimText, BrokenUtf8BecomesQuestionMarksAndIsCounted) {
    // A stray byte, an overlong form, a surrogate, a cut three-byte and a cut four-byte
    // character: each malformed sequence is one "?".
    const Converted c = convert("a\xFF"
                                "b\xC0\xAF"
                                "c\xED\xA0\x80"
                                "d\xE3\x81"
                                "e\xF0\x9F\x90",
                                JDimField::Message);
    EXPECT_EQ(c.text, "a?b??c???d?e?");
    EXPECT_EQ(c.invalid, 8u);
    const Converted end = convert("\xE3", JDimField::Escaped);
    EXPECT_EQ(end.text, "?");
    EXPECT_EQ(end.invalid, 1u);
}

TEST(JDimText, NeverGrowsBeyondTheBoundAndNeverWritesNul) {
    // Random bytes weighted towards the expensive cases: two-byte characters CP932 lacks,
    // entities, "<br>" and URL starts.
    const std::string pieces[] = {U8(u8"\u0080"), U8(u8"\u07FF"), U8(u8"🐙"), "&amp;", "<br>",
                                  "http://",      "\xE3",         "a",       "&",     U8(u8"あ")};
    std::mt19937 rng(17);
    for (int round = 0; round < 2000; ++round) {
        std::string in;
        const int n = static_cast<int>(rng() % 40);
        for (int i = 0; i < n; ++i) {
            if (rng() % 4 == 0)
                in.push_back(static_cast<char>(1 + rng() % 255));
            else
                in += pieces[rng() % std::size(pieces)];
        }
        for (JDimField kind : {JDimField::Raw, JDimField::Escaped, JDimField::Message}) {
            const Converted c = convert(in, kind);
            EXPECT_LE(c.text.size(), in.size() * kJDimMaxGrowth);
            EXPECT_EQ(c.text.find('\0'), std::string::npos);
        }
    }
}

TEST(JDimText, WholeCharactersConvertAsTheSumOfTheirParts) {
    // Outside URLs, entities and line breaks each character converts on its own, wherever it
    // falls: against the eight-byte and four-byte steps of the fast paths, at a text's end,
    // and after stray bytes that no lead byte covers.
    const std::string pieces[] = {"a",       "Z1 ",      U8(u8"あ"), U8(u8"漢字"),   U8(u8"ｱ"),
                                  U8(u8"¥"), U8(u8"〜"), U8(u8"🐙"),  U8(u8"\u00e9"), "\x80",
                                  "\xBF",    "\xFF",     "\xC0",     "\xE0\x80\x80", "\xED\xA0\x80",
                                  "abcdefgh"};
    std::mt19937 rng(29);
    for (int round = 0; round < 3000; ++round) {
        std::string in, expected;
        std::size_t invalid = 0;
        const int n = static_cast<int>(rng() % 24);
        for (int i = 0; i < n; ++i) {
            const std::string& piece = pieces[rng() % std::size(pieces)];
            const Converted alone = convert(piece, JDimField::Message);
            in += piece;
            expected += alone.text;
            invalid += alone.invalid;
        }
        const Converted whole = convert(in, JDimField::Message);
        ASSERT_EQ(whole.text, expected) << "round " << round;
        ASSERT_EQ(whole.invalid, invalid) << "round " << round;
    }
}
