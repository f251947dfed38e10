#pragma once
// The command-line program's sub-commands. Each lives in its own file and registers itself
// with a static CommandRegistration.
#include <string>
#include <vector>

namespace lorvanel::cli {

// Exit statuses shared by every sub-command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct Command {
    const char* name;
    const char* usage; // the lines that --help prints for it (ASCII)
    int order;         // position in --help
    int (*run)(const std::vector<std::string>& args);
};

struct CommandRegistration {
    explicit CommandRegistration(const Command& command);
};

const std::vector<Command>& commands();

} // namespace lorvanel::cli
