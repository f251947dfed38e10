// Loading from files: the input is cut into one or two files and loaded with a byte limit,
// as opening, merging and the size-limit setting do, through readFileText, the readers and
// the merge of several files. Byte 0 gives the limit and the split, the rest the files.
#include "FuzzSupport.h"

#include "input/AnalysisLog.h"
#include "input/Loader.h"
#include "input/PostLog.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace lorvanel;

namespace {

std::string directory;

void removeFiles() {
    ::unlink((directory + "/a.txt").c_str());
    ::unlink((directory + "/b.txt").c_str());
    ::rmdir(directory.c_str());
}

void writeFile(const std::string& path, std::string_view bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    // A cleaner of the temporary directory may have taken ours away meanwhile.
    if (fd < 0 && errno == ENOENT && ::mkdir(directory.c_str(), 0700) == 0)
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0) fuzz::fail("can't write the input file", __FILE__, __LINE__);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) fuzz::fail("can't write the input file", __FILE__, __LINE__);
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::initialise();
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/lorvanel-fuzz-XXXXXX";
    if (!::mkdtemp(pattern.data())) fuzz::fail("can't make a directory", __FILE__, __LINE__);
    directory = pattern;
    std::atexit(&removeFiles);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    // Limits small enough to cut inside the inputs the fuzzer makes.
    static constexpr std::uint64_t kLimits[] = {0, 0, 1, 7, 64, 200, 1000, 4096};
    const std::uint64_t limit = kLimits[data[0] & 7];
    const bool twoFiles = data[0] & 8;
    const std::string_view rest = fuzz::asText(data + 1, size - 1);

    std::vector<std::string> paths{directory + "/a.txt"};
    if (twoFiles) {
        // The split point: the second separator-looking line, else the middle.
        std::size_t cut = rest.find("\r\n-----", rest.find("-----") + 1);
        if (cut == std::string_view::npos) cut = rest.size() / 2;
        writeFile(paths[0], rest.substr(0, cut));
        paths.push_back(directory + "/b.txt");
        writeFile(paths[1], rest.substr(cut));
    } else {
        writeFile(paths[0], rest);
    }

    analysisLog().clear();
    PostLog log;
    const bool ok = loadFiles(log, paths, false, limit);
    FUZZ_CHECK(ok == !log.posts.empty());
    if (!ok) {
        FUZZ_CHECK(!log.hasText());
        FUZZ_CHECK(log.sourcePaths.empty() && log.formatNames.empty());
    } else {
        FUZZ_CHECK(log.hasText());
        FUZZ_CHECK(!log.formatNames.empty() && !log.sourcePaths.empty());
        FUZZ_CHECK(log.bytesRead <= log.fileSize);
        FUZZ_CHECK(log.bytesRead <= rest.size());
        if (limit != 0) FUZZ_CHECK(log.bytesRead <= limit * paths.size());
    }
    fuzz::checkReaderPosts(log.posts);
    fuzz::checkPostTexts(log);
    fuzz::checkAnalysisLog();
    return 0;
}
