#pragma once
// The command-line program's sub-commands. Each lives in its own file, registers itself
// with a static CommandRegistration and reads its arguments with cli/CommandLine.h:
//
//     int runTree(const std::vector<std::string>& args) {
//         const CommonOptions common = CommandLine(kLimitMb | kFilter | kSjis).parse(args);
//         CDoc doc;
//         if (!loadDocument(doc, common)) return kExitFailed; // cli/CliSupport.h
//         ...
//     }
//     const CommandRegistration registration{{"tree", "  tree [--limit-mb N] ... FILE...\n...",
//                                             50, &runTree}};
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
