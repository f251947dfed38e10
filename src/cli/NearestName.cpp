#include "cli/NearestName.h"

#include <algorithm>
#include <numeric>

namespace lorvanel::cli {

namespace {

// Levenshtein distance with adjacent transpositions counted as one edit ("reprot").
std::size_t editDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> before(b.size() + 1), previous(b.size() + 1), current(b.size() + 1);
    std::iota(previous.begin(), previous.end(), 0);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t substitution = previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, substitution});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                current[j] = std::min(current[j], before[j - 2] + 1);
        }
        before.swap(previous);
        previous.swap(current);
    }
    return previous[b.size()];
}

} // namespace

std::string nearestName(std::string_view given, const std::vector<std::string>& names) {
    const std::size_t limit = std::clamp<std::size_t>(given.size() / 3, 1, 3);
    std::string best;
    std::size_t bestDistance = limit + 1;
    for (const std::string& name : names) {
        const std::size_t d = editDistance(given, name);
        if (d < bestDistance) {
            bestDistance = d;
            best = name;
        }
    }
    return best;
}

std::string didYouMean(std::string_view given, const std::vector<std::string>& names) {
    const std::string name = nearestName(given, names);
    return name.empty() ? std::string() : " (did you mean " + name + "?)";
}

} // namespace lorvanel::cli
