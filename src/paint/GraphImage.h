#pragma once
// Pictures of a graph kind off the screen: the whole chart drawn on a white image of a given
// size through the chart painter, for the clipboard and for PNG files. Plain C++ here so that
// lorvanel-cli's sources include it without Qt; see GraphImageQt.h for the QImage.
#include <memory>
#include <string>

namespace lorvanel {

class ChartPainter;
class GraphKind;

// A Qt Gui application for drawing off the screen when the process has none (the CLI): the
// "offscreen" platform unless QT_QPA_PLATFORM says otherwise. Fonts need one.
class OffscreenGui {
public:
    OffscreenGui();
    ~OffscreenGui();
    OffscreenGui(const OffscreenGui&) = delete;
    OffscreenGui& operator=(const OffscreenGui&) = delete;

private:
    struct App;
    std::unique_ptr<App> app_;
};

// Draws the kind on a white width x height image that is then thrown away, so that the
// kind and the painter hold the geometry of that picture (what lies under each pixel).
void drawGraphOffscreen(GraphKind& kind, ChartPainter& painter, int width, int height);

// Draws the kind on a white width x height image and writes it as a PNG file (written to a
// temporary file beside it, then renamed), or to standard output when path is "-". False with a
// message when it can't be written.
bool writeGraphPng(GraphKind& kind, ChartPainter& painter, int width, int height,
                   const std::string& path, std::string& error);

} // namespace lorvanel
