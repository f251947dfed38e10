// The words and keywords of result pages as links: each stands where its text is written, and
// searching the posts with the link's options finds exactly the posts counted beside it.
#include "keywords/AutoKeywordAnalysis.h"
#include "keywords/KeywordFileAnalysis.h"
#include "keywords/KeywordTestLog.h"
#include "keywords/PageLinkSearch.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace lorvanel;
using lorvanel::testing::KeywordPost;
using lorvanel::testing::KeywordTestLog;
using lorvanel::testing::TempDir;

namespace {

// The "(n)" written right after a link's text.
int countAfter(const ResultPage& page, const PageLink& link) {
    EXPECT_EQ(page.text.at(link.end), '(');
    return std::atoi(page.text.c_str() + link.end + 1);
}

enum class Field { kBody, kTitle };

int postsFound(const KeywordTestLog& t, const PageLink& link, Field field) {
    const SearchPattern pattern(link.pattern, searchOptionsFor(link));
    EXPECT_TRUE(pattern.usable()) << link.pattern;
    int n = 0;
    for (const PostRecord* p : t.selection)
        n += pattern.foundIn(field == Field::kBody ? std::string_view(p->body)
                                                   : std::string_view(p->title));
    return n;
}

// Every link's text in the page is its pattern, links come in the text's order, and the search
// finds the posts counted.
void expectLinksFindTheirPosts(const KeywordTestLog& t, const ResultPage& page,
                               std::size_t titlesFrom = std::string::npos) {
    std::size_t previous = 0;
    for (const PageLink& link : page.links) {
        ASSERT_LE(previous, link.begin);
        ASSERT_LT(link.end, page.text.size());
        previous = link.end;
        EXPECT_EQ(page.text.substr(link.begin, link.end - link.begin), link.pattern);
        const Field field = link.begin >= titlesFrom ? Field::kTitle : Field::kBody;
        EXPECT_EQ(postsFound(t, link, field), countAfter(page, link)) << link.pattern;
    }
}

} // namespace

TEST(PageLinks, KeywordFileEntriesAreSearchedWithTheirOwnFolding) {
    KeywordTestLog t({{"テストする"},
                      {"ﾃｽﾄ"},
                      {"てすとだよ"},
                      {"テキスト"},
                      {"abc"},
                      {"ＡＢＣ"},
                      {"aBc"},
                      {"ａｂｂｃ と てすと"},
                      {"ac"},
                      {"表示"}});
    TempDir dir;
    const std::string path = dir.write("k.txt", "★かな\nてすと\n@テスト\n"
                                                "★英字\nABC\n*ab+c\n@*Ａ.Ｃ\n表\n"
                                                "★なし\n存在しない\n");
    ResultPage page;
    ASSERT_TRUE(analyzeKeywordFile(t.selection, t.log, path, page));
    ASSERT_EQ(page.links.size(), 6u); // the entry without a match is not written
    expectLinksFindTheirPosts(t, page);

    const auto linkOf = [&](const std::string& text) {
        for (const PageLink& l : page.links)
            if (l.pattern == text) return l;
        ADD_FAILURE() << text;
        return PageLink();
    };
    // Plain entries fold kana, "@" entries only width and case, "*" are expressions.
    EXPECT_EQ(linkOf("てすと").folding, PageLink::Folding::kKana);
    EXPECT_EQ(linkOf("テスト").folding, PageLink::Folding::kWidthAndCase);
    EXPECT_FALSE(linkOf("テスト").regex);
    EXPECT_TRUE(linkOf("ab+c").regex);
    EXPECT_EQ(linkOf("ab+c").folding, PageLink::Folding::kKana);
    EXPECT_TRUE(linkOf("Ａ.Ｃ").regex);
    EXPECT_EQ(linkOf("Ａ.Ｃ").folding, PageLink::Folding::kWidthAndCase);
    const SearchOptions kana = searchOptionsFor(linkOf("てすと"));
    EXPECT_FALSE(kana.matchCase || kana.matchKana || kana.regex);
    const SearchOptions width = searchOptionsFor(linkOf("テスト"));
    EXPECT_TRUE(!width.matchCase && width.matchKana && !width.regex);
}

TEST(PageLinks, AutomaticWordsFindTheirPostsWithTheVariantsMergedIntoThem) {
    std::vector<KeywordPost> posts;
    // Words stand between hiragana or blanks, so containing one is holding it as a word.
    // Each form is found in three posts, so that both survive the cut and then merge.
    for (const char* body : {"テストです", "ﾃｽﾄです", "abc と 漢字", "ＡＢＣ と 漢字"})
        for (int i = 0; i < 3; ++i) posts.push_back({body, "スレッド題名"});
    posts.push_back({"ほかの文", "別の題名"});
    KeywordTestLog t(posts);
    const ResultPage page = analyzeAutoKeywords(t.selection);
    // テスト(6) 漢字(6) abc(6), then スレッド(12) 題名(13).
    ASSERT_EQ(page.links.size(), 5u);
    const std::size_t titles = page.text.find("★スレッドキーワード");
    ASSERT_NE(titles, std::string::npos);
    expectLinksFindTheirPosts(t, page, titles);
    bool sawTitleWord = false;
    for (const PageLink& link : page.links) {
        EXPECT_EQ(link.folding, PageLink::Folding::kWidthAndCase);
        EXPECT_FALSE(link.regex);
        sawTitleWord |= link.begin > titles;
    }
    EXPECT_TRUE(sawTitleWord);
}

TEST(PageLinks, WordLineSpansPointAtEveryWordAcrossLineBreaks) {
    std::vector<WordCount> words;
    for (int i = 0; i < 40; ++i) words.push_back({"word" + std::to_string(i), 100 - i});
    std::vector<TextSpan> spans;
    const std::string text = formatWordLines(words, 5, &spans);
    // Five lines of about five words: the words written are those with spans, no more.
    ASSERT_GT(spans.size(), 10u);
    ASSERT_LT(spans.size(), words.size());
    for (std::size_t i = 0; i < spans.size(); ++i)
        EXPECT_EQ(text.substr(spans[i].begin, spans[i].end - spans[i].begin), words[i].text);
    EXPECT_EQ(text.find(words[spans.size()].text + "("), std::string::npos);
}
