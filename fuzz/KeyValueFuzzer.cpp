// The key=value reader and its percent decoding. The input's lines are field values: every
// nine make one record with the keys in their order (so most inputs reach the fields and the
// body decoding rather than stopping at the section syntax), and the whole input also goes
// to the decoder on its own. A decoded body is never longer than its encoded form, never
// gains a NUL, and counts one line more than it holds CR bytes.
#include "FuzzSupport.h"

#include "input/AnalysisLog.h"
#include "input/KeyValueReader.h"
#include "input/PostLog.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace lorvanel;

namespace {

void checkDecoding(std::string_view encoded) {
    std::string buf(encoded);
    buf.push_back('#');
    const std::size_t n = decodePercentInPlace(buf.data(), encoded.size());
    FUZZ_CHECK(n <= encoded.size());
    FUZZ_CHECK(buf[n] == '\0');
    if (encoded.find('\0') == std::string_view::npos)
        FUZZ_CHECK(std::memchr(buf.data(), '\0', n) == nullptr);
    if (encoded.find('%') == std::string_view::npos) FUZZ_CHECK(buf.compare(0, n, encoded) == 0);
}

std::string records(std::string_view input) {
    std::vector<std::string_view> fields;
    while (!input.empty()) {
        const std::size_t end = input.find('\n');
        fields.push_back(input.substr(0, end));
        if (end == std::string_view::npos) break;
        input.remove_prefix(end + 1);
    }
    static const char* const kKeys[] = {
        "[", "Name=", "EMail=", "Body=", "Status=", "Date=", "Title="};
    std::string text;
    for (std::size_t i = 0; i + 9 <= fields.size(); i += 9) {
        for (std::size_t k = 0; k < 7; ++k) text.append(kKeys[k]).append(fields[i + k]) += "\r\n";
        // A URL is written as one, anything else as a board; the kind's first byte picks a
        // reply or a new thread.
        const std::string_view where = fields[i + 7];
        text.append(where.substr(0, 4) == "http" ? "URL=" : "BBS=").append(where) += "\r\n";
        const std::string_view kind = fields[i + 8];
        text.append(!kind.empty() && (kind[0] & 1) ? "NewThread=" : "Key=").append(kind) += "\r\n";
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = fuzz::asText(data, size);
    checkDecoding(input);
    const std::string text = records(input);

    analysisLog().clear();
    PostLog log;
    log.allocateText(text.size() + 1);
    std::memcpy(log.textData(), text.data(), text.size());
    log.textData()[text.size()] = '\0';
    KeyValueReader reader;
    const bool ok = reader.parse(log.posts, log.arena, log.textData(), text.size());
    FUZZ_CHECK(ok == !log.posts.empty());
    fuzz::checkReaderPosts(log.posts);
    fuzz::checkPostTexts(log);
    fuzz::checkAnalysisLog();
    if (text.find('\0') != std::string::npos) return 0;
    for (const PostRecord* r : log.posts) {
        const char* end = r->body + std::strlen(r->body);
        FUZZ_CHECK(r->lineCount == 1 + std::count(r->body, end, '\r'));
    }
    return 0;
}
