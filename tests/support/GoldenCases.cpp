#include "support/GoldenCases.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace lorvanel::testing {

namespace {
std::string dataDir(const std::string& runner) {
    return std::string(LORVANEL_SOURCE_DIR) + "/tests/data/" + runner;
}
} // namespace

std::vector<std::string> goldenCases(const std::string& runner) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dataDir(runner), ec))
        if (entry.is_directory()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string goldenCaseDir(const std::string& runner, const std::string& name) {
    return dataDir(runner) + "/" + name;
}

bool readGoldenFile(const std::string& dir, const std::string& file, std::string& bytes) {
    std::ifstream in(dir + "/" + file, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

std::string goldenTestName(const std::string& name) {
    std::string out = name;
    for (char& c : out)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return out;
}

} // namespace lorvanel::testing
