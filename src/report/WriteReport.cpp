#include "report/WriteReport.h"

#include "platform/LocalTime.h"
#include "report/CountRows.h"
#include "stats/CalendarText.h"

#include <algorithm>

namespace lorvanel {

namespace {

void dropLastTwoBytes(std::string& s) {
    s.resize(s.size() >= 2 ? s.size() - 2 : 0);
}

int dayNumberOf(Time32 t) {
    return toLocalTime(t).dayNumber;
}

void writeOverall(std::string& out, const PostStatistics& s, const PostList& posts,
                  const std::vector<std::string>& formatNames, std::uint64_t bytesRead,
                  std::uint64_t fileSize) {
    const int postCount = static_cast<int>(posts.size());
    out += "★総合結果\r\n";
    appendFormat(out, "期間 %s～%s (%d日)\r\n", formatLocalTime(s.firstTime, "%Y/%m/%d").c_str(),
                 formatLocalTime(s.lastTime, "%Y/%m/%d").c_str(), s.daysInPeriod);
    if (s.postingDays > 0) appendFormat(out, "書き込んだ日 %d日\r\n", s.postingDays);
    appendFormat(out, "書き込み回数 %d回／1日平均%3.2f回\r\n", postCount,
                 static_cast<double>(postCount) / s.daysInPeriod);
    appendFormat(out, "書き込み行数 %d行／1書き込み平均%3.2f行\r\n", s.lineTotal,
                 static_cast<double>(s.lineTotal) / postCount);
    if (s.threadCount > 0)
        appendFormat(out, "書き込みスレ数 %dスレッド／１スレ平均%3.2f回の書き込み\r\n",
                     s.threadCount, static_cast<double>(postCount) / s.threadCount);
    if (s.createdThreadCount > 0)
        appendFormat(out, "スレ立て回数 %d回\r\n", static_cast<int>(s.createdThreadCount));
    if (!formatNames.empty()) {
        appendFormat(out, "lorvanel.txtのタイプ %s", formatNames.front().c_str());
        for (std::size_t i = 1; i < formatNames.size(); ++i) {
            out += ", ";
            out += formatNames[i];
        }
        out += "\r\n";
    }
    if (bytesRead > 0) {
        const std::string whole =
            bytesRead == fileSize ? std::string() : " / " + formatByteSize(fileSize);
        appendFormat(out, "lorvanel.txtのサイズ %s%s\r\n", formatByteSize(bytesRead).c_str(),
                     whole.c_str());
    }
    out += "\r\n";

    out += "・時間帯別書き込み回数\r\n　";
    for (int i = 0; i < 12; ++i) {
        if (i == 6) out += "\r\n　";
        appendFormat(out, "%d-%d(%d), ", 2 * i, 2 * i + 2,
                     s.hours[2 * i].count + s.hours[2 * i + 1].count);
    }
    dropLastTwoBytes(out);
    out += "\r\n";

    out += "・曜日別書き込み回数\r\n　";
    out += formatCountRows(s.weekdays, "%s(%d), ", false);
    dropLastTwoBytes(out);
    out += "\r\n";

    out += "・板別書き込み回数TOP5\r\n　";
    out += formatCountRows(s.boards, "%s(%d), ", false, 0, 4);
    dropLastTwoBytes(out);
    out += "\r\n";
}

void beginSection(std::string& out, const char* heading) {
    out += kSectionRule;
    out += heading;
}

void writeMonths(std::string& out, const PostStatistics& s) {
    int largest = 0;
    for (const KeyCount& e : s.months) largest = std::max(largest, e.count);
    const LocalTime first = toLocalTime(s.firstTime);
    const LocalTime last = toLocalTime(s.lastTime);
    int y = first.year;
    appendFormat(out, "・%d年\r\n", y);
    for (int i = first.month - 1; i < static_cast<int>(s.months.size()); ++i) {
        const int m = i % 12 + 1;
        if (y >= last.year && m > last.month) break;
        if (i != 0 && i % 12 == 0) appendFormat(out, "・%d年\r\n", ++y);
        appendFormat(out, "　%2d月 %s(%d)\r\n", m, countBar(s.months[i].count, largest),
                     s.months[i].count);
    }
}

void writeDailyTop(std::string& out, const PostStatistics& s) {
    std::vector<KeyCount> top = s.days;
    std::sort(top.begin(), top.end(), [](const KeyCount& a, const KeyCount& b) {
        return a.count != b.count ? a.count > b.count : a.key < b.key;
    });
    if (top.size() > 10) top.resize(10);
    for (const KeyCount& e : top)
        appendFormat(out, "%s (%d)\r\n", dayTextWithWeekday(s.firstDayNumber + e.key).c_str(),
                     e.count);
}

void writeBusiestHours(std::string& out, const PostStatistics& s) {
    for (const TimeCount& e : s.busiestHours) {
        const LocalTime lt = toLocalTime(e.time);
        appendFormat(out, "%s %2d時(%d)\r\n", dayTextWithWeekday(lt.dayNumber).c_str(), lt.hour,
                     e.count);
    }
}

void writeRuns(std::string& out, const std::vector<DayRun>& runs) {
    for (const DayRun& r : runs) {
        const int first = dayNumberOf(r.firstDay);
        appendFormat(out, "%s～%s(%d日)\r\n", dayText(first).c_str(),
                     dayText(first + r.length - 1).c_str(), r.length);
    }
}

void writeMonthThreads(std::string& out, const PostStatistics& s) {
    const LocalTime first = toLocalTime(s.firstTime);
    int y = first.year;
    int m = first.month;
    appendFormat(out, "・%d年\r\n", y);
    for (const TextCount& e : s.monthThreadRanking) {
        appendFormat(out, "　%2d月 %s(%d)\r\n", m, e.text.c_str(), e.count);
        if (++m > 12) {
            appendFormat(out, "・%d年\r\n", ++y);
            m = 1;
        }
    }
}

void writeCreatedThreads(std::string& out, const PostStatistics& s) {
    for (const PostRecord* p : s.createdThreads)
        appendFormat(out, "%s %s(%s)\r\n", formatLocalTime(p->time, "%Y/%m/%d %H:%M:%S").c_str(),
                     p->title, p->boardName().c_str());
}

} // namespace

bool writeReport(std::string& text, const PostStatistics& s, const PostList& posts,
                 const std::vector<std::string>& formatNames, std::uint64_t bytesRead,
                 std::uint64_t fileSize) {
    text.clear();
    if (posts.empty() || s.hours.size() != 24) return true;
    writeOverall(text, s, posts, formatNames, bytesRead, fileSize);

    beginSection(text, "★時間帯別書き込み回数\r\n");
    text += formatCountRows(s.hours, "%2s時 %s(%d)\r\n", true);
    beginSection(text, "★曜日別書き込み回数\r\n");
    text += formatCountRows(s.weekdays, "%s %s(%d)\r\n", true);
    beginSection(text, "★毎月書き込み回数\r\n");
    writeMonths(text, s);
    beginSection(text, "★1日書き込み回数 Top10\r\n");
    writeDailyTop(text, s);
    if (!s.busiestHours.empty()) {
        beginSection(text, "★1時間書き込み回数 Top10\r\n");
        writeBusiestHours(text, s);
    }
    beginSection(text, "★連続書き込み日数 Top10\r\n");
    writeRuns(text, s.postingRuns);
    beginSection(text, "★連続無書き込み日数 Top10\r\n");
    writeRuns(text, s.silentRuns);
    if (!s.lineCounts.empty()) {
        beginSection(text, "★行数別書き込み回数\r\n");
        text += formatCountRows(s.lineCounts, "%2s行 %s(%d)\r\n", true, 1, kAllRows, true);
    }
    if (!s.threadRanking.empty()) {
        beginSection(text, "★最多書き込みスレッド Top20\r\n");
        text += formatCountRows(s.threadRanking, " %s (%d)\r\n", false);
    }
    if (!s.monthThreadRanking.empty()) {
        beginSection(text, "★毎月ごとの最多書き込みスレッド\r\n");
        writeMonthThreads(text, s);
    }
    if (s.createdThreadCount > 0) {
        beginSection(text, "★作成したスレッド\r\n");
        writeCreatedThreads(text, s);
    }
    beginSection(text, "★板別書き込み回数\r\n");
    text += formatCountRows(s.boards, "%-20s%s(%d)\r\n", true);
    return true;
}

} // namespace lorvanel
