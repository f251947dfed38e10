#pragma once
// The density map of the time-distribution graph: points (x = date, y = time of day, both
// 0 .. 1) counted on a 240 x 180 grid, smoothed by a kernel whose rows wrap at midnight, and
// coloured by a 20-step palette from blue to red.
#include "graph/Surface.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace lorvanel {

struct DensityPoint {
    double x = 0;
    double y = 0;
};

class DensityMap {
public:
    static constexpr int kColumns = 240;
    static constexpr int kRows = 180;
    static constexpr int kPaletteSize = 20;
    // Up to this many filled cells, each cell sums only the filled cells near it; beyond,
    // whole rows at a time. Both give the same cells to the bit.
    static constexpr std::size_t kSparseCells = kColumns * kRows / 16;

    // Counts and smooths the points; an empty set leaves every cell and the maximum 0.
    void compute(std::span<const DensityPoint> points);

    // Smoothed value of a cell (row 0 is 0:00, the bottom of the picture).
    std::uint16_t cell(int column, int row) const { return cells_[row * kColumns + column]; }
    std::uint16_t count(int column, int row) const { return counts_[row * kColumns + column]; }
    std::uint16_t maximum() const { return maximum_; }
    // Palette index 0 .. 19 of a cell.
    int paletteIndex(int column, int row) const { return indices_[row * kColumns + column]; }
    // The palette index of every cell, row 0 first.
    std::span<const std::uint8_t> paletteIndices() const { return indices_; }

    // The picture: kColumns x kRows pixels, row 0 of the grid as the bottom pixel row.
    void toImage(SurfaceImage& image) const;

    static Rgb paletteColour(int index);

private:
    void computeDense();
    void computeSparse();
    void computeIndices();

    std::array<std::uint16_t, kColumns * kRows> counts_{};
    std::array<std::uint16_t, kColumns * kRows> cells_{};
    std::array<std::uint8_t, kColumns * kRows> indices_{};
    std::uint16_t maximum_ = 0;
    // Working rows of the dense sums, kept so that a new selection does not allocate them
    // again.
    std::vector<double> padded_;
};

} // namespace lorvanel
