// The density map's smoothing against a plain restatement of its rule, cell for cell and to
// the bit, on dense, sparse and edge-hugging point sets.
#include "graph/DensityMap.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace lorvanel;

namespace {

constexpr int kRadius = 10;

// The rule as stated: each cell sums w(dr, dc) * count over the rows r - R .. r + R - 1
// (wrapping) and the columns c - R .. c + R - 1 inside the grid, rows first, columns
// ascending, with w = 1 / (1 + (dr^2 + dc^2) / R); the sum is cut at 65535 and truncated.
std::vector<std::uint16_t> referenceCells(const DensityMap& map) {
    constexpr int rows = DensityMap::kRows, columns = DensityMap::kColumns;
    std::vector<std::uint16_t> cells(static_cast<std::size_t>(rows) * columns);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            double sum = 0;
            for (int d = -kRadius; d < kRadius; ++d) {
                const int source = ((r + d) % rows + rows) % rows;
                bool used = false;
                for (int k = 0; k < columns; ++k) used = used || map.count(k, source) != 0;
                if (!used) continue;
                for (int e = -kRadius; e < kRadius; ++e) {
                    if (c + e < 0 || c + e >= columns) continue;
                    const double w = 1.0 / (1.0 + static_cast<double>(d * d + e * e) / kRadius);
                    sum += w * map.count(c + e, source);
                }
            }
            cells[static_cast<std::size_t>(r) * columns + c] =
                static_cast<std::uint16_t>(std::min(sum, 65535.0));
        }
    }
    return cells;
}

void expectMatchesTheRule(const std::vector<DensityPoint>& points) {
    DensityMap map;
    map.compute(points);
    const std::vector<std::uint16_t> expected = referenceCells(map);
    std::uint16_t maximum = 0;
    for (int r = 0; r < DensityMap::kRows; ++r) {
        for (int c = 0; c < DensityMap::kColumns; ++c) {
            const std::uint16_t want =
                expected[static_cast<std::size_t>(r) * DensityMap::kColumns + c];
            ASSERT_EQ(map.cell(c, r), want) << "column " << c << ", row " << r;
            maximum = std::max(maximum, want);
        }
    }
    EXPECT_EQ(map.maximum(), maximum);
}

} // namespace

TEST(DensityMap, SmoothsAsTheRuleSaysOnDenseSparseAndEdgePoints) {
    std::mt19937 random(5);
    std::uniform_real_distribution<double> unit(0.0, 1.0);

    std::vector<DensityPoint> dense;
    for (int i = 0; i < 200000; ++i) dense.push_back({unit(random), unit(random)});
    expectMatchesTheRule(dense);

    // A few points in a handful of rows, some at the edges (x = 0 and 1, y near midnight).
    std::vector<DensityPoint> sparse = {{0.0, 0.0}, {1.0, 0.999},   {0.5, 0.5},
                                        {1.0, 0.0}, {0.001, 0.998}, {0.3, 0.01}};
    expectMatchesTheRule(sparse);

    // So many in one cell that the smoothed values are cut at 65535.
    std::vector<DensityPoint> heap(70000, DensityPoint{0.5, 0.5});
    expectMatchesTheRule(heap);

    expectMatchesTheRule({});
}

TEST(DensityMap, SameCellsOnEitherSideOfTheSparseLimit) {
    // Distinct cells, one point each (two in every seventh, so counts differ), filling exactly
    // the sparse limit and one cell more.
    std::mt19937 random(11);
    std::vector<int> order(DensityMap::kColumns * DensityMap::kRows);
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::shuffle(order.begin(), order.end(), random);
    for (const std::size_t filled : {DensityMap::kSparseCells, DensityMap::kSparseCells + 1}) {
        SCOPED_TRACE(filled);
        std::vector<DensityPoint> points;
        for (std::size_t i = 0; i < filled; ++i) {
            const int c = order[i] % DensityMap::kColumns, r = order[i] / DensityMap::kColumns;
            const DensityPoint p{(c + 0.5) / DensityMap::kColumns, (r + 0.5) / DensityMap::kRows};
            points.push_back(p);
            if (i % 7 == 0) points.push_back(p);
        }
        expectMatchesTheRule(points);
    }
}
