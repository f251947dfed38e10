#pragma once
// The table of benchmark figures: each measured value with its ratio to a reference measured
// in the same run (the physical baseline, the file size, or the same step on half the log)
// and whether the target holds.
#include <string>
#include <vector>

namespace lorvanel::bench {

struct Figure {
    std::string name;
    std::string value;     // as printed: "512.3 ms", "310 MB"
    double ratio = 0;      // value / reference
    std::string reference; // what the ratio compares with: "baseline", "file size", "100 MB"
    double target = 0;     // the largest ratio allowed; 0: no target, printed for information
    // A ratio up to target x (1 + tolerance) counts as holding within timing noise.
    double tolerance = 0;
};

class Figures {
public:
    void section(const std::string& title);
    void add(Figure f);
    void time(const std::string& name, double seconds, double baseline, double target);
    // Prints every section; returns the number of targets missed.
    int print() const;
    int missed() const;

private:
    struct Section {
        std::string title;
        std::vector<Figure> figures;
    };
    std::vector<Section> sections_;
};

// The peak memory of `lorvanel-cli report` allowed on a log of any format, as a multiple of
// the file's size.
inline constexpr double kReportPeakTarget = 1.5;

std::string milliseconds(double seconds);
std::string megabytes(double bytes);

} // namespace lorvanel::bench
