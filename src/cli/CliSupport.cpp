#include "cli/CliSupport.h"

#include "doc/CDoc.h"
#include "doc/DocFilter.h"
#include "filter/FilterSelection.h"
#include "input/AnalysisLog.h"
#include "input/Loader.h"
#include "input/PostLog.h"
#include "platform/Encoding.h"

#include <cstdio>

namespace lorvanel::cli {

namespace {
// Accepts every post.
struct EveryPost {
    bool acceptPost(const PostRecord&) const { return true; }
};
} // namespace

bool loadPosts(PostLog& log, PostList& selection, const CommonOptions& options) {
    releasePosts(selection);
    analysisLog().clear();
    if (!loadFiles(log, options.operands, false, options.byteLimit)) return false;
    if (!options.filter) {
        selectPosts(selection, log.posts, EveryPost{});
        return true;
    }
    // The text compiled when the options were read, so this fails only for want of memory,
    // which has been reported.
    return selectPostsWithFilter(selection, log.posts, *options.filter).has_value();
}

bool loadDocument(CDoc& doc, const CommonOptions& options) {
    if (!doc.load(options.operands, false, options.byteLimit)) return false;
    return !options.filter || applyFilter(doc, *options.filter);
}

void writeText(std::string_view cp932, bool raw) {
    if (raw) {
        std::fwrite(cp932.data(), 1, cp932.size(), stdout);
        return;
    }
    const std::string utf8 = cp932ToUtf8(cp932);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

void writeAnalysisLogToStderr() {
    const std::string utf8 = cp932ToUtf8(analysisLog().text());
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
}

} // namespace lorvanel::cli
