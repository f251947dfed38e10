#include "input/LogFormat.h"

#include "input/AnalysisLog.h"
#include "platform/File.h"

#include <vector>

namespace lorvanel {

const char* formatDisplayName(int format) {
    switch (format) {
    case kFormatJane:
        return "Jane";
    case kFormatKachusha:
        return "かちゅ～しゃ";
    case kFormatLive2ch:
        return "Live2ch";
    case kFormatGikonavi:
        return "ギコナビ";
    case kFormatV2c:
        return "V2C";
    case kFormatJaneOrV2c:
        return "JaneまたはV2C";
    case kFormatABone:
        return "A Bone";
    case kFormatHotzonu:
        return "ホットゾヌ２";
    case kFormatJDim:
        return "JDim";
    default:
        return "不明";
    }
}

namespace {

// The sample's lines, each ending at CR LF, a lone CR or a lone LF; the sample's end ends
// the last one. Lines that would start beyond the sample are missing.
std::vector<std::string_view> sampleLines(std::string_view s, std::size_t wanted) {
    std::vector<std::string_view> lines;
    std::size_t i = 0;
    while (i < s.size() && lines.size() < wanted) {
        std::size_t j = i;
        while (j < s.size() && s[j] != '\r' && s[j] != '\n') ++j;
        lines.push_back(s.substr(i, j - i));
        if (j == s.size()) break;
        if (s[j] == '\r' && j + 1 < s.size() && s[j + 1] == '\n') ++j;
        i = j + 1;
    }
    return lines;
}

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

} // namespace

int detectFormatText(std::string_view sample) {
    if (sample.empty()) return 0;
    if (startsWith(sample, "<hr><br>")) return kFormatJDim;
    const char first = sample.front();
    if (first != '[' && first != '-' && first != ' ') return 0;
    const std::vector<std::string_view> lines = sampleLines(sample, 5);
    auto line = [&](std::size_t n) -> const std::string_view* {
        return n <= lines.size() ? &lines[n - 1] : nullptr;
    };
    const std::string_view* l1 = line(1);
    if (!l1 || l1->empty()) return 0;
    if (l1->front() == '[') {
        const std::string_view* l2 = line(2);
        return l2 && startsWith(*l2, "Name=") ? kFormatGikonavi : 0;
    }
    if (*l1 == " ") {
        const std::string_view* l2 = line(2);
        return l2 && startsWith(*l2, "スレ名：") ? kFormatHotzonu : 0;
    }
    if (*l1 == "--------------------------------------------") {
        const std::string_view* l3 = line(3);
        if (!l3) return 0;
        if (startsWith(*l3, "Board  :")) return kFormatJane;
        const std::string_view* l4 = line(4);
        if (!l4) return 0;
        if (startsWith(*l4, "URL\t: ")) return kFormatABone;
        const std::string_view* l5 = line(5);
        if (!l5) return 0;
        if (startsWith(*l5, "FROM   : ")) return kFormatJaneOrV2c;
        if (startsWith(*l5, "From   : ") || startsWith(*l5, "Mail   : ")) return kFormatKachusha;
        if (startsWith(*l5, "Name   :") || startsWith(*l5, "URL    :")) return kFormatLive2ch;
        return 0;
    }
    return 0;
}

int detectFileFormat(const std::string& path) {
    InputFile f(path);
    char buf[kDetectSampleBytes];
    std::size_t n = f.read(buf, sizeof buf);
    return detectFormatText(std::string_view(buf, n));
}

int detectFormat(const std::string& path) {
    try {
        return detectFileFormat(path);
    } catch (const std::exception& e) {
        analysisLog().appendException(e);
        return 0;
    }
}

} // namespace lorvanel
