// lorvanel-cli check-filter: compiles a filter text and says whether it is valid.
#include "cli/CliSupport.h"
#include "cli/Command.h"
#include "filter/CompileFilter.h"

#include <cstdio>

namespace lorvanel::cli {

namespace {

int runCheckFilter(const std::vector<std::string>& args) {
    CommandLine line(0);
    line.operands(1, 1, "needs exactly one filter text");
    const std::string text = argumentToCp932(line.parse(args).operands[0], "the filter text");
    std::string message;
    if (compileFilterQuietly(text, &message)) {
        std::fputs("OK\n", stdout);
        return kExitOk;
    }
    writeText(message, false);
    return kExitFailed;
}

const CommandRegistration registration{{
    "check-filter",
    "  check-filter TEXT\n"
    "      Compiles a filter text (UTF-8). Prints OK, or the compiler's message exactly as the\n"
    "      program would show it, and exits 1.",
    30,
    runCheckFilter,
}};

} // namespace

} // namespace lorvanel::cli
