#include "report/AnalyzeOptions.h"

#include "platform/IniFile.h"

namespace lorvanel {

int clampRankMax(int rankMax) {
    // Negative values are out of range too.
    return static_cast<unsigned>(rankMax) > static_cast<unsigned>(AnalyzeOptions::kMaxRankMax)
               ? AnalyzeOptions::kMaxRankMax
               : rankMax;
}

void readAnalyzeOptions(const IniFile& ini, AnalyzeOptions& options) {
    const AnalyzeOptions defaults;
    options.threadRanking = ini.getInt(AnalyzeOptions::kSection, AnalyzeOptions::kThreadRankingKey,
                                       defaults.threadRanking);
    options.monthThreadRanking =
        ini.getInt(AnalyzeOptions::kSection, AnalyzeOptions::kMonthThreadRankingKey,
                   defaults.monthThreadRanking);
    options.rankMax = clampRankMax(
        ini.getInt(AnalyzeOptions::kSection, AnalyzeOptions::kRankMaxKey, defaults.rankMax));
}

void writeAnalyzeOptions(IniFile& ini, const AnalyzeOptions& options) {
    ini.setInt(AnalyzeOptions::kSection, AnalyzeOptions::kThreadRankingKey, options.threadRanking);
    ini.setInt(AnalyzeOptions::kSection, AnalyzeOptions::kMonthThreadRankingKey,
               options.monthThreadRanking);
    ini.setInt(AnalyzeOptions::kSection, AnalyzeOptions::kRankMaxKey, options.rankMax);
}

} // namespace lorvanel
