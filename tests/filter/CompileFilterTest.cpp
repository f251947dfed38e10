#include "FilterTestSupport.h"

#include "filter/CompileCommand.h"
#include "filter/LogicNodes.h"
#include "filter/ShapeNodes.h"
#include "filter/TextNodes.h"
#include "filter/TimeNodes.h"
#include "input/BoardDirectory.h"
#include "input/DomainConstants.h"
#include "platform/Exception.h"
#include "support/RecordingAlertSink.h"

#include <gtest/gtest.h>

using namespace lorvanel;
using namespace lorvanel::testing;

namespace {

template <class Node> const Node& as(const FilterNode& node) {
    const Node* n = dynamic_cast<const Node*>(&node);
    EXPECT_NE(n, nullptr) << typeid(node).name();
    if (!n) throw std::runtime_error("unexpected node type");
    return *n;
}

std::string bodyPattern(std::string_view text) {
    FilterPtr f = compileOk(text);
    return f ? as<BodyNode>(*f).pattern() : std::string("<none>");
}

std::string syntaxError(const std::string& rest) {
    return "構文エラー\n'" + rest + "'\n";
}
std::string undefinedCommand(const std::string& command) {
    return "定義されていないコマンドです。\n'" + command + "'\n";
}
std::string badFormat(const std::string& command) {
    return "コマンドの書式が不正です\n'" + command + "'\n";
}
std::string badDate(const std::string& digits) {
    return "日時の指定が不正です\n'" + digits + "'";
}

} // namespace

TEST(CompileFilter, SyntaxErrorQuotesTheTextFromWhereTheParseStopped) {
    EXPECT_EQ(compileError(""), syntaxError(""));
    EXPECT_EQ(compileError("  "), syntaxError("  "));
    EXPECT_EQ(compileError("(msg_a|msg_b"), syntaxError("(msg_a|msg_b"));
    EXPECT_EQ(compileError("msg_x)"), syntaxError(")"));
    EXPECT_EQ(compileError("AA|"), syntaxError("|"));
    EXPECT_EQ(compileError("AA | "), syntaxError("| "));
    EXPECT_EQ(compileError("AA&"), syntaxError("&"));
    EXPECT_EQ(compileError("AA&!"), syntaxError("&!"));
    EXPECT_EQ(compileError("!"), syntaxError("!"));
    EXPECT_EQ(compileError("()"), syntaxError("()"));
    EXPECT_EQ(compileError("(AA)(AA)"), syntaxError("(AA)"));
    EXPECT_EQ(compileError("AA|(suretate&(AA|"), syntaxError("|(suretate&(AA|"));
    // A quoted argument ends at its quote; what follows is no part of the command.
    EXPECT_EQ(compileError("msg_\"a\"b"), syntaxError("b"));
    // An unclosed quote is no argument at all.
    EXPECT_EQ(compileError("msg_\"abc"), syntaxError("\"abc"));
}

TEST(CompileFilter, UnquotedArgumentsEndAtAnOperatorByteEvenInsideACharacter) {
    // ポ is 0x83 0x7C: the second byte reads as '|', and nothing follows it.
    EXPECT_EQ(compileError("msg_ポ"), syntaxError("\x7C"));
    EXPECT_EQ(bodyPattern("msg_\"ポ\""), "ポ");
}

TEST(CompileFilter, QuotedArgumentsAreScannedByteByByte) {
    // 表 and ソ end in 0x5C, which escapes the closing quote: the quote stays open.
    EXPECT_EQ(compileError("msg_\"表\""), syntaxError("\"表\""));
    EXPECT_EQ(compileError("msg_\"ソ\""), syntaxError("\"ソ\""));
    // Followed by another byte the quote closes, and unescaping keeps the character whole.
    EXPECT_EQ(bodyPattern("msg_\"表x\""), "表x");
    EXPECT_EQ(bodyPattern("msg_\"a\\\"b\""), "a\"b");
    EXPECT_EQ(bodyPattern("msg_\"a\\\\b\""), "a\\b");
    EXPECT_EQ(bodyPattern("msg_\"a\\|b\""), "a|b");
    EXPECT_EQ(bodyPattern("msg_\" a & b \""), " a & b ");
}

