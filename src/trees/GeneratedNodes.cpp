#include "trees/GeneratedNodes.h"

#include "platform/LocalTime.h"
#include "stats/FilterTexts.h"

#include <cstdarg>
#include <cstdio>

namespace lorvanel {

namespace {

constexpr const char* kHistoryRoot = "履歴";

std::string format(const char* pattern, ...) {
    va_list args;
    va_start(args, pattern);
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(nullptr, 0, pattern, args);
    va_end(args);
    std::string out(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
    if (n > 0) std::vsnprintf(out.data(), out.size() + 1, pattern, again);
    va_end(again);
    return out;
}

// The digits of the first run of decimal digits in text.
std::string_view firstDigits(std::string_view text) {
    const std::size_t start = text.find_first_of("0123456789");
    if (start == std::string_view::npos) return {};
    std::size_t end = start;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    return text.substr(start, end - start);
}

int digitsValue(std::string_view digits) {
    int n = 0;
    for (char c : digits) n = n * 10 + (c - '0');
    return n;
}

int daysIn(int year, int month) {
    return month == 12 ? 31 : daysFromCivil(year, month + 1, 1) - daysFromCivil(year, month, 1);
}

int countAt(const std::vector<KeyCount>& table, long long index) {
    if (index < 0 || index >= static_cast<long long>(table.size())) return 0;
    return table[static_cast<std::size_t>(index)].count;
}

FilterTreeItem leaf(std::string text) {
    return FilterTreeItem{std::move(text), FilterKind::Leaf, nullptr};
}

bool expandYear(TreeNode& node, const PostStatistics& whole) {
    const std::string_view digits = firstDigits(node.item->text);
    if (digits.empty() || digits.size() > 9) return false;
    const int year = digitsValue(digits);
    const LocalTime first = toLocalTime(whole.firstTime);
    const LocalTime last = toLocalTime(whole.lastTime);
    if (year < first.year || year > last.year) return false;
    const int from = year == first.year ? first.month : 1;
    const int to = year == last.year ? last.month : 12;
    for (int month = to; month >= from; --month) {
        const int count = countAt(whole.months, (year - first.year) * 12LL + month - 1);
        TreeNode& child =
            node.append(format("%d月(%d)", month, count),
                        FilterTreeItem{monthFilterText(year, month), FilterKind::Month, nullptr});
        child.hasChildrenMark = true;
    }
    return true;
}

bool expandMonth(TreeNode& node, const PostStatistics& whole) {
    const std::string_view digits = firstDigits(node.item->text);
    if (digits.size() < 6) return false;
    const int year = digitsValue(digits.substr(0, 4));
    const int month = digitsValue(digits.substr(4, 2));
    if (month < 1 || month > 12) return false;
    const LocalTime first = toLocalTime(whole.firstTime);
    const LocalTime last = toLocalTime(whole.lastTime);
    const bool firstMonth = year == first.year && month == first.month;
    const bool lastMonth = year == last.year && month == last.month;
    const int from = firstMonth ? first.day : 1;
    const int to = lastMonth ? last.day : daysIn(year, month);
    bool added = false;
    for (int day = to; day >= from; --day) {
        const int count =
            countAt(whole.days,
                    static_cast<long long>(daysFromCivil(year, month, day)) - whole.firstDayNumber);
        if (count <= 0) continue;
        node.append(format("%d日(%d)", day, count), leaf(dayFilterText(year, month, day)));
        added = true;
    }
    return added;
}

bool expandHours(TreeNode& node, const PostStatistics& whole) {
    for (std::size_t i = 0; i < whole.hours.size(); ++i)
        node.append(format("%d時(%d)", whole.hours[i].key, whole.hours[i].count),
                    leaf(hourFilterText(static_cast<int>(i))));
    return !whole.hours.empty();
}

bool expandWeekdays(TreeNode& node, const PostStatistics& whole) {
    for (std::size_t i = 0; i < whole.weekdays.size(); ++i)
        node.append(format("%s(%d)", whole.weekdays[i].text.c_str(), whole.weekdays[i].count),
                    leaf(weekdayFilterText(static_cast<int>(i))));
    return !whole.weekdays.empty();
}

bool expandBoards(TreeNode& node, const PostStatistics& whole) {
    for (const TextCount& board : whole.boards)
        node.append(format("%s(%d)", board.text.c_str(), board.count),
                    leaf(boardFilterText(board.text)));
    return !whole.boards.empty();
}

} // namespace

std::string dateFilterText(Time32 t) {
    const LocalTime lt = toLocalTime(t);
    return dayFilterText(lt.year, lt.month, lt.day);
}

std::string weekFilterText(Time32 t) {
    const LocalTime lt = toLocalTime(t);
    int y1 = 0, m1 = 0, d1 = 0, y2 = 0, m2 = 0, d2 = 0;
    civilFromDays(lt.dayNumber - lt.weekday, y1, m1, d1);
    civilFromDays(lt.dayNumber - lt.weekday + 6, y2, m2, d2);
    return format("date%04d%02d%02d-%04d%02d%02d", y1, m1, d1, y2, m2, d2);
}

std::unique_ptr<TreeNode> buildHistoryBranch(const PostStatistics& selection, Time32 now) {
    auto root = std::make_unique<TreeNode>();
    root->label = kHistoryRoot;
    root->expanded = true;
    const Time32 dayAgo = static_cast<Time32>(static_cast<long long>(now) - 86400);
    const Time32 weekAgo = static_cast<Time32>(static_cast<long long>(now) - 7 * 86400);
    if (selection.today > 0)
        root->append(format("今日(%d)", selection.today), leaf(dateFilterText(now)));
    if (selection.yesterday > 0)
        root->append(format("昨日(%d)", selection.yesterday), leaf(dateFilterText(dayAgo)));
    if (selection.thisWeek > 0)
        root->append(format("今週(%d)", selection.thisWeek), leaf(weekFilterText(now)));
    if (selection.lastWeek > 0)
        root->append(format("先週(%d)", selection.lastWeek), leaf(weekFilterText(weekAgo)));
    if (!selection.years.empty()) {
        int firstYear = 0, m = 0, d = 0;
        civilFromDays(selection.firstDayNumber, firstYear, m, d);
        for (auto it = selection.years.rbegin(); it != selection.years.rend(); ++it) {
            const int year = firstYear + it->key;
            TreeNode& node =
                root->append(format("%d年(%d)", year, it->count),
                             FilterTreeItem{yearFilterText(year), FilterKind::Year, nullptr});
            node.hasChildrenMark = true;
        }
    }
    return root;
}

std::unique_ptr<TreeNode> makeCategoryRoot(FilterKind kind) {
    auto root = std::make_unique<TreeNode>();
    switch (kind) {
    case FilterKind::HourRoot:
        root->label = "時間帯";
        break;
    case FilterKind::WeekdayRoot:
        root->label = "曜日";
        break;
    default:
        root->label = "板";
        kind = FilterKind::BoardRoot;
        break;
    }
    root->item = FilterTreeItem{std::string(), kind, nullptr};
    root->hasChildrenMark = true;
    return root;
}

bool expandGeneratedNode(TreeNode& node, const PostStatistics& whole) {
    if (!node.item || !node.children.empty()) return false;
    // An empty log has no period: nothing to list.
    if (whole.days.empty()) return false;
    switch (node.item->kind) {
    case FilterKind::Year:
        return expandYear(node, whole);
    case FilterKind::Month:
        return expandMonth(node, whole);
    case FilterKind::HourRoot:
        return expandHours(node, whole);
    case FilterKind::WeekdayRoot:
        return expandWeekdays(node, whole);
    case FilterKind::BoardRoot:
        return expandBoards(node, whole);
    default:
        return false;
    }
}

} // namespace lorvanel
