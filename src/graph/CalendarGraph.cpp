#include "graph/CalendarGraph.h"

#include "graph/CellGraphDrawing.h"
#include "graph/ChartPainter.h"
#include "input/PostList.h"
#include "platform/LocalTime.h"
#include "stats/CalendarText.h"
#include "stats/FilterTexts.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <iterator>

namespace lorvanel {

namespace {

// A pale grey for days without posts, then one green ramp from light to dark.
constexpr Rgb kLevelColours[5] = {
    {235, 235, 235}, {190, 229, 160}, {118, 196, 104}, {45, 148, 64}, {18, 88, 36},
};

constexpr int kLegendSquare = 11;

// Draws the labels of one strip: the year at the left, the weekday names beside the rows
// (every second or third one when the rows are lower than the text) and the month names.
// Each label drawn is noted in labels, for clicks.
void drawStripLabels(Surface& s, const CalendarLayout& l, const CalendarStrip& strip,
                     std::vector<CalendarGraph::Label>& labels) {
    const std::string year = std::to_string(strip.year);
    const TextSize yearSize = s.measureText(year);
    const int yearTop = strip.cellTop + (7 * l.pitch - yearSize.height) / 2;
    drawTextAt(s, strip.left + 8, yearTop, year);
    labels.push_back(
        {{strip.left + 8, yearTop, strip.left + 8 + yearSize.width, yearTop + yearSize.height},
         strip.year,
         0});

    const int textHeight = s.measureText("日").height;
    const int step = std::max(1, (textHeight + l.pitch - 1) / l.pitch);
    for (int w = 0; w < 7; w += step) {
        const char* name = weekdayName(w);
        const TextSize size = s.measureText(name);
        drawTextAt(s, strip.cellLeft - 4 - size.width,
                   strip.cellTop + w * l.pitch + (l.pitch - size.height) / 2, name);
    }

    int freeFrom = strip.cellLeft - 1000;
    for (const CalendarMonthLabel& label : l.monthLabels(strip)) {
        char text[16];
        std::snprintf(text, sizeof text, "%d月", label.month);
        if (label.x < freeFrom) continue; // would overlap the previous month's name
        drawTextAt(s, label.x, strip.labelTop, text);
        const TextSize size = s.measureText(text);
        labels.push_back(
            {{label.x, strip.labelTop, label.x + size.width, strip.labelTop + size.height},
             strip.year,
             label.month});
        freeFrom = label.x + size.width + 2;
    }
}

void drawCells(Surface& s, const CalendarLayout& l, const CalendarStrip& strip,
               const CalendarModel& model) {
    const int size = l.pitch - 1;
    for (int day = strip.firstDay; day <= strip.lastDay; ++day) {
        const int x = l.dayX(strip, day);
        const int y = l.dayY(strip, day);
        const int level = calendarLevel(model.counts[day - model.firstDay], model.bounds);
        s.fillRect({x, y, x + size, y + size}, kLevelColours[level]);
    }
}

// "少 ■■■■ 多", each square with the lowest count of its level below it, and the number of
// years left out.
void drawLegend(Surface& s, const CalendarLayout& l, const CalendarModel& model) {
    const int top = l.legendTop + 4;
    int x = l.cellLeft;
    const std::string few = "少";
    const std::string many = "多";
    const TextSize fewSize = s.measureText(few);
    drawTextAt(s, x, top + (kLegendSquare - fewSize.height) / 2, few);
    x += fewSize.width + 4;
    for (int k = 0; k < 4; ++k) {
        const std::string count = std::to_string(model.bounds[k]);
        const TextSize size = s.measureText(count);
        const int slot = std::max(kLegendSquare, size.width) + 4;
        const int squareX = x + (slot - kLegendSquare) / 2;
        s.fillRect({squareX, top, squareX + kLegendSquare, top + kLegendSquare},
                   kLevelColours[k + 1]);
        drawTextAt(s, x + (slot - size.width) / 2, top + kLegendSquare + 2, count);
        x += slot;
    }
    drawTextAt(s, x + 2, top + (kLegendSquare - s.measureText(many).height) / 2, many);
    x += 2 + s.measureText(many).width;
    if (l.hiddenYears > 0) {
        char note[64];
        std::snprintf(note, sizeof note, "(古い%d年分は表示しきれません)", l.hiddenYears);
        drawTextAt(s, x + 16, top + (kLegendSquare - s.measureText(note).height) / 2, note);
    }
}

} // namespace

std::string CalendarGraph::name() {
    return "書き込みカレンダー";
}

Rgb CalendarGraph::levelColour(int level) {
    return kLevelColours[std::clamp(level, 0, 4)];
}

void CalendarGraph::computeSeries() {
    const PostList* posts = selection();
    model_ = posts ? buildCalendar(*posts) : CalendarModel{};
}

void CalendarGraph::draw() {
    ChartPainter& chart = painter();
    chart.clear();
    layout_ = CalendarLayout{};
    labels_.clear();
    refreshSeries();
    if (model_.empty()) return;
    // The painter holds the title of what was drawn, as for the other kinds.
    chart.setTitle(name());
    Surface* surface = chart.surface();
    if (!surface) return;
    const SurfaceRect area = paintArea(chart);
    layout_ = layoutCalendar(model_, area.left, area.top, area.right, area.bottom);

    Surface& s = *surface;
    drawTitle(s, area, name());
    s.setFont(ChartPainter::labelFont());
    for (const CalendarStrip& strip : layout_.strips) {
        drawStripLabels(s, layout_, strip, labels_);
        drawCells(s, layout_, strip, model_);
    }
    drawLegend(s, layout_, model_);
}

CalendarGraph::Hit CalendarGraph::hitAt(int x, int y) const {
    if (const std::optional<int> day = layout_.dayAt(x, y)) return {day, nullptr};
    for (const Label& label : labels_) {
        const SurfaceRect& r = label.rect;
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return {std::nullopt, &label};
    }
    return {};
}

std::optional<GraphReadout> CalendarGraph::readout(int x, int y) const {
    const Hit hit = hitAt(x, y);
    if (hit.day)
        return GraphReadout{calendarDayText(*hit.day), postCountText(model_.countOn(*hit.day))};
    if (!hit.label) return std::nullopt;
    const Label& l = *hit.label;
    const bool month = l.month > 0;
    const int from = daysFromCivil(l.year, month ? l.month : 1, 1);
    const int to = month ? from + daysInMonth(l.year, l.month) - 1 : daysFromCivil(l.year, 12, 31);
    int posts = 0;
    for (int day = std::max(from, model_.firstDay); day <= std::min(to, model_.lastDay()); ++day)
        posts += model_.countOn(day);
    char text[32];
    if (month)
        std::snprintf(text, sizeof text, "%04d/%02d", l.year, l.month);
    else
        std::snprintf(text, sizeof text, "%d年", l.year);
    return GraphReadout{text, postCountText(posts)};
}

std::string CalendarGraph::filterAt(int x, int y) const {
    const Hit hit = hitAt(x, y);
    if (hit.day) return dayNumberFilterText(*hit.day);
    if (!hit.label) return {};
    return hit.label->month > 0 ? monthFilterText(hit.label->year, hit.label->month)
                                : yearFilterText(hit.label->year);
}

namespace {

// Writes v at p as "%0*d" with `digits` would (digits 0: as "%d") and returns the end.
char* appendNumber(char* p, int v, int digits) {
    char buf[16];
    const char* end = std::to_chars(buf, std::end(buf), v).ptr;
    const char* digitsStart = buf;
    if (v < 0) *p++ = '-', ++digitsStart, --digits;
    for (int n = static_cast<int>(end - digitsStart); n < digits; ++n) *p++ = '0';
    return std::copy(digitsStart, end, p);
}

} // namespace

std::string CalendarGraph::seriesText(int, int) {
    const PostList* posts = selection();
    const CalendarModel model = posts ? buildCalendar(*posts) : CalendarModel{};
    if (model.empty()) return "blank\n";
    std::string out = "title\t" + name() + "\n";
    // One line a day over the whole selection: built by hand rather than by a formatted print
    // each, as "day\t%04d/%02d/%02d\t%d\t%d" would write it.
    out.reserve(out.size() + model.counts.size() * 24);
    char line[64];
    for (std::size_t i = 0; i < model.counts.size(); ++i) {
        int y = 0, m = 0, d = 0;
        civilFromDays(model.firstDay + static_cast<int>(i), y, m, d);
        char* p = line;
        *p++ = 'd', *p++ = 'a', *p++ = 'y', *p++ = '\t';
        p = appendNumber(p, y, 4);
        *p++ = '/';
        p = appendNumber(p, m, 2);
        *p++ = '/';
        p = appendNumber(p, d, 2);
        *p++ = '\t';
        p = appendNumber(p, model.counts[i], 0);
        *p++ = '\t';
        p = appendNumber(p, calendarLevel(model.counts[i], model.bounds), 0);
        *p++ = '\n';
        out.append(line, static_cast<std::size_t>(p - line));
    }
    std::snprintf(line, sizeof line, "legend\t%d\t%d\t%d\t%d\n", model.bounds[0], model.bounds[1],
                  model.bounds[2], model.bounds[3]);
    out += line;
    return out;
}

} // namespace lorvanel
