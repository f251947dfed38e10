// lorvanel-cli: the analyzer's core for scripting and tests.
#include "cli/CliSupport.h"
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/NearestName.h"
#include "input/BoardDirectory.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace lorvanel::cli {

namespace {
std::vector<Command>& registry() {
    static std::vector<Command> r;
    return r;
}

void printHelp(std::FILE* out) {
    std::fputs("usage: lorvanel-cli COMMAND [OPTIONS] ...\n"
               "       lorvanel-cli --help | --version\n\n"
               "Analyses the posting logs that BBS browsers keep of their user's own posts.\n"
               "Texts are printed in UTF-8 unless a command offers --sjis.\n"
               "Exit status: 0 success, 1 the load or analysis failed, 2 usage error.\n"
               "--jdim, in place of FILE..., reads JDim's post log from $JDIM_CACHE/log,\n"
               "~/.jd/log or ~/.cache/jdim/log (exit status 1 when there is none).\n\n"
               "Commands:\n",
               out);
    std::vector<Command> sorted = commands();
    std::sort(sorted.begin(), sorted.end(),
              [](const Command& a, const Command& b) { return a.order < b.order; });
    for (const Command& c : sorted) std::fprintf(out, "%s\n", c.usage);
}
} // namespace

CommandRegistration::CommandRegistration(const Command& command) {
    registry().push_back(command);
}

const std::vector<Command>& commands() {
    return registry();
}

} // namespace lorvanel::cli

int main(int argc, char** argv) {
    using namespace lorvanel::cli;
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") ||
        !std::strcmp(argv[1], "help")) {
        printHelp(argc < 2 ? stderr : stdout);
        return argc < 2 ? kExitUsage : finishOutput(kExitOk);
    }
    if (!std::strcmp(argv[1], "--version")) {
        std::puts("lorvanel-cli " LORVANEL_VERSION);
        return finishOutput(kExitOk);
    }
    const std::string name = argv[1];
    for (const Command& c : commands()) {
        if (name != c.name) continue;
        std::vector<std::string> args(argv + 2, argv + argc);
        for (const std::string& a : args) {
            if (a == "--") break;
            if (a == "--help" || a == "-h") {
                std::printf("%s\n", c.usage);
                return finishOutput(kExitOk);
            }
        }
        installErrorOutput();
        if (!lorvanel::boardDirectory().loadBoardList()) {
            std::fputs("lorvanel-cli: the built-in board list is missing\n", stderr);
            return kExitFailed;
        }
        try {
            return finishOutput(c.run(args));
        } catch (const UsageError& e) {
            std::fprintf(stderr, "lorvanel-cli %s: %s\n%s\n", c.name, e.message.c_str(), c.usage);
            return kExitUsage;
        } catch (const FilterError& e) {
            std::fprintf(stderr, "lorvanel-cli %s: %s\n", c.name, e.message.c_str());
            return kExitFailed;
        } catch (const LogsNotFound& e) {
            std::fprintf(stderr, "lorvanel-cli %s: %s", c.name, e.message.c_str());
            return kExitFailed;
        } catch (const CommandFailed& e) {
            std::fprintf(stderr, "lorvanel-cli: %s\n", e.message.c_str());
            return kExitFailed;
        }
    }
    std::vector<std::string> names;
    for (const Command& c : commands()) names.emplace_back(c.name);
    std::fprintf(stderr, "lorvanel-cli: unknown command '%s'%s (see lorvanel-cli --help)\n",
                 argv[1], didYouMean(name, names).c_str());
    return kExitUsage;
}
