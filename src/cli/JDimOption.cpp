#include "cli/JDimOption.h"

#include "input/JDimLogFiles.h"
#include "platform/Encoding.h"

#include <algorithm>
#include <cstdio>

namespace lorvanel::cli {

bool expandJDimOption(std::vector<std::string>& args, const EnvironmentLookup& env) {
    const auto at = std::find(args.begin(), args.end(), "--jdim");
    if (at == args.end()) return true;
    const JDimLogSearch search = findJDimLogs(env);
    if (search.files.empty()) {
        std::string text = cp932ToUtf8(jdimLogNotFoundMessage(search));
        text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
        std::fputs(text.c_str(), stderr);
        return false;
    }
    std::vector<std::string> expanded(args.begin(), at);
    expanded.insert(expanded.end(), search.files.begin(), search.files.end());
    for (auto it = at + 1; it != args.end(); ++it)
        if (*it != "--jdim") expanded.push_back(*it);
    args = std::move(expanded);
    return true;
}

} // namespace lorvanel::cli
