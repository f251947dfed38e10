#include "graph/DensityMap.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

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
    // Both sums below write every cell, and computeIndices every index.
    counts_.fill(0);
    maximum_ = 0;
    if (points.empty()) {
        cells_.fill(0);
        indices_.fill(0);
        return;
    }
    for (const DensityPoint& p : points) {
        // The newest post (x = 1) belongs in the last column, not beside the oldest.
        std::uint16_t& n = counts_[cellIndex(p.y, kRows) * kColumns + cellIndex(p.x, kColumns)];
        if (n < std::numeric_limits<std::uint16_t>::max()) ++n;
    }

    std::size_t filled = 0;
    for (const std::uint16_t n : counts_) filled += n != 0;
    if (filled <= kSparseCells)
        computeSparse();
    else
        computeDense();
    computeIndices();
}

void DensityMap::computeDense() {
    // Each row of counts as doubles, padded with kRadius zeros on both sides: a product with
    // a padding zero adds +0.0, which leaves a sum exactly as it was, so the kernel needs no
    // bounds at the edges.
    constexpr int kPadded = kColumns + 2 * kRadius;
    padded_.assign(static_cast<std::size_t>(kRows) * kPadded, 0.0);
    std::vector<double>& padded = padded_;
    bool rowUsed[kRows];
    for (int r = 0; r < kRows; ++r) {
        rowUsed[r] = false;
        double* row = &padded[static_cast<std::size_t>(r) * kPadded + kRadius];
        for (int c = 0; c < kColumns; ++c) {
            row[c] = counts_[r * kColumns + c];
            rowUsed[r] = rowUsed[r] || counts_[r * kColumns + c] != 0;
        }
    }
    // Each cell sums the rows r - R .. r + R - 1 (wrapping at midnight) and the columns
    // c - R .. c + R - 1 (not wrapping), rows first, columns ascending within a row. A strip
    // of sixteen cells of one row keeps its sums in registers, two to a register, through the
    // whole kernel; every cell still adds the same products in the same order, so the sums
    // are the same to the bit.
    using Pair = double __attribute__((vector_size(16)));
    constexpr int kStrip = 16;
    static_assert(kColumns % kStrip == 0);
    auto load = [](const double* p) {
        Pair v;
        std::memcpy(&v, p, sizeof v);
        return v;
    };
    for (int r = 0; r < kRows; ++r) {
        for (int c0 = 0; c0 < kColumns; c0 += kStrip) {
            Pair s[kStrip / 2] = {};
            for (int d = -kRadius; d < kRadius; ++d) {
                const int source = ((r + d) % kRows + kRows) % kRows;
                if (!rowUsed[source]) continue;
                const double* row =
                    &padded[static_cast<std::size_t>(source) * kPadded + kRadius + c0];
                const double* weights = kKernel.w[d < 0 ? -d : d];
                for (int e = -kRadius; e < kRadius; ++e) {
                    const double w = weights[e < 0 ? -e : e];
                    const Pair wp = {w, w};
                    const double* in = row + e;
                    for (int k = 0; k < kStrip / 2; ++k) s[k] += wp * load(in + 2 * k);
                }
            }
            for (int k = 0; k < kStrip; ++k) {
                const double v = std::min(s[k / 2][k % 2], 65535.0);
                const auto cell = static_cast<std::uint16_t>(v);
                cells_[r * kColumns + c0 + k] = cell;
                maximum_ = std::max(maximum_, cell);
            }
        }
    }
}

void DensityMap::computeSparse() {
    // The sums of compute() without the products of empty cells, which add +0.0 and so leave
    // a sum as it was: for each cell, the rows r - R .. r + R - 1 (wrapping at midnight) in
    // order, within a row the filled columns ascending, each product as compute() makes it.
    // The cells come out the same to the bit, and the work is that of the filled cells.
    struct Filled {
        std::int16_t column;
        std::uint16_t count;
    };
    // The filled cells row by row; row r is filled[rowStart[r] .. rowStart[r + 1]).
    std::vector<Filled> filled;
    filled.reserve(kSparseCells);
    std::array<std::uint32_t, kRows + 1> rowStart;
    for (int r = 0; r < kRows; ++r) {
        rowStart[r] = static_cast<std::uint32_t>(filled.size());
        for (int c = 0; c < kColumns; ++c)
            if (const std::uint16_t n = counts_[r * kColumns + c])
                filled.push_back({static_cast<std::int16_t>(c), n});
    }
    rowStart[kRows] = static_cast<std::uint32_t>(filled.size());
    double sums[kColumns];
    for (int r = 0; r < kRows; ++r) {
        std::fill(std::begin(sums), std::end(sums), 0.0);
        for (int d = -kRadius; d < kRadius; ++d) {
            const int source = ((r + d) % kRows + kRows) % kRows;
            const double* weights = kKernel.w[d < 0 ? -d : d];
            for (std::uint32_t i = rowStart[source]; i < rowStart[source + 1]; ++i) {
                const Filled& f = filled[i];
                // Cell c takes this column at offset e = column - c, for e in -R .. R - 1.
                const int first = std::max(0, f.column - kRadius + 1);
                const int last = std::min(kColumns - 1, f.column + kRadius);
                const double count = f.count;
                for (int c = first; c <= last; ++c) {
                    const int e = f.column - c;
                    sums[c] += weights[e < 0 ? -e : e] * count;
                }
            }
        }
        for (int c = 0; c < kColumns; ++c) {
            const double v = std::min(sums[c], 65535.0);
            const auto cell = static_cast<std::uint16_t>(v);
            cells_[r * kColumns + c] = cell;
            maximum_ = std::max(maximum_, cell);
        }
    }
}

void DensityMap::computeIndices() {
    if (maximum_ == 0) {
        indices_.fill(0);
        return;
    }
    // A cell's index depends on its value alone; with fewer distinct values than cells, each
    // value is worked out once.
    const double full = 0.7 * maximum_;
    auto indexOf = [full](std::uint16_t value) {
        const double q = std::min(1.0, value / full);
        return static_cast<std::uint8_t>(19 * q);
    };
    if (static_cast<std::size_t>(maximum_) < indices_.size() / 4) {
        std::vector<std::uint8_t> byValue(static_cast<std::size_t>(maximum_) + 1);
        for (std::size_t v = 0; v < byValue.size(); ++v)
            byValue[v] = indexOf(static_cast<std::uint16_t>(v));
        for (std::size_t i = 0; i < indices_.size(); ++i) indices_[i] = byValue[cells_[i]];
    } else {
        for (std::size_t i = 0; i < indices_.size(); ++i) indices_[i] = indexOf(cells_[i]);
    }
}

void DensityMap::toImage(SurfaceImage& image) const {
    std::uint32_t colours[kPaletteSize];
    for (int i = 0; i < kPaletteSize; ++i)
        colours[i] = static_cast<std::uint32_t>(kPalette[i].r) << 16 |
                     static_cast<std::uint32_t>(kPalette[i].g) << 8 | kPalette[i].b;
    image.width = kColumns;
    image.height = kRows;
    image.pixels.resize(static_cast<std::size_t>(kColumns) * kRows);
    for (int r = 0; r < kRows; ++r) {
        const std::uint8_t* in = &indices_[static_cast<std::size_t>(r) * kColumns];
        std::uint32_t* out = &image.at(0, kRows - 1 - r);
        for (int c = 0; c < kColumns; ++c) out[c] = colours[in[c]];
    }
}

Rgb DensityMap::paletteColour(int index) {
    return kPalette[std::clamp(index, 0, kPaletteSize - 1)];
}

} // namespace lorvanel
