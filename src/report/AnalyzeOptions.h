#pragma once
// The statistics' analysis switches: which thread rankings they compute, and the stored
// ranking size, kept within 0..100 from the moment it is read.
namespace lorvanel {

class IniFile;

struct AnalyzeOptions {
    // Settings section and keys the options are kept under.
    static constexpr const char* kSection = "AnalyzeOptions";
    static constexpr const char* kThreadRankingKey = "ThreadRanking";
    static constexpr const char* kMonthThreadRankingKey = "MonthThreadRanking";
    static constexpr const char* kRankMaxKey = "RankMax";
    static constexpr int kMaxRankMax = 100;

    int threadRanking = 1;      // non-zero: thread ranking and thread count
    int monthThreadRanking = 1; // non-zero: most-written thread of every month
    int rankMax = 10;           // kept within 0..kMaxRankMax; no ranking reads it
};

// A stored ranking size brought into range: above 100, and negative, becomes 100.
int clampRankMax(int rankMax);

// The options in section "AnalyzeOptions"; missing keys give the defaults, RankMax is
// clamped. Written in the order ThreadRanking, MonthThreadRanking, RankMax.
void readAnalyzeOptions(const IniFile& ini, AnalyzeOptions& options);
void writeAnalyzeOptions(IniFile& ini, const AnalyzeOptions& options);

} // namespace lorvanel