TEST(CompileFilter, UnquotedArgumentsKeepTheirSpaces) {
    FilterPtr f = compileOk("msg_abc & name_x");
    ASSERT_TRUE(f);
    const auto& both = as<AndNode>(*f);
    EXPECT_EQ(as<BodyNode>(both.left()).pattern(), "abc ");
    EXPECT_EQ(as<NameNode>(both.right()).pattern(), "x");

    f = compileOk("msg_\"abc\" & name_x");
    ASSERT_TRUE(f);
    EXPECT_EQ(as<BodyNode>(as<AndNode>(*f).left()).pattern(), "abc");

    EXPECT_EQ(bodyPattern("msg_tp://"), "tp://");
    EXPECT_EQ(bodyPattern("msg_"), "");
    EXPECT_EQ(bodyPattern("  msg_a b\t"), "a b\t");
    // The grammar's word runs on into the letters, the argument takes the quotes literally.
    EXPECT_EQ(bodyPattern("msg_a\"b\""), "a\"b\"");
    f = compileOk("(msg_ab )");
    ASSERT_TRUE(f);
    EXPECT_EQ(as<BodyNode>(*f).pattern(), "ab ");
}

TEST(CompileFilter, UndefinedCommandsQuoteTheWholeCommandText) {
    EXPECT_EQ(compileError("a"), undefinedCommand("a"));
    EXPECT_EQ(compileError("aa"), undefinedCommand("aa"));
    EXPECT_EQ(compileError("Msg_x"), undefinedCommand("Msg_x"));
    EXPECT_EQ(compileError("hour-"), undefinedCommand("hour-"));
    EXPECT_EQ(compileError("line"), undefinedCommand("line"));
    EXPECT_EQ(compileError("week"), undefinedCommand("week"));
    EXPECT_EQ(compileError("hour 4"), undefinedCommand("hour 4"));
    EXPECT_EQ(compileError("hourx"), undefinedCommand("hourx"));
    // The command's text runs up to the operator, spaces included.
    EXPECT_EQ(compileError("AA|foo bar | AA"), undefinedCommand("foo bar "));
}

TEST(CompileFilter, CommandsMustEndAfterTheirArgument) {
    EXPECT_EQ(compileError("AAx"), badFormat("AAx"));
    EXPECT_EQ(compileError("suretate1"), badFormat("suretate1"));
    EXPECT_EQ(compileError("date2008 13"), badFormat("date2008 13"));
    EXPECT_EQ(compileError("hour4x"), badFormat("hour4x"));
    EXPECT_EQ(compileError("AA\"x\""), badFormat("AA\"x\""));
    EXPECT_THROW(CompileCommand("msg_\"a\"x"), CEvalException);
    // Trailing whitespace is fine.
    compileOk("AA  ");
    compileOk("suretate\t|AA");
}

TEST(CompileFilter, RangeChecksInOrder) {
    EXPECT_EQ(compileError("hour24"), "値の範囲が不正です。 '24'");
    EXPECT_EQ(compileError("hour6-4"), "値の範囲が不正です。 '6-4'");
    EXPECT_EQ(compileError("week0"), "値の範囲が不正です。 '0'");
    EXPECT_EQ(compileError("week8"), "値の範囲が不正です。 '8'");
    EXPECT_EQ(compileError("week3-8"), "値の範囲が不正です。 '8'");
    EXPECT_EQ(compileError("line0-5"), "値の範囲が不正です。 '0'");
    EXPECT_EQ(compileError("line101"), "値の範囲が不正です。 '101'");
    // N- runs to the maximum, so a start above it is a reversed range.
    EXPECT_EQ(compileError("hour30-"), "値の範囲が不正です。 '30-23'");
    EXPECT_EQ(compileError("line-0"), "値の範囲が不正です。 '1-0'");
    // Digits beyond what an int holds read as its maximum.
    EXPECT_EQ(compileError("line99999999999999"), "値の範囲が不正です。 '2147483647'");
    // The check fires when the command is read, before the missing ')' is noticed.
    EXPECT_EQ(compileError("(AA|hour25"), "値の範囲が不正です。 '25'");
}

TEST(CompileFilter, RangeForms) {
    auto range = [](std::string_view text) {
        FilterPtr f = compileOk(text);
        if (auto* h = dynamic_cast<const HourNode*>(f.get())) return std::pair{h->low(), h->high()};
        if (auto* w = dynamic_cast<const WeekdayNode*>(f.get()))
            return std::pair{w->low(), w->high()};
        if (auto* l = dynamic_cast<const LineCountNode*>(f.get()))
            return std::pair{l->low(), l->high()};
        return std::pair{-99, -99};
    };
    EXPECT_EQ(range("hour4"), std::pair(4, 4));
    EXPECT_EQ(range("hour4-6"), std::pair(4, 6));
    EXPECT_EQ(range("hour4 - 6"), std::pair(4, 6));
    EXPECT_EQ(range("hour4\t-\t6 "), std::pair(4, 6));
    EXPECT_EQ(range("hour13-"), std::pair(13, 23));
    EXPECT_EQ(range("hour-5"), std::pair(0, 5));
    EXPECT_EQ(range("hour- 5"), std::pair(0, 5));
    EXPECT_EQ(range("week-3"), std::pair(1, 3));
    EXPECT_EQ(range("week1-7"), std::pair(1, 7));
    EXPECT_EQ(range("line6-"), std::pair(6, 100));
    EXPECT_EQ(range("line007"), std::pair(7, 7));
}

