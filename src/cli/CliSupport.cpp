#include "cli/CliSupport.h"

#include "cli/Command.h"
#include "doc/CDoc.h"
#include "doc/DocFilter.h"
#include "filter/FilterSelection.h"
#include "input/AnalysisLog.h"
#include "input/Loader.h"
#include "input/PostLog.h"
#include "platform/Alert.h"
#include "platform/Encoding.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>

namespace lorvanel::cli {

namespace {
// Accepts every post.
struct EveryPost {
    bool acceptPost(const PostRecord&) const { return true; }
};

std::string_view withoutLineEnd(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

// Each message on standard error once, named after the program; the texts are kept so that
// the analysis log doesn't repeat them.
class ErrorOutput : public AlertSink {
public:
    void alert(std::string_view text) override {
        const std::string_view message = withoutLineEnd(text);
        shown_.emplace(message);
        const std::string line = "lorvanel-cli: " + cp932ToUtf8(message) + "\n";
        std::fwrite(line.data(), 1, line.size(), stderr);
        std::fflush(stderr);
    }
    bool shown(std::string_view text) const {
        return shown_.count(std::string(withoutLineEnd(text))) != 0;
    }

private:
    std::set<std::string> shown_;
};

ErrorOutput& errorOutput() {
    static ErrorOutput sink;
    return sink;
}
} // namespace

void installErrorOutput() {
    setAlertSink(&errorOutput());
}

int finishOutput(int status) {
    const int earlier = errno;
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0;
    if (flushed && !std::ferror(stdout)) return status;
    // When a command flushed by itself, the failed write's errno is the one it left, as long as
    // it is a write's reason at all.
    const bool writeReason = earlier == ENOSPC || earlier == EIO || earlier == EFBIG ||
                             earlier == EDQUOT || earlier == EPIPE;
    const int code = !flushed ? errno : writeReason ? earlier : 0;
    std::fprintf(stderr, "lorvanel-cli: standard output: %s\n",
                 code ? std::strerror(code) : "write error");
    return kExitFailed;
}

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
    std::string utf8;
    for (const std::string& entry : analysisLog().entries())
        if (!errorOutput().shown(entry)) appendCp932AsUtf8(utf8, entry);
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
}

} // namespace lorvanel::cli
