// The ini reader, the settings record and the custom filters read from it, and the file-set
// parser of recent entries. The input up to its first NUL is an ini file, the rest a
// file-set string. Whatever the file holds, the settings keep their bounds, and what the
// program writes it reads back unchanged: the settings and the custom filters written into
// that same file, a value set in it, and a file set joined for the recent list.
#include "FuzzSupport.h"

#include "doc/Settings.h"
#include "input/PathList.h"
#include "platform/IniFile.h"
#include "report/AnalyzeOptions.h"
#include "trees/CustomFilter.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace lorvanel;

namespace {

void checkBounds(const Settings& s) {
    FUZZ_CHECK(s.fileSizeLimit >= 0 && s.fileSizeLimit <= Settings::kMaxFileSizeLimit);
    for (const BoundedStringList* l : {&s.recentFiles, &s.browsers}) {
        FUZZ_CHECK(l->capacity() >= 1);
        FUZZ_CHECK(l->size() <= static_cast<std::size_t>(l->capacity()));
        for (const std::string& item : l->items()) FUZZ_CHECK(!item.empty());
    }
    FUZZ_CHECK(s.recentFiles.capacity() <= Settings::kMaxRecentFiles);
    FUZZ_CHECK(s.browsers.capacity() <= Settings::kMaxBrowsers);
}

// Custom filters: never an empty list, no name with ",", and whatever was read is written so
// that it reads back the same, into the same file (over the keys it had) and into a new one.
void checkCustomFilters(IniFile& ini) {
    CustomFilterList read;
    read.read(ini);
    FUZZ_CHECK(!read.empty());
    for (const auto& f : read.items()) FUZZ_CHECK(f->name.find(',') == std::string::npos);
    IniFile fresh;
    read.write(fresh);
    IniFile reparsed;
    reparsed.parse(fresh.text());
    CustomFilterList back;
    back.read(reparsed);
    FUZZ_CHECK(back.values() == read.values());
    read.write(ini);
    CustomFilterList same;
    same.read(ini);
    FUZZ_CHECK(same.values() == read.values());
    // Restoring the defaults puts all twelve first, in their order.
    read.restoreDefaults();
    const std::vector<CustomFilter> values = read.values();
    const std::vector<CustomFilter>& defaults = defaultCustomFilters();
    FUZZ_CHECK(values.size() >= defaults.size());
    FUZZ_CHECK(std::equal(defaults.begin(), defaults.end(), values.begin()));
}

void checkIni(std::string_view text) {
    IniFile ini;
    ini.parse(text);
    // Written once, the file reads back as itself.
    const std::string once = ini.text();
    IniFile again;
    again.parse(once);
    FUZZ_CHECK(again.text() == once);

    Settings read;
    read.read(ini);
    checkBounds(read);
    Settings back;
    read.write(ini);
    back.read(ini);
    FUZZ_CHECK(back == read);
    IniFile fresh;
    read.write(fresh);
    Settings fromFresh;
    fromFresh.read(fresh);
    FUZZ_CHECK(fromFresh == read);
    AnalyzeOptions options;
    readAnalyzeOptions(ini, options);
    checkCustomFilters(ini);
    (void)readWindowPlacement(ini);

    // A value set, and raw bytes set, read back as they were set.
    std::string value(text.substr(0, 64));
    for (char& c : value)
        if (c == '\r' || c == '\n') c = ' ';
    ini.setString("Fuzz", "Value", "\"" + value + "\"");
    FUZZ_CHECK(ini.getString("Fuzz", "Value").value_or("?") == value);
    const std::string bytes(text.substr(0, 44));
    ini.setBytes("Fuzz", "Bytes", bytes);
    std::string got;
    FUZZ_CHECK(ini.getBytes("Fuzz", "Bytes", got) && got == bytes);
}

void checkFileSet(std::string_view text) {
    std::vector<std::string> paths;
    addPathString(paths, text);
    addPathString(paths, text);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        FUZZ_CHECK(!paths[i].empty());
        for (std::size_t j = 0; j < i; ++j) FUZZ_CHECK(!samePathIgnoringCase(paths[i], paths[j]));
    }
    std::vector<std::string> reread;
    addPathString(reread, joinPaths(paths));
    FUZZ_CHECK(reread == paths);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = fuzz::asText(data, size);
    const std::size_t nul = input.find('\0');
    checkIni(input.substr(0, nul));
    if (nul != std::string_view::npos) checkFileSet(input.substr(nul + 1));
    return 0;
}