TEST(CompileFilter, DateForms) {
    auto date = [](std::string_view text) {
        FilterPtr f = compileOk(text);
        const auto* d = dynamic_cast<const DateNode*>(f.get());
        return d ? d->date() : DateSpec{-99, -99, -99};
    };
    auto range = [](std::string_view text) {
        FilterPtr f = compileOk(text);
        const auto* d = dynamic_cast<const DateRangeNode*>(f.get());
        return d ? std::pair{d->start(), d->end()} : std::pair{DateSpec{-99}, DateSpec{-99}};
    };
    EXPECT_EQ(date("date2008"), (DateSpec{2008, -1, -1}));
    EXPECT_EQ(date("date 2008"), (DateSpec{2008, -1, -1}));
    EXPECT_EQ(date("date200801"), (DateSpec{2008, 1, -1}));
    EXPECT_EQ(date("date20080115"), (DateSpec{2008, 1, 15}));
    EXPECT_EQ(date("date20080229"), (DateSpec{2008, 2, 29}));
    EXPECT_EQ(date("date20000229"), (DateSpec{2000, 2, 29}));
    EXPECT_EQ(date("date19500101"), (DateSpec{1950, 1, 1}));
    EXPECT_EQ(date("date20080000"), (DateSpec{2008, 0, 0}));
    EXPECT_EQ(date("date20080100"), (DateSpec{2008, 1, 0}));
    EXPECT_EQ(range("date2008-2009"), std::pair(DateSpec{2008, -1, -1}, DateSpec{2009, -1, -1}));
    EXPECT_EQ(range("date2008 - 200903"), std::pair(DateSpec{2008, -1, -1}, DateSpec{2009, 3, -1}));
    EXPECT_EQ(range("date2008-"), std::pair(DateSpec{2008, -1, -1}, DateSpec{2037, -1, -1}));
    EXPECT_EQ(range("date-200803"), std::pair(DateSpec{1971, -1, -1}, DateSpec{2008, 3, -1}));
    EXPECT_EQ(range("date - 200803"), std::pair(DateSpec{1971, -1, -1}, DateSpec{2008, 3, -1}));
}

TEST(CompileFilter, DateErrors) {
    const std::string missing = "日時を指定して下さい";
    EXPECT_EQ(compileError("date"), missing);
    EXPECT_EQ(compileError("datex"), missing);
    EXPECT_EQ(compileError("date-"), missing);
    EXPECT_EQ(compileError("date - "), missing);
    EXPECT_EQ(compileError("date1950"), badDate("1950"));
    EXPECT_EQ(compileError("date2038"), badDate("2038"));
    compileOk("date1971");
    compileOk("date2037");
    EXPECT_EQ(compileError("date200800"), badDate("200800"));
    EXPECT_EQ(compileError("date200813"), badDate("200813"));
    EXPECT_EQ(compileError("date20080230"), badDate("20080230"));
    EXPECT_EQ(compileError("date20070229"), badDate("20070229"));
    EXPECT_EQ(compileError("date19000229"), badDate("19000229"));
    EXPECT_EQ(compileError("date20080431"), badDate("20080431"));
    EXPECT_EQ(compileError("date20081301"), badDate("20081301"));
    EXPECT_EQ(compileError("date20080001"), badDate("20080001"));
    EXPECT_EQ(compileError("date123"), badDate("123"));
    EXPECT_EQ(compileError("date200801011"), badDate("200801011"));
    EXPECT_EQ(compileError("date2008-20080230"), badDate("20080230"));
    EXPECT_EQ(compileError("date-2038"), badDate("2038"));
}

