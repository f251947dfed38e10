#pragma once
// A graph kind's picture as an SVG file, drawn by the same painter as the graph tab. Plain C++
// so that lorvanel-cli's sources include it without Qt (see GraphPictureFile.h).
#include <string>

namespace lorvanel {

class ChartPainter;
class GraphKind;

// Draws the kind on a white width x height page and writes it as SVG (to a temporary file
// beside path, renamed when complete), or to standard output when path is "-". False with a message
// when it can't be written.
bool writeGraphSvg(GraphKind& kind, ChartPainter& painter, int width, int height,
                   const std::string& path, std::string& error);

} // namespace lorvanel
