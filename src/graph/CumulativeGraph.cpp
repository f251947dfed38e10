#include "graph/CumulativeGraph.h"

#include "graph/CalendarModel.h"
#include "graph/ChartPainter.h"
#include "graph/GraphSeries.h"
#include "graph/LocalTimeCursor.h"
#include "platform/IniFile.h"
#include "stats/FilterTexts.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

namespace lorvanel {

namespace {

constexpr Rgb kBoardPalette[10] = {
    {0, 0, 255},   {255, 0, 0},     {0, 255, 0}, {0, 255, 255}, {255, 0, 255},
    {255, 255, 0}, {128, 128, 128}, {0, 0, 128}, {128, 0, 0},   {0, 128, 0},
};
constexpr std::size_t kPoints = 200;

} // namespace

CumulativeGraph::CumulativeGraph(ChartPainter& painter, IniFile* settings)
    : GraphKind(painter, settings) {
    if (settings) showTotal_ = settings->getInt("Graph_Ruiseki", "ShowTotal", 1) != 0;
}

CumulativeGraph::~CumulativeGraph() {
    if (settings()) settings()->setInt("Graph_Ruiseki", "ShowTotal", showTotal_ ? 1 : 0);
}

std::string CumulativeGraph::name() {
    return "日別書き込み回数の累積推移";
}

std::vector<GraphOption> CumulativeGraph::options() const {
    return {{kShowTotalCommand, "全体を表示", showTotal_}};
}

void CumulativeGraph::command(int id) {
    if (id == kShowTotalCommand) setShowTotal(!showTotal_);
}

void CumulativeGraph::draw() {
    ChartPainter& chart = painter();
    chart.clear();
    refreshSeries();
    if (!charted_) return;
    chart.setTitle(name());
    chart.setDateRange(first_, last_);
    chart.setValueRange(0, top_);
    chart.drawFrame(true, true, {208, 208, 208});
    int index = 0;
    for (const Line& line : lines_)
        chart.drawSeries(index++, line.name, line.values, line.colour, 2);
}

void CumulativeGraph::computeSeries() {
    charted_ = false;
    lines_.clear();
    const PostList* posts = selection();
    if (!posts || posts->size() < 2) return;
    const DayRange range = DayRange::of(*posts->front(), *posts->back());

    // The records lie scattered over the log's: one pass over them counts each post's board
    // for the ranking and notes its board group and day, and everything else works from the
    // notes.
    struct Note {
        std::uint32_t group;
        std::int32_t day; // -1 outside the range
    };
    std::vector<Note> notes;
    notes.reserve(posts->size());
    BoardRanking ranking;
    LocalTimeCursor local;
    forEachPost(*posts, [&](const PostRecord& p) {
        notes.push_back({ranking.add(p), range.indexOfDay(local.at(p.time).dayNumber)});
    });
    ranking.rank();
    const std::vector<BoardCount>& boards = ranking.boards();
    if (boards.empty()) return;

    const std::size_t reference = showTotal_ ? posts->size() : boards.front().count;
    const std::size_t taken = chartedBoardCount(boards, reference);
    first_ = posts->front()->time;
    last_ = posts->back()->time;
    top_ = static_cast<int>(std::min<std::size_t>(reference, INT_MAX));

    // The days of the whole selection and of every charted board.
    const bool drawTotal = showTotal_ && boards.size() >= 2;
    std::vector<float> total(drawTotal ? range.days : 0, 0.0f);
    std::vector<std::vector<float>> perBoard(taken, std::vector<float>(range.days, 0.0f));
    for (const Note& note : notes) {
        if (note.day < 0) continue;
        if (drawTotal) total[note.day] += 1.0f;
        const std::size_t rank = ranking.rankOfGroup(note.group);
        if (rank < taken) perBoard[rank][note.day] += 1.0f;
    }

    if (drawTotal) {
        makeRunningTotal(total);
        lines_.push_back({"全体", resampled(total, kPoints), kBlack, 0, false});
    }
    for (std::size_t j = 0; j < taken; ++j) {
        makeRunningTotal(perBoard[j]);
        lines_.push_back({std::string(boards[j].name), resampled(perBoard[j], kPoints),
                          kBoardPalette[j], boards[j].count, true});
    }
    charted_ = true;
}

const CumulativeGraph::Line* CumulativeGraph::boardLineAt(int x, int y) const {
    // The legend entries are the lines in drawing order, as draw numbers them.
    const std::optional<int> entry = painter().legendEntryAt(x, y);
    if (!charted_ || !entry || static_cast<std::size_t>(*entry) >= lines_.size()) return nullptr;
    const Line& line = lines_[static_cast<std::size_t>(*entry)];
    return line.board ? &line : nullptr;
}

std::optional<GraphReadout> CumulativeGraph::readout(int x, int y) const {
    if (const Line* line = boardLineAt(x, y))
        return GraphReadout{line->name, postCountText(static_cast<int>(
                                            std::min<std::size_t>(line->posts, INT_MAX)))};
    return GraphKind::readout(x, y);
}

std::string CumulativeGraph::filterAt(int x, int y) const {
    const Line* line = boardLineAt(x, y);
    return line ? boardFilterText(line->name) : std::string();
}

} // namespace lorvanel
