#include "trees/CustomFilter.h"

#include "input/DomainConstants.h"
#include "platform/IniFile.h"

#include <algorithm>
#include <map>

namespace lorvanel {

namespace {

constexpr const char* kSection = "CustomFilter";
constexpr const char* kCount = "Count";

// The live broadcast boards that "実況" selects and "実況除外" leaves out.
constexpr const char* kLiveBoards[] = {
    "bbylive",  "tv2chwiki",  "livesaturn", "livevenus", "livejupiter", "liveuranus", "endless",
    "weekly",   "livewkwest", "livenhk",    "liveetv",   "liventv",     "livetbs",    "livecx",
    "liveanb",  "livetx",     "livebs",     "livewowow", "liveskyp",    "liveradio",  "dome",
    "livebase", "livefoot",   "oonna",      "ootoko",    "dancesite",   "festival",
};

std::string liveBoardsText() {
    std::string text;
    for (const char* dir : kLiveBoards) {
        if (!text.empty()) text += '|';
        text += "dir_";
        text += dir;
    }
    return text;
}

std::vector<CustomFilter> makeDefaults() {
    const std::string live = liveBoardsText();
    return {
        {"2ch外", std::string("!(server_") + kMainBbsDomain + "|server_" + kMainBbsCurrentDomain +
                      "|server_" + kAdultBbsDomain + "|server_" + kRegionalBbsDomain + ")"},
        {"実況", live},
        {"実況除外", "!(" + live + ")"},
        {"スレ立て", "suretate"},
        {"アスキーアート", "AA"},
        {"コテハン", "!name_"},
        {"トリップ", "name_#"},
        {"sage", "mail_sage"},
        {"レスアンカ", "msgr_\"(>|＞)[1-9]\""},
        {"URL貼り付け", "msg_tp://"},
        {"長文", "!AA&line6-"},
        {"ニータイム", "!(week1|week7)&(hour4-6|hour13-15)"},
    };
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The settings file trims blanks around a value and strips one pair of quotes around it. A
// filter text may end in a blank that belongs to its last argument ("msg_a "), so such a
// value is written inside one pair of quotes of its own, which the reader takes off again.
bool needsQuotes(std::string_view value) {
    if (value.empty()) return false;
    if (isBlank(value.front()) || isBlank(value.back())) return true;
    return value.size() >= 2 && value.front() == '"' && value.back() == '"';
}

// The index of a key written with "%d", or -1.
long long indexOfKey(std::string_view key) {
    if (key.empty() || key.size() > 10 || (key.size() > 1 && key[0] == '0')) return -1;
    long long n = 0;
    for (char c : key) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

} // namespace

const std::vector<CustomFilter>& defaultCustomFilters() {
    static const std::vector<CustomFilter> defaults = makeDefaults();
    return defaults;
}

std::vector<CustomFilter> CustomFilterList::values() const {
    std::vector<CustomFilter> out;
    out.reserve(items_.size());
    for (const auto& f : items_) out.push_back(*f);
    return out;
}

CustomFilter& CustomFilterList::append(CustomFilter filter) {
    items_.push_back(std::make_unique<CustomFilter>(std::move(filter)));
    return *items_.back();
}

void CustomFilterList::remove(const CustomFilter* filter) {
    auto it = std::find_if(items_.begin(), items_.end(),
                           [filter](const auto& f) { return f.get() == filter; });
    if (it != items_.end()) items_.erase(it);
}

void CustomFilterList::restoreDefaults() {
    const std::vector<CustomFilter>& defaults = defaultCustomFilters();
    for (const CustomFilter& d : defaults) {
        auto it = std::find_if(items_.begin(), items_.end(),
                               [&](const auto& f) { return f->name == d.name; });
        if (it == items_.end())
            it = std::find_if(items_.begin(), items_.end(),
                              [&](const auto& f) { return f->text == d.text; });
        if (it != items_.end()) items_.erase(it);
    }
    Items restored;
    restored.reserve(defaults.size() + items_.size());
    for (const CustomFilter& d : defaults) restored.push_back(std::make_unique<CustomFilter>(d));
    for (auto& f : items_) restored.push_back(std::move(f));
    items_ = std::move(restored);
}

std::string customFilterValue(const CustomFilter& filter) {
    return filter.name + "," + filter.text;
}

bool parseCustomFilterValue(std::string_view value, CustomFilter& filter) {
    const std::size_t comma = value.find(',');
    if (comma == std::string_view::npos) return false;
    filter.name.assign(value.substr(0, comma));
    filter.text.assign(value.substr(comma + 1));
    return true;
}

void CustomFilterList::read(const IniFile& ini) {
    items_.clear();
    // Only the keys that are there can give a filter (a missing one reads as empty and has no
    // ","), so the keys of the section are visited rather than every index below a count
    // that may be absurdly large.
    std::map<long long, std::string> values;
    for (const std::string& key : ini.keys(kSection)) {
        const long long index = indexOfKey(key);
        if (index < 0 || values.count(index)) continue;
        values.emplace(index, ini.getString(kSection, key).value_or(std::string()));
    }
    long long count = ini.getInt(kSection, kCount, -1);
    if (count < 0) {
        // A section written by hand without a count (or with a negative one): its numbered
        // keys up to the first gap.
        count = 0;
        for (auto it = values.begin(); it != values.end() && it->first == count; ++it) ++count;
    }
    values.erase(values.lower_bound(count), values.end());
    for (const auto& [index, value] : values) {
        CustomFilter filter;
        if (parseCustomFilterValue(value, filter)) append(std::move(filter));
    }
    if (items_.empty())
        for (const CustomFilter& d : defaultCustomFilters()) append(d);
}

void CustomFilterList::write(IniFile& ini) const {
    ini.setInt(kSection, kCount, static_cast<int>(items_.size()));
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const std::string value = customFilterValue(*items_[i]);
        ini.setString(kSection, std::to_string(i), needsQuotes(value) ? '"' + value + '"' : value);
    }
}

} // namespace lorvanel
