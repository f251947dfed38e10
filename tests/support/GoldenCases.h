#pragma once
// Golden cases: every folder tests/data/<runner>/<case>/ is one case of that runner, holding
// the runner's fixed file names (an input, "args", "expected.txt"...). Cases are found by
// scanning the runner's folder, so a new case folder is a new test; a folder that lacks a
// file its runner needs fails that case instead of being skipped.
//
//     class ReportGolden : public ::testing::TestWithParam<std::string> {};
//     TEST_P(ReportGolden, MatchesTheExpectedText) {
//         const std::string dir = goldenCaseDir("report", GetParam());
//         ... readGoldenFile(dir, "expected.txt") ...
//     }
//     LORVANEL_GOLDEN_CASES(ReportGolden, "report");
#include <string>
#include <vector>

namespace lorvanel::testing {

// The case names (folder names) of tests/data/<runner>/, sorted; empty when there is none.
std::vector<std::string> goldenCases(const std::string& runner);
// tests/data/<runner>/<name> in the source tree.
std::string goldenCaseDir(const std::string& runner, const std::string& name);
// A case file's bytes; false when the file is missing, which the runner makes a failure
// of the case (ASSERT_TRUE), never a skip.
bool readGoldenFile(const std::string& dir, const std::string& file, std::string& bytes);
// A case name as a test name: letters and digits, '_' for anything else.
std::string goldenTestName(const std::string& name);

} // namespace lorvanel::testing

// One test per case folder of the runner, named after the folder; a runner without a
// single case fails.
#define LORVANEL_GOLDEN_CASES(Suite, runner)                                                       \
    INSTANTIATE_TEST_SUITE_P(                                                                      \
        Cases, Suite, ::testing::ValuesIn(lorvanel::testing::goldenCases(runner)),                 \
        [](const auto& info) { return lorvanel::testing::goldenTestName(info.param); });           \
    TEST(Suite##Folder, HasCases) {                                                                \
        EXPECT_FALSE(lorvanel::testing::goldenCases(runner).empty())                               \
            << "no case folder in tests/data/" << runner;                                          \
    }
