#pragma once
// The date texts of every log format ("2008/01/02 03:04:05", "08/01/02(水) 03:04:05") turned
// into post times, with the analysis-log complaints about texts that don't make a date.
#include "platform/Time32.h"

namespace lorvanel {

struct ParsedTime {
    Time32 time = 0;
    // No complaint was written for the text. A post whose date text was complained about is
    // refused: its time would be a guess that puts it out of place among the others.
    bool clean = true;
};

// Reads year, month, day, hour, minute and second as the first six runs of ASCII digits of a
// NUL-terminated text; two-digit years mean 1950..2049. A missing number is complained about
// and counts as 0; a date outside 1970..2038, not in the calendar, or later than the signed
// 32-bit count holds is complained about and gives 1971-01-01 00:00:00 local time.
ParsedTime parsePostTime(const char* dateText);

} // namespace lorvanel
