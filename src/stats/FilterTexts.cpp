#include "stats/FilterTexts.h"

#include "platform/LocalTime.h"

#include <cstdio>

namespace lorvanel {

std::string dayFilterText(int year, int month, int day) {
    char text[32];
    std::snprintf(text, sizeof text, "date%04d%02d%02d", year, month, day);
    return text;
}

std::string monthFilterText(int year, int month) {
    char text[32];
    std::snprintf(text, sizeof text, "date%04d%02d", year, month);
    return text;
}

std::string yearFilterText(int year) {
    char text[32];
    std::snprintf(text, sizeof text, "date%04d", year);
    return text;
}

std::string dayNumberFilterText(int dayNumber) {
    int y = 0, m = 0, d = 0;
    civilFromDays(dayNumber, y, m, d);
    return dayFilterText(y, m, d);
}

std::string hourFilterText(int hour) {
    return "hour" + std::to_string(hour);
}

std::string weekdayFilterText(int weekday) {
    return "week" + std::to_string(weekday + 1);
}

std::string boardFilterText(std::string_view boardName) {
    std::string text = "brd_\"";
    text += boardName;
    text += '"';
    return text;
}

} // namespace lorvanel
