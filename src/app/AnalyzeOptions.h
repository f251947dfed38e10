#pragma once
// The document's analysis switches: which thread rankings the statistics compute, and the
// stored ranking size that every statistics run clamps.
namespace lorvanel {

struct AnalyzeOptions {
    // Settings section and keys the options are kept under.
    static constexpr const char* kSection = "AnalyzeOptions";
    static constexpr const char* kThreadRankingKey = "ThreadRanking";
    static constexpr const char* kMonthThreadRankingKey = "MonthThreadRanking";
    static constexpr const char* kRankMaxKey = "RankMax";

    int threadRanking = 1;      // non-zero: thread ranking and thread count
    int monthThreadRanking = 1; // non-zero: most-written thread of every month
    int rankMax = 10;           // kept and clamped to 100; no ranking reads it
};

} // namespace lorvanel
