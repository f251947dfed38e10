#include "cli/FilterOption.h"

#include "cli/CliSupport.h"
#include "filter/CompileFilter.h"
#include "platform/Encoding.h"

namespace lorvanel::cli {

std::string filterOptionValue(const std::string& utf8) {
    std::string text = argumentToCp932(utf8, "--filter");
    // Checked before anything is loaded; the filter is compiled again over the loaded log,
    // where board names of posts outside the BBS family become known.
    std::string message;
    if (!compileFilterQuietly(text, &message)) {
        while (!message.empty() && message.back() == '\n') message.pop_back();
        throw UsageError{"--filter: " + cp932ToUtf8(message)};
    }
    return text;
}

} // namespace lorvanel::cli