TEST(CompileFilter, NotBindsTightestThenAndThenOrFromTheLeft) {
    // !a&b|c is ((not a) and b) or c.
    FilterPtr f = compileOk("!AA&suretate|msg_x");
    ASSERT_TRUE(f);
    const auto& any = as<OrNode>(*f);
    const auto& both = as<AndNode>(any.left());
    as<AsciiArtNode>(as<NotNode>(both.left()).child());
    as<NewThreadNode>(both.right());
    EXPECT_EQ(as<BodyNode>(any.right()).pattern(), "x");

    f = compileOk("AA|suretate&msg_x");
    ASSERT_TRUE(f);
    as<AsciiArtNode>(as<OrNode>(*f).left());
    as<AndNode>(as<OrNode>(*f).right());

    f = compileOk("AA|suretate|msg_x");
    ASSERT_TRUE(f);
    as<OrNode>(as<OrNode>(*f).left());
    as<BodyNode>(as<OrNode>(*f).right());

    f = compileOk("AA&suretate&msg_x");
    ASSERT_TRUE(f);
    as<AndNode>(as<AndNode>(*f).left());

    f = compileOk("!(AA|suretate)&msg_x");
    ASSERT_TRUE(f);
    as<OrNode>(as<NotNode>(as<AndNode>(*f).left()).child());

    f = compileOk("!!AA");
    ASSERT_TRUE(f);
    as<AsciiArtNode>(as<NotNode>(as<NotNode>(*f).child()).child());
}

TEST(CompileFilter, WhitespaceAroundEveryToken) {
    FilterPtr f = compileOk(" \t! ( AA | suretate ) & ( msg_\"x\" )\r\n");
    ASSERT_TRUE(f);
    const auto& both = as<AndNode>(*f);
    as<OrNode>(as<NotNode>(both.left()).child());
    EXPECT_EQ(as<BodyNode>(both.right()).pattern(), "x");
    compileOk("AA | suretate");
    compileOk("AA & suretate");
}

TEST(CompileFilter, BoardNamesAreResolvedWhenCompiled) {
    auto board = [](std::string_view text) {
        FilterPtr f = compileOk(text);
        const auto* b = dynamic_cast<const BoardNode*>(f.get());
        return b ? std::pair{b->server(), b->dir()} : std::pair{std::string("?"), std::string("?")};
    };
    using P = std::pair<std::string, std::string>;
    EXPECT_EQ(board("brd_ニュース速報"), P("", "news"));
    EXPECT_EQ(board("brd_\"ニュース速報+\""), P("", "newsplus"));
    EXPECT_EQ(board("brd_不明な板"), P("", ""));
    EXPECT_EQ(board("brd_"), P("", ""));
    EXPECT_EQ(board("brd_somedir"), P("", "somedir"));
    // A foreign board name stands for its server only while a loaded log holds the board.
    EXPECT_EQ(board("brd_filtdir＠filthost.example"), P("", ""));
    PostRecord foreign = makePost(2008, 1, 1);
    foreign.flags = 0;
    foreign.dir = "filtdir";
    foreign.server = "filthost.example";
    EXPECT_EQ(foreign.boardName(), "filtdir＠filthost.example");
    EXPECT_EQ(board("brd_filtdir＠filthost.example"), P("", ""));
    boardDirectory().retainForeignBoard(foreign.boardName());
    EXPECT_EQ(board("brd_filtdir＠filthost.example"), P("filthost.example", "filtdir"));
    boardDirectory().releaseForeignBoard(foreign.boardName());
    EXPECT_EQ(board("brd_filtdir＠filthost.example"), P("", ""));
}

TEST(CompileFilter, RegularExpressionErrors) {
    EXPECT_EQ(compileError("msgr_\"[\""), "正規表現の書式が不正です\n'['");
    EXPECT_EQ(compileError("msgr_*a"), "正規表現の書式が不正です\n'*a'");
    compileOk("msgr_\"(>|＞)[1-9]\"");
    // Unquoted, the pattern ends at the first operator byte.
    EXPECT_EQ(compileError("msgr_(>|＞)[1-9]"), syntaxError("(>|＞)[1-9]"));
}

TEST(CompileFilter, ErrorsGoThroughTheAlertSinkOnce) {
    recordedAlerts().clear();
    EXPECT_EQ(CompileFilter("hour24"), nullptr);
    EXPECT_EQ(recordedAlerts().raised, 1);
    ASSERT_EQ(recordedAlerts().texts.size(), 1u);

    std::string message;
    recordedAlerts().clear();
    EXPECT_EQ(compileFilterQuietly("hour24", &message), nullptr);
    EXPECT_EQ(message, "値の範囲が不正です。 '24'");
    EXPECT_TRUE(recordedAlerts().texts.empty());
    EXPECT_NE(compileFilterQuietly("hour23", &message), nullptr);
}

TEST(CompileFilter, TextEndsAtItsFirstNulByte) {
    using namespace std::string_view_literals;
    compileOk("AA\0garbage"sv);
    EXPECT_EQ(compileError("AA|\0suretate"sv), syntaxError("|"));
}

