// The custom filter list: the defaults, section "CustomFilter" of the settings file and
// restoring the defaults.
#include "trees/CustomFilter.h"
#include "filter/CompileFilter.h"
#include "platform/IniFile.h"

#include <gtest/gtest.h>

namespace lorvanel {
namespace {

std::vector<std::string> names(const CustomFilterList& list) {
    std::vector<std::string> out;
    for (const auto& f : list.items()) out.push_back(f->name);
    return out;
}

CustomFilterList readFrom(std::string_view iniText) {
    IniFile ini;
    ini.parse(iniText);
    CustomFilterList list;
    list.read(ini);
    return list;
}

TEST(CustomFilterTest, DefaultsStandInTableOrderAndAllCompile) {
    const std::vector<CustomFilter>& d = defaultCustomFilters();
    ASSERT_EQ(d.size(), 12u);
    const std::vector<std::string> expected = {
        "2ch外",    "実況", "実況除外",   "スレ立て",    "アスキーアート", "コテハン",
        "トリップ", "sage", "レスアンカ", "URL貼り付け", "長文",           "ニータイム"};
    for (std::size_t i = 0; i < d.size(); ++i) {
        EXPECT_EQ(d[i].name, expected[i]);
        std::string message;
        EXPECT_TRUE(compileFilterQuietly(d[i].text, &message)) << d[i].name << ": " << message;
    }
    EXPECT_EQ(d[0].text, "!(server_2ch.net|server_5ch.net|server_bbspink.com|server_machi.to)");
    EXPECT_EQ(d[1].text.substr(0, 32), "dir_bbylive|dir_tv2chwiki|dir_li");
    EXPECT_EQ(std::count(d[1].text.begin(), d[1].text.end(), '|'), 26);
    EXPECT_EQ(d[1].text.substr(d[1].text.size() - 26), "dir_dancesite|dir_festival");
    EXPECT_EQ(d[2].text, "!(" + d[1].text + ")");
    EXPECT_EQ(d[8].text, "msgr_\"(>|＞)[1-9]\"");
    EXPECT_EQ(d[10].text, "!AA&line6-");
    EXPECT_EQ(d[11].text, "!(week1|week7)&(hour4-6|hour13-15)");
}

TEST(CustomFilterTest, MissingSectionGivesDefaultsAndWritesTwelveKeys) {
    CustomFilterList list = readFrom("[Settings]\r\nAutoLoadLastText=1\r\n");
    EXPECT_EQ(list.values(), defaultCustomFilters());

    IniFile ini;
    list.write(ini);
    EXPECT_EQ(ini.getInt("CustomFilter", "Count", -1), 12);
    EXPECT_EQ(ini.getString("CustomFilter", "7").value_or(""), "sage,mail_sage");
    EXPECT_EQ(ini.getString("CustomFilter", "11").value_or(""),
              "ニータイム,!(week1|week7)&(hour4-6|hour13-15)");
    EXPECT_FALSE(ini.hasKey("CustomFilter", "12"));
}

TEST(CustomFilterTest, ValuesSplitAtTheFirstCommaAndCountBoundsTheKeys) {
    // "2" has no comma and is skipped; "4" lies beyond Count; "03" is not an index written
    // with %d; the second "1" is a duplicate.
    CustomFilterList list = readFrom("[CustomFilter]\r\nCount=4\r\n0=a,b,c\r\n1=x,\r\n1=y,z\r\n"
                                     "2=nocomma\r\n03=q,r\r\n3=,msg_\r\n4=late,msg_late\r\n");
    const std::vector<CustomFilter> expected = {{"a", "b,c"}, {"x", ""}, {"", "msg_"}};
    EXPECT_EQ(list.values(), expected);
}

TEST(CustomFilterTest, WithoutACountTheKeysAreReadUpToTheFirstGap) {
    // Written by hand: no Count (or an empty or negative one); "3" is missing, so "4" is not
    // read; a key without a comma is no gap.
    const std::string keys = "0=a,msg_a\r\n1=nocomma\r\n2=c,msg_c\r\n4=e,msg_e\r\n";
    const std::vector<CustomFilter> expected = {{"a", "msg_a"}, {"c", "msg_c"}};
    for (const std::string count : {"", "Count=\r\n", "Count=-1\r\n", "Count=-2147483648\r\n"})
        EXPECT_EQ(readFrom("[CustomFilter]\r\n" + count + keys).values(), expected) << count;
    EXPECT_EQ(readFrom("[CustomFilter]\r\n1=b,msg_b\r\n").values(), defaultCustomFilters());
}

TEST(CustomFilterTest, AnEmptyListReadsAsTheDefaults) {
    EXPECT_EQ(readFrom("[CustomFilter]\r\nCount=0\r\n0=a,b\r\n").values(), defaultCustomFilters());
    EXPECT_EQ(readFrom("[CustomFilter]\r\nCount=2\r\n0=none\r\n").values(), defaultCustomFilters());
    // A count far beyond the keys present costs nothing.
    EXPECT_EQ(readFrom("[CustomFilter]\r\nCount=2147483647\r\n5=f,AA\r\n").values(),
              (std::vector<CustomFilter>{{"f", "AA"}}));
}

TEST(CustomFilterTest, WrittenFiltersReadBackUnchanged) {
    // Blanks at either end and a quote at both ends would be taken off by the settings file
    // if they were written bare; a text may end in a blank that belongs to its argument.
    const std::vector<CustomFilter> filters = {
        {"plain", "msg_a,b"}, {" lead", "msg_x"}, {"trail", "msg_abc "},
        {"\"q", "msg_\"b\""}, {"", ""},           {"tab", "msg_\t"},
        {"表", "sbj_\"表\""}};
    CustomFilterList list;
    for (const CustomFilter& f : filters) list.append(f);
    IniFile ini;
    ini.parse("[CustomFilter]\r\nCount=9\r\n8=old,AA\r\n");
    list.write(ini);
    // Through the file's text, as the program would save and load it.
    IniFile again;
    again.parse(ini.text());
    CustomFilterList back;
    back.read(again);
    EXPECT_EQ(back.values(), filters);
    EXPECT_EQ(again.getString("CustomFilter", "0").value_or(""), "plain,msg_a,b");
    // The key beyond the new count stays in the file, unread.
    EXPECT_EQ(again.getString("CustomFilter", "8").value_or(""), "old,AA");
}

TEST(CustomFilterTest, RestoringDefaultsFindsARenamedDefaultByItsText) {
    CustomFilterList list;
    list.append({"mine", "msg_x"});
    for (const CustomFilter& d : defaultCustomFilters())
        if (d.name == "sage")
            list.append({"さげ", d.text});
        else if (d.name != "長文")
            list.append(d);
    list.append({"other", "hour1"});
    // A filter that only shares a default's name goes too, whatever its text.
    list.append({"URL貼り付け", "msg_http"});
    list.restoreDefaults();

    std::vector<CustomFilter> expected = defaultCustomFilters();
    expected.push_back({"mine", "msg_x"});
    expected.push_back({"other", "hour1"});
    // The default URL filter took the first of its name; the edited one of the same name
    // was the second and is kept.
    expected.push_back({"URL貼り付け", "msg_http"});
    EXPECT_EQ(list.values(), expected);
}

TEST(CustomFilterTest, RemoveDestroysOnlyThatRecord) {
    CustomFilterList list;
    CustomFilter& a = list.append({"a", "AA"});
    list.append({"b", "suretate"});
    list.remove(&a);
    EXPECT_EQ(names(list), (std::vector<std::string>{"b"}));
    list.remove(nullptr);
    EXPECT_EQ(list.size(), 1u);
}

} // namespace
} // namespace lorvanel
