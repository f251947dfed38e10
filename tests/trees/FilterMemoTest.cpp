// The description of the filter language shown in the filter dialog: it is CP932 text, and
// every example it gives of the language compiles, so the user never copies a broken one.
#include "filter/CompileFilter.h"
#include "platform/Encoding.h"
#include "support/CliRunner.h"
#include "trees/CustomFilter.h"

#include <gtest/gtest.h>
#include <sstream>

namespace lorvanel {
namespace {

std::string memo() {
    return testing::readFile(std::string(LORVANEL_SOURCE_DIR) + "/resources/FilterMemo.txt");
}

// The examples of the language's sections: after "例: ", pieces separated by two or more
// blanks, up to an explanation in "（" or after "→"; a piece that starts with a Japanese
// character is an explanation.
std::vector<std::string> examples(const std::string& text) {
    std::vector<std::string> out;
    const std::size_t from = text.find("■演算子");
    const std::size_t to = text.find("■文字の比べ方");
    std::istringstream in(text.substr(from, to - from));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::size_t at = line.find("例: ");
        if (at == std::string::npos) continue;
        std::string rest = line.substr(at + 4);
        const std::size_t arrow = rest.find("→");
        if (arrow != std::string::npos) rest.resize(arrow);
        std::size_t start = 0;
        while (start < rest.size()) {
            std::size_t end = rest.find("  ", start);
            if (end == std::string::npos) end = rest.size();
            std::string piece = rest.substr(start, end - start);
            if (piece.rfind("例: ", 0) == 0) piece.erase(0, 4);
            const std::size_t note = piece.find("（");
            if (note != std::string::npos && note > 0) piece.resize(note);
            while (!piece.empty() && piece.back() == ' ') piece.pop_back();
            if (!piece.empty() && static_cast<unsigned char>(piece[0]) < 0x80) out.push_back(piece);
            start = rest.find_first_not_of(' ', end);
            if (start == std::string::npos) break;
        }
    }
    return out;
}

TEST(FilterMemoTest, IsCp932TextWithCrLfLines) {
    const std::string text = memo();
    ASSERT_GT(text.size(), 2000u);
    EXPECT_EQ(cp932ToUtf8(text).find("\xEF\xBF\xBD"), std::string::npos); // no U+FFFD
    EXPECT_EQ(text.find("\n"), text.find("\r\n") + 1);
    for (std::size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1))
        EXPECT_EQ(text[i - 1], '\r') << i;
}

TEST(FilterMemoTest, EveryExampleCompilesAndEveryCommandIsDescribed) {
    const std::string text = memo();
    const std::vector<std::string> found = examples(text);
    EXPECT_GE(found.size(), 40u);
    for (const std::string& example : found) {
        std::string message;
        EXPECT_TRUE(compileFilterQuietly(example, &message))
            << cp932ToUtf8(example) << ": " << cp932ToUtf8(message);
    }
    for (const char* command : {"suretate", "AA", "dir_", "brd_", "server_", "sbj_", "name_",
                                "mail_", "msg_", "msgr_", "hour", "week", "line", "date"})
        EXPECT_NE(text.find(std::string("  ") + command), std::string::npos) << command;
    for (const CustomFilter& f : defaultCustomFilters()) {
        EXPECT_NE(text.find(f.name), std::string::npos) << cp932ToUtf8(f.name);
        if (f.text.size() < 80) EXPECT_NE(text.find(f.text), std::string::npos) << f.text;
    }
}

} // namespace
} // namespace lorvanel
