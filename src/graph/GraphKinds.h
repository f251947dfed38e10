#pragma once
// The table of graph kinds by index: the chooser lists their titles in this order, the
// setting DefaultPane and the CLI's --kind hold the index. A new kind is one more entry.
#include "graph/GraphKind.h"

#include <memory>
#include <string>
#include <vector>

namespace lorvanel {

enum class GraphKindId : int {
    Cumulative = 0,
    Fluctuation = 1,
    TimeDistribution = 2,
    Calendar = 3,
    WeekHour = 4,
};

// Number of kinds; valid indices are 0 .. graphKindCount() - 1.
int graphKindCount();

// Title of the kind at index (CP932); empty for an invalid index.
std::string graphKindTitle(int index);

// The settings sections in which kinds keep their settings (read when a kind is created,
// written when it is destroyed), so that the view can carry them to the settings file.
const std::vector<std::string>& graphSettingsSections();

// A new kind object; null for an invalid index.
std::unique_ptr<GraphKind> createGraphKind(int index, ChartPainter& painter, IniFile* settings);

} // namespace lorvanel
