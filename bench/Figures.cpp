#include "Figures.h"

#include <cstdio>
#include <string>

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

namespace {

// Columns that a name takes on a terminal: Japanese characters of a UTF-8 name are two
// columns wide (half-width katakana one); a name that is not UTF-8 counts its bytes.
std::size_t displayWidth(const std::string& s) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t n = c < 0x80         ? 1
                              : (c >> 5) == 6  ? 2
                              : (c >> 4) == 14 ? 3
                              : (c >> 3) == 30 ? 4
                                               : 0;
        if (n == 0 || i + n > s.size()) return s.size();
        char32_t cp = n == 1 ? c : c & (0x7F >> n);
        for (std::size_t k = 1; k < n; ++k) {
            const auto d = static_cast<unsigned char>(s[i + k]);
            if ((d >> 6) != 2) return s.size();
            cp = (cp << 6) | (d & 0x3F);
        }
        width += cp >= 0x1100 && !(cp >= 0xFF61 && cp <= 0xFF9F) ? 2 : 1;
        i += n;
    }
    return width;
}

std::string padded(const std::string& s, std::size_t width) {
    const std::size_t w = displayWidth(s);
    return w >= width ? s : s + std::string(width - w, ' ');
}

} // namespace

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
                std::snprintf(target, sizeof target, "target <= %.3gx: %s", f.target,
                              f.ratio <= f.target                       ? "holds"
                              : f.ratio <= f.target * (1 + f.tolerance) ? "holds within noise"
                                                                        : "MISSED");
            std::printf("  %s %12s  %-22s %s\n", padded(f.name, 50).c_str(), f.value.c_str(), ratio,
                        target);
        }
    }
    return missed();
}

} // namespace lorvanel::bench
