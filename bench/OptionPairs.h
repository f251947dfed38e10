#pragma once
// The command lines of the benchmarks: "--name value" pairs only.
#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace lorvanel::bench {

// Hands each pair to take(name, value), which says whether it knows the option; an option
// without a value or one that take refuses throws with the usage.
template <class Take> void readOptionPairs(int argc, char** argv, const char* usage, Take take) {
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (i + 1 >= argc) throw std::runtime_error(name + " needs a value\n" + usage);
        const std::string value = argv[++i];
        if (!take(name, value)) throw std::runtime_error("unknown option " + name + "\n" + usage);
    }
}

// The value of --runs: at least one.
inline int runsValue(const std::string& value) {
    return std::max(1, std::atoi(value.c_str()));
}

} // namespace lorvanel::bench
