#pragma once
// The graph picture as a QImage (see GraphImage.h).
#include <QImage>

namespace lorvanel {

class ChartPainter;
class GraphKind;

// A white width x height image with the chart of the kind: begin on the whole image, then
// the kind draws.
QImage renderGraphImage(GraphKind& kind, ChartPainter& painter, int width, int height);

// The same into an existing image (filled white first), e.g. an off-screen pixmap's image.
void paintGraph(GraphKind& kind, ChartPainter& painter, QPaintDevice& device, int width,
                int height);

} // namespace lorvanel
