#include "platform/WorkerPool.h"

#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

using namespace lorvanel;

TEST(WorkerPool, PartsCoverTheItemsInOrderAndEachRunsOnce) {
    for (std::size_t n : {0u, 1u, 7u, 1000u})
        for (std::size_t parts : {1u, 2u, 3u, 8u}) {
            std::vector<std::atomic<int>> seen(n);
            runParts(parts, [&](std::size_t part) {
                const auto [first, last] = partRange(n, parts, part);
                for (std::size_t i = first; i < last; ++i) ++seen[i];
            });
            for (std::size_t i = 0; i < n; ++i) ASSERT_EQ(seen[i].load(), 1) << n << " " << parts;
        }
}

TEST(WorkerPool, AThrownExceptionComesBackAfterEveryPartHasEnded) {
    std::atomic<int> ended{0};
    EXPECT_THROW(runParts(6,
                          [&](std::size_t part) {
                              // A part that runs inside a part, as nested walks do.
                              runParts(3, [&](std::size_t) {});
                              ++ended;
                              if (part == 2) throw std::runtime_error("part 2");
                          }),
                 std::runtime_error);
    EXPECT_EQ(ended.load(), 6);
}

TEST(WorkerPool, PartsForHonoursTheOverride) {
    PartsOverride limit(4, 100);
    EXPECT_EQ(partsFor(0), 1u);
    EXPECT_EQ(partsFor(250), 2u);
    EXPECT_EQ(partsFor(100000), 4u);
}
