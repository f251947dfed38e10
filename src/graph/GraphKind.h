#pragma once
// A kind of graph the graph view shows, one at a time: it computes its series from the
// attached selection and draws them with the view's chart painter. By default every draw
// computes them anew; a kind told to keep its series (the graph view, which repaints the
// same selection at every resize) computes them once per attached selection and option
// change. The kinds are listed in GraphKinds.h by their index (the chooser's order and the
// saved DefaultPane).
#include "graph/Surface.h"

#include <optional>
#include <string>
#include <vector>

namespace lorvanel {

class ChartPainter;
class IniFile;
class PostList;

// One item of a kind's options menu.
struct GraphOption {
    int command = 0;
    std::string caption; // CP932
    bool checked = false;
};

// What a pointer position reads on the graph: two texts (CP932), shown as "%s - %s".
struct GraphReadout {
    std::string x;
    std::string y;
};

class GraphKind {
public:
    // settings may be null (nothing is read or written); both must outlive the kind.
    GraphKind(ChartPainter& painter, IniFile* settings) : painter_(painter), settings_(settings) {}
    virtual ~GraphKind() = default;
    GraphKind(const GraphKind&) = delete;
    GraphKind& operator=(const GraphKind&) = delete;

    // The kind's title (CP932), also its name in the chooser.
    virtual std::string title() const = 0;

    // Computes the series of the attached selection and draws them with the painter, which
    // has been begun on a surface. Draws nothing when there is too little to show.
    virtual void draw() = 0;

    // The selection whose posts are drawn; null detaches (before the list goes away). Kept
    // series are given up: the list may be a new one at the same address.
    virtual void attach(const PostList* selection) {
        selection_ = selection;
        seriesStale_ = true;
    }

    // Keeps the series between draws (until the next attach or option command) instead of
    // computing them on every draw.
    void keepSeries(bool on) {
        keepSeries_ = on;
        seriesStale_ = true;
    }

    // Options menu: hasOptions enables the view's options button; command runs an item.
    virtual bool hasOptions() const { return false; }
    virtual std::vector<GraphOption> options() const { return {}; }
    virtual void command(int id) {}

    // The texts under a pointer position of the last paint; the chart painter's readout
    // unless the kind reads its picture otherwise.
    virtual std::optional<GraphReadout> readout(int x, int y) const;

    // What a click at a pixel of the last paint selects: the filter text (CP932) of the
    // filter tree's item for what lies there (for a weekday-and-hour cell, the text of its
    // hour and weekday items selected together); empty where a click selects nothing. The
    // readout at that pixel names the same thing.
    virtual std::string filterAt(int x, int y) const { return {}; }

    // The CLI's --series text (CP932, LF line ends): what draw asks the painter to draw on a
    // surface of the given size. The default traces one draw on a surface that draws nothing.
    virtual std::string seriesText(int width, int height);

protected:
    ChartPainter& painter() const { return painter_; }
    IniFile* settings() const { return settings_; }
    const PostList* selection() const { return selection_; }

    // Computes the series from the selection; draw asks for it through refreshSeries.
    virtual void computeSeries() {}
    // Computes the series unless they are kept and current; invalidateSeries() (an option
    // that changes them) makes them stale.
    void refreshSeries() {
        if (keepSeries_ && !seriesStale_) return;
        computeSeries();
        seriesStale_ = false;
    }
    void invalidateSeries() { seriesStale_ = true; }

private:
    ChartPainter& painter_;
    IniFile* settings_;
    const PostList* selection_ = nullptr;
    bool keepSeries_ = false;
    bool seriesStale_ = true;
};

} // namespace lorvanel
