// Format detection and the matching reader over arbitrary bytes. The first byte picks the
// format: 1..9 force that reader, anything else lets detection decide from the rest, so
// every reader sees texts that detection would never hand it.
#include "FuzzSupport.h"

#include "input/AnalysisLog.h"
#include "input/Loader.h"
#include "input/LogFormat.h"
#include "input/PostLog.h"

#include <cstring>

using namespace lorvanel;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view text = fuzz::asText(data + 1, size - 1);
    int format = data[0] % 11;
    const int detected = detectFormatText(text.substr(0, kDetectSampleBytes));
    FUZZ_CHECK(detected >= 0 && detected <= kFormatJDim && detected != kFormatV2c);
    if (format == 0 || format == 10) format = detected;

    analysisLog().clear();
    PostLog log;
    log.allocateText(text.size() + 1);
    std::memcpy(log.textData(), text.data(), text.size());
    log.textData()[text.size()] = '\0';
    std::string formatName;
    const bool ok =
        parseText(log.posts, log.arena, formatName, log.textData(), text.size(), format);
    FUZZ_CHECK(ok == !log.posts.empty());
    if (ok) FUZZ_CHECK(!formatName.empty());
    fuzz::checkReaderPosts(log.posts);
    fuzz::checkPostTexts(log);
    fuzz::checkAnalysisLog();
    for (const PostRecord* r : log.posts) {
        (void)r->local();
        (void)r->isAsciiArt();
    }
    return 0;
}
