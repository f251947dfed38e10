#include "input/JDimLogFiles.h"

#include "input/Loader.h"
#include "platform/File.h"

#include <algorithm>
#include <climits>

namespace lorvanel {

namespace {

// The rotation number of "postlog-N"; 0 for "postlog", -1 for any other name.
long rotationNumber(const std::string& name) {
    static const std::string kBase = "postlog";
    if (name == kBase) return 0;
    if (name.size() <= kBase.size() + 1 || name.compare(0, kBase.size() + 1, kBase + "-") != 0)
        return -1;
    long n = 0;
    for (std::size_t i = kBase.size() + 1; i < name.size(); ++i) {
        const char c = name[i];
        if (c < '0' || c > '9' || n > 100000000) return -1;
        n = n * 10 + (c - '0');
    }
    return n > 0 ? n : -1;
}

} // namespace

JDimLogSearch findJDimLogs(const EnvironmentLookup& env) {
    const UserDirs dirs = userDirs(env);
    std::vector<std::string> roots;
    const char* cache = env("JDIM_CACHE");
    const bool cacheSet = cache && *cache;
    if (cacheSet) {
        // JDim reads a leading "~" as the home folder, and then uses that folder alone.
        roots.push_back(cache[0] == '~' ? dirs.home + (cache + 1) : std::string(cache));
    } else {
        roots.push_back(dirs.home + (dirs.home.ends_with('/') ? ".jd" : "/.jd"));
        roots.push_back(dirs.cacheHome + "/jdim");
    }

    JDimLogSearch search;
    for (std::string root : roots) {
        while (root.size() > 1 && root.back() == '/') root.pop_back();
        const std::string logDir = root + "/log";
        search.searched.push_back(logDir);
        if (!isDirectory(root)) {
            if (cacheSet) search.missingCache = root;
            continue;
        }
        // The first folder that exists is JDim's, whether or not it holds a log.
        std::vector<std::pair<long, std::string>> found;
        for (const std::string& name : listFiles(logDir, ""))
            if (const long n = rotationNumber(name); n >= 0) found.emplace_back(n, name);
        // Rotated files are numbered oldest first; "postlog" is the newest.
        std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
            return (a.first == 0 ? LONG_MAX : a.first) < (b.first == 0 ? LONG_MAX : b.first);
        });
        for (const auto& f : found) search.files.push_back(logDir + "/" + f.second);
        break;
    }
    return search;
}

std::string jdimLogNotFoundMessage(const JDimLogSearch& search) {
    std::string m = "JDimの書き込みログが見つかりません。次のフォルダを探しました。\r\n";
    for (const std::string& dir : search.searched) m += "  " + displayPath(dir) + "\r\n";
    if (!search.missingCache.empty())
        m += "$JDIM_CACHE のフォルダ " + displayPath(search.missingCache) + " がありません。\r\n";
    m += "JDimの「設定 > 一般 > 書き込みログを保存する」をオンにすると、"
         "書き込みがログに残ります。\r\n";
    return m;
}

} // namespace lorvanel
