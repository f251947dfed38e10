#include "graph/DensityMap.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lorvanel {

namespace {

constexpr int kRadius = 10; // integer part of sqrt(240 * 180) * 0.05

// Weights w(dx, dy) = 1 / (1 + (dx^2 + dy^2) / R) for dx, dy in 0 .. R.
struct Kernel {
    double w[kRadius + 1][kRadius + 1];
    Kernel() {
        for (int dy = 0; dy <= kRadius; ++dy)
            for (int dx = 0; dx <= kRadius; ++dx)
                w[dy][dx] = 1.0 / (1.0 + static_cast<double>(dx * dx + dy * dy) / kRadius);
    }
};
const Kernel kKernel;

constexpr Rgb kPalette[DensityMap::kPaletteSize] = {
    {0, 0, 255},   {0, 36, 255},  {0, 72, 255},  {0, 109, 255}, {0, 145, 255},
    {0, 182, 255}, {0, 218, 255}, {0, 255, 255}, {0, 249, 165}, {0, 255, 0},
    {127, 255, 0}, {191, 255, 0}, {255, 255, 0}, {255, 218, 0}, {255, 182, 0},
    {255, 145, 0}, {255, 109, 0}, {255, 72, 0},  {255, 36, 0},  {255, 0, 0},
};

// Index of a coordinate 0 .. 1 among n cells; out-of-range and NaN coordinates stay in the
// grid.
int cellIndex(double v, int n) {
    const double scaled = v * n;
    if (!(scaled > 0)) return 0;
    if (scaled >= n - 1) return n - 1;
    return static_cast<int>(scaled);
}

} // namespace

void DensityMap::compute(std::span<const DensityPoint> points) {
    counts_.fill(0);
    cells_.fill(0);
    maximum_ = 0;
    if (points.empty()) return;
    for (const DensityPoint& p : points) {
        // The newest post (x = 1) belongs in the last column, not beside the oldest.
        std::uint16_t& n = counts_[cellIndex(p.y, kRows) * kColumns + cellIndex(p.x, kColumns)];
        if (n < std::numeric_limits<std::uint16_t>::max()) ++n;
    }

    double counts[kRows][kColumns];
    bool rowUsed[kRows];
    for (int r = 0; r < kRows; ++r) {
        rowUsed[r] = false;
        for (int c = 0; c < kColumns; ++c) {
            counts[r][c] = counts_[r * kColumns + c];
            rowUsed[r] = rowUsed[r] || counts_[r * kColumns + c] != 0;
        }
    }
    // Each cell sums the rows r - R .. r + R - 1 (wrapping at midnight) and the columns
    // c - R .. c + R - 1 (not wrapping), rows first, columns ascending within a row; the
    // column loop runs innermost over all cells of the row at once.
    double sum[kColumns];
    for (int r = 0; r < kRows; ++r) {
        std::fill(std::begin(sum), std::end(sum), 0.0);
        for (int d = -kRadius; d < kRadius; ++d) {
            const int source = ((r + d) % kRows + kRows) % kRows;
            if (!rowUsed[source]) continue;
            const double* row = counts[source];
            const double* weights = kKernel.w[d < 0 ? -d : d];
            for (int e = -kRadius; e < kRadius; ++e) {
                const double w = weights[e < 0 ? -e : e];
                const int from = std::max(0, -e);
                const int to = std::min(kColumns, kColumns - e);
                for (int c = from; c < to; ++c) sum[c] += w * row[c + e];
            }
        }
        for (int c = 0; c < kColumns; ++c) {
            const double v = std::min(sum[c], 65535.0);
            const auto cell = static_cast<std::uint16_t>(v);
            cells_[r * kColumns + c] = cell;
            maximum_ = std::max(maximum_, cell);
        }
    }
}

int DensityMap::paletteIndex(int column, int row) const {
    if (maximum_ == 0) return 0;
    const double q = std::min(1.0, cell(column, row) / (0.7 * maximum_));
    return static_cast<int>(19 * q);
}

void DensityMap::toImage(SurfaceImage& image) const {
    image.width = kColumns;
    image.height = kRows;
    image.pixels.resize(static_cast<std::size_t>(kColumns) * kRows);
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            const Rgb colour = kPalette[paletteIndex(c, r)];
            image.at(c, kRows - 1 - r) = static_cast<std::uint32_t>(colour.r) << 16 |
                                         static_cast<std::uint32_t>(colour.g) << 8 | colour.b;
        }
    }
}

Rgb DensityMap::paletteColour(int index) {
    return kPalette[std::clamp(index, 0, kPaletteSize - 1)];
}

} // namespace lorvanel
