#pragma once
// Runs lorvanel-cli as a separate process and collects its exit status and output.
#include <string>
#include <vector>

namespace lorvanel::testing {

struct CliResult {
    int status = -1; // the exit status, -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// The program with the arguments (no shell in between), in directory cwd when given.
CliResult runCli(const std::vector<std::string>& args, const std::string& cwd = "");

// A file's bytes; empty when it can't be read.
std::string readFile(const std::string& path);

} // namespace lorvanel::testing
