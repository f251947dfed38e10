#include "Figures.h"

#include <cstdio>

namespace lorvanel::bench {

std::string milliseconds(double seconds) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f ms", seconds * 1e3);
    return buf;
}

std::string megabytes(double bytes) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f MB", bytes / 1048576.0);
    return buf;
}

void Figures::section(const std::string& title) {
    sections_.push_back({title, {}});
}

void Figures::add(Figure f) {
    if (sections_.empty()) section("");
    sections_.back().figures.push_back(std::move(f));
}

void Figures::time(const std::string& name, double seconds, double baseline, double target) {
    add({name, milliseconds(seconds), seconds / baseline, "baseline", target});
}

int Figures::missed() const {
    int n = 0;
    for (const Section& s : sections_)
        for (const Figure& f : s.figures)
            n += f.target > 0 && f.ratio > f.target * (1 + f.tolerance);
    return n;
}

int Figures::print() const {
    for (const Section& s : sections_) {
        std::printf("\n%s\n", s.title.c_str());
        for (const Figure& f : s.figures) {
            char ratio[64];
            std::snprintf(ratio, sizeof ratio, "%6.2fx %s", f.ratio, f.reference.c_str());
            char target[80] = "";
            if (f.target > 0)
                std::snprintf(target, sizeof target, "target <= %.2gx: %s", f.target,
                              f.ratio <= f.target                       ? "holds"
                              : f.ratio <= f.target * (1 + f.tolerance) ? "holds within noise"
                                                                        : "MISSED");
            std::printf("  %-50s %12s  %-22s %s\n", f.name.c_str(), f.value.c_str(), ratio, target);
        }
    }
    return missed();
}

} // namespace lorvanel::bench