TEST(CompileFilter, TheDefaultCustomFiltersCompile) {
    const std::string live =
        "dir_bbylive|dir_tv2chwiki|dir_livesaturn|dir_livevenus|dir_livejupiter|dir_liveuranus|"
        "dir_endless|dir_weekly|dir_livewkwest|dir_livenhk|dir_liveetv|dir_liventv|dir_livetbs|"
        "dir_livecx|dir_liveanb|dir_livetx|dir_livebs|dir_livewowow|dir_liveskyp|dir_liveradio|"
        "dir_dome|dir_livebase|dir_livefoot|dir_oonna|dir_ootoko|dir_dancesite|dir_festival";
    const std::string outside = std::string("!(server_") + kMainBbsDomain + "|server_" +
                                kAdultBbsDomain + "|server_" + kRegionalBbsDomain + ")";
    const std::string texts[] = {
        outside,     live,         "!(" + live + ")",
        "suretate",  "AA",         "!name_",
        "name_#",    "mail_sage",  "msgr_\"(>|＞)[1-9]\"",
        "msg_tp://", "!AA&line6-", "!(week1|week7)&(hour4-6|hour13-15)",
    };
    for (const std::string& text : texts) compileOk(text);

    // The server pattern runs to the operator: "2ch.net", not "2ch.net|...".
    FilterPtr f = compileOk(outside);
    ASSERT_TRUE(f);
    const auto& any = as<OrNode>(as<OrNode>(as<NotNode>(*f).child()).left());
    EXPECT_EQ(as<ServerNode>(any.left()).pattern(), kMainBbsDomain);
}

TEST(CompileFilter, DeepNestingIsRefusedWithAMessage) {
    const int n = 100000;
    std::string parens = std::string(n, '(') + "AA" + std::string(n, ')');
    std::string message = compileError(parens);
    EXPECT_EQ(message.rfind("括弧と!の入れ子が深すぎます(1000段まで)\n'(((", 0), 0u) << message;
    EXPECT_LE(message.size(), 1023u);

    message = compileError(std::string(n, '!') + "AA");
    EXPECT_EQ(message.rfind("括弧と!の入れ子が深すぎます", 0), 0u) << message;

    std::string chain = "AA";
    for (int i = 1; i < n; ++i) chain += "|AA";
    message = compileError(chain);
    EXPECT_EQ(message.rfind("フィルタの式が長すぎます(10000段まで)\n'|AA|AA", 0), 0u) << message;

    std::string conjunction = "AA";
    for (int i = 1; i < n; ++i) conjunction += "&AA";
    message = compileError(conjunction);
    EXPECT_EQ(message.rfind("フィルタの式が長すぎます", 0), 0u) << message;

    // Up to the limits everything works, evaluation included.
    const PostRecord post = makePost(2008, 1, 1);
    FilterPtr f = compileOk(std::string(kMaxFilterNesting, '(') + "msg_本" +
                            std::string(kMaxFilterNesting, ')'));
    ASSERT_TRUE(f);
    EXPECT_TRUE(f->Matches(post));
    compileError(std::string(kMaxFilterNesting + 1, '(') + "AA" +
                 std::string(kMaxFilterNesting + 1, ')'));

    chain = "suretate";
    for (int i = 1; i < kMaxFilterTreeDepth; ++i) chain += "|suretate";
    compileError(chain + "|msg_本");
    f = compileOk(chain.substr(0, chain.size() - 9) + "|msg_本");
    ASSERT_TRUE(f);
    EXPECT_TRUE(f->Matches(post));
}

TEST(CEvalException, FormatsAndCutsItsMessage) {
    EXPECT_EQ(CEvalException("値 '%d-%d'", 3, 4).message(), "値 '3-4'");
    EXPECT_EQ(CEvalException("%s", std::string(2000, 'a').c_str()).message(),
              std::string(1023, 'a'));
    // 1023 bytes would end inside a double-byte character: it is left out whole.
    std::string kana;
    for (int i = 0; i < 1000; ++i) kana += "ア";
    const CEvalException e("%s", kana.c_str());
    EXPECT_EQ(e.message().size(), 1022u);

    char buffer[4];
    const CEvalException two("アイ");
    EXPECT_TRUE(two.GetErrorMessage(buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer), "ア");
    char big[16];
    EXPECT_TRUE(two.GetErrorMessage(big, sizeof big));
    EXPECT_EQ(std::string(big), "アイ");
    EXPECT_FALSE(two.GetErrorMessage(big, 0));
}
