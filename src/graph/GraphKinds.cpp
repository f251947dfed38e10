#include "graph/GraphKinds.h"

#include "graph/CalendarGraph.h"
#include "graph/CumulativeGraph.h"
#include "graph/FluctuationGraph.h"
#include "graph/TimeDistributionGraph.h"
#include "graph/WeekHourGraph.h"

#include <iterator>

namespace lorvanel {

namespace {

struct KindEntry {
    std::string (*title)();
    std::unique_ptr<GraphKind> (*create)(ChartPainter&, IniFile*);
};

template <class Kind> std::unique_ptr<GraphKind> make(ChartPainter& painter, IniFile* settings) {
    return std::make_unique<Kind>(painter, settings);
}

// In the chooser's order; the index is what DefaultPane and --kind hold.
constexpr KindEntry kKinds[] = {
    {&CumulativeGraph::name, &make<CumulativeGraph>},
    {&FluctuationGraph::name, &make<FluctuationGraph>},
    {&TimeDistributionGraph::name, &make<TimeDistributionGraph>},
    {&CalendarGraph::name, &make<CalendarGraph>},
    {&WeekHourGraph::name, &make<WeekHourGraph>},
};

} // namespace

int graphKindCount() {
    return static_cast<int>(std::size(kKinds));
}

std::string graphKindTitle(int index) {
    if (index < 0 || index >= graphKindCount()) return {};
    return kKinds[index].title();
}

const std::vector<std::string>& graphSettingsSections() {
    static const std::vector<std::string> sections = {"Graph_Ruiseki"};
    return sections;
}

std::unique_ptr<GraphKind> createGraphKind(int index, ChartPainter& painter, IniFile* settings) {
    if (index < 0 || index >= graphKindCount()) return nullptr;
    return kKinds[index].create(painter, settings);
}

} // namespace lorvanel
