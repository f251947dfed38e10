#pragma once
// A small deterministic random source for the log generator: the same seed text gives the
// same numbers on every machine and library version (no std:: distributions, whose outputs
// differ between implementations).
#include <cmath>
#include <cstdint>
#include <string_view>
#include <vector>

namespace loggen {

class Random {
public:
    // Streams of one seed that must not influence each other get different purposes.
    Random(std::string_view seed, std::string_view purpose) {
        std::uint64_t h = 1469598103934665603ull;
        for (char c : seed) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        h = (h ^ 0xff) * 1099511628211ull;
        for (char c : purpose) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        for (std::uint64_t& s : s_) s = splitMix(h);
    }

    std::uint64_t next() {
        const std::uint64_t result = rotl(s_[1] * 5, 7) * 9;
        const std::uint64_t t = s_[1] << 17;
        s_[2] ^= s_[0];
        s_[3] ^= s_[1];
        s_[1] ^= s_[2];
        s_[0] ^= s_[3];
        s_[2] ^= t;
        s_[3] = rotl(s_[3], 45);
        return result;
    }

    // Uniform in [0, 1).
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    bool chance(double p) { return uniform() < p; }
    // Uniform in [0, n); n > 0.
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(uniform() * n); }
    // Uniform in [lo, hi].
    long between(long lo, long hi) { return lo + static_cast<long>(below(hi - lo + 1)); }
    double exponential(double mean) { return -mean * std::log(1.0 - uniform()); }
    double normal() {
        const double u = 1.0 - uniform();
        return std::sqrt(-2.0 * std::log(u)) * std::cos(6.283185307179586 * uniform());
    }
    double logNormal(double sigma) { return std::exp(sigma * normal()); }

    template <class T> const T& pick(const std::vector<T>& v) { return v[below(v.size())]; }

private:
    static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    static std::uint64_t splitMix(std::uint64_t& x) {
        std::uint64_t z = (x += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    std::uint64_t s_[4];
};

// Picks an index with probability proportional to its weight (cumulative weights given).
inline std::size_t pickWeighted(Random& r, const std::vector<double>& cumulative) {
    const double x = r.uniform() * cumulative.back();
    std::size_t lo = 0, hi = cumulative.size() - 1;
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        if (cumulative[mid] > x)
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

inline std::vector<double> cumulate(const std::vector<double>& weights) {
    std::vector<double> c(weights.size());
    double sum = 0;
    for (std::size_t i = 0; i < weights.size(); ++i) c[i] = sum += weights[i];
    return c;
}

} // namespace loggen
