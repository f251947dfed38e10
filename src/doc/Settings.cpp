#include "doc/Settings.h"

#include "platform/File.h"
#include "platform/FileStamp.h"
#include "platform/Paths.h"
#include "platform/UserDirs.h"

#include <algorithm>
#include <charconv>

namespace lorvanel {

BoundedStringList::BoundedStringList(int defaultCapacity, int maxCapacity)
    : capacity_(defaultCapacity), defaultCapacity_(defaultCapacity), maxCapacity_(maxCapacity) {}

void BoundedStringList::addToFront(std::string_view text) {
    auto same = std::find(items_.begin(), items_.end(), text);
    if (same != items_.end())
        items_.erase(same);
    else if (items_.size() >= static_cast<std::size_t>(capacity_))
        items_.pop_back();
    items_.insert(items_.begin(), std::string(text));
}

void BoundedStringList::setCapacity(int capacity) {
    capacity_ = std::clamp(capacity, 1, maxCapacity_);
    if (items_.size() > static_cast<std::size_t>(capacity_)) items_.resize(capacity_);
}

void BoundedStringList::read(const IniFile& ini, std::string_view section) {
    items_.clear();
    // A "Max" of 0 or less would hold nothing and silently lose every entry; it counts as
    // absent.
    const int max = ini.getInt(section, "Max", defaultCapacity_);
    capacity_ = max < 1 ? defaultCapacity_ : std::min(max, maxCapacity_);
    const int count = ini.getInt(section, "Count", 0);
    if (count <= 0) return;

    // Only keys that exist can give entries, so a huge "Count" costs nothing: take the keys
    // spelt as the indexes 0..Count-1 are and read them in index order.
    std::vector<int> indexes;
    for (const std::string& key : ini.keys(section)) {
        int n = -1;
        const char* end = key.data() + key.size();
        auto [p, ec] = std::from_chars(key.data(), end, n);
        if (ec != std::errc() || p != end || n < 0 || n >= count) continue;
        if (std::to_string(n) != key) continue;
        indexes.push_back(n);
    }
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    for (int n : indexes) {
        if (items_.size() >= static_cast<std::size_t>(capacity_)) break;
        std::string value = ini.getString(section, std::to_string(n), "");
        if (!value.empty()) items_.push_back(std::move(value));
    }
}

void BoundedStringList::write(IniFile& ini, std::string_view section) const {
    ini.setInt(section, "Count", static_cast<int>(items_.size()));
    ini.setInt(section, "Max", capacity_);
    for (std::size_t i = 0; i < items_.size(); ++i)
        ini.setString(section, std::to_string(i), "\"" + items_[i] + "\"");
}

void Settings::read(const IniFile& ini) {
    keywordDirectory = ini.getString(ini::kSettings, ini::kKeywordDirectory, "keywords");
    recentFiles.read(ini, ini::kRecentLorvanelText);
    autoLoadLast = ini.getInt(ini::kSettings, ini::kAutoLoadLastText, 1);
    fileSizeLimit =
        std::clamp(ini.getInt(ini::kSettings, ini::kFileSizeLimit, 0), 0, kMaxFileSizeLimit);
    enableBrowserSetting = ini.getInt(ini::kSettings, ini::kEnableBrowserSetting, 0);
    followLogChanges = ini.getInt(ini::kSettings, ini::kFollowLogChanges, 1);
    browsers.read(ini, ini::kBrowserList);
}

void Settings::write(IniFile& ini) const {
    // Quoted, as the list entries are, so that blanks or quotes at its ends survive reading.
    ini.setString(ini::kSettings, ini::kKeywordDirectory, "\"" + keywordDirectory + "\"");
    recentFiles.write(ini, ini::kRecentLorvanelText);
    ini.setInt(ini::kSettings, ini::kAutoLoadLastText, autoLoadLast);
    ini.setInt(ini::kSettings, ini::kFileSizeLimit, fileSizeLimit);
    ini.setInt(ini::kSettings, ini::kEnableBrowserSetting, enableBrowserSetting);
    ini.setInt(ini::kSettings, ini::kFollowLogChanges, followLogChanges);
    browsers.write(ini, ini::kBrowserList);
}

std::optional<std::string> readWindowPlacement(const IniFile& ini) {
    std::string bytes;
    if (!ini.getBytes(ini::kWindow, ini::kMainFramePlacement, bytes) || bytes.empty())
        return std::nullopt;
    return bytes;
}

void writeWindowPlacement(IniFile& ini, std::string_view placement) {
    ini.setBytes(ini::kWindow, ini::kMainFramePlacement, placement);
}

std::string settingsFilePath(std::string_view currentDirectory, std::string_view executablePath) {
    std::string_view name = executablePath;
    if (std::size_t slash = name.rfind('/'); slash != std::string_view::npos)
        name.remove_prefix(slash + 1);
    if (std::size_t dot = name.rfind('.'); dot != std::string_view::npos && dot > 0)
        name = name.substr(0, dot);
    std::string path(currentDirectory);
    if (path.empty() || path.back() != '/') path += '/';
    path += name;
    path += ".ini";
    return path;
}

namespace {
// The settings file as last read or written, kept while the file on disk stays as it was:
// the start-up and every owner that saves at exit would otherwise each read it anew, which
// for a large file costs seconds each time.
struct SettingsCache {
    std::string path;
    bool known = false; // ini holds the file with this stamp (or its absence)
    bool exists = false;
    FileStamp stamp;
    IniFile ini;
};

SettingsCache& cache() {
    static SettingsCache c;
    return c;
}

std::string& settingsFileStorage() {
    static std::string path;
    return path;
}
} // namespace

void setSettingsFile(std::string path) {
    if (!path.empty()) IniFile::removeLeftoverTemporaries(path);
    settingsFileStorage() = std::move(path);
    cache().known = false;
}

const std::string& settingsFile() {
    return settingsFileStorage();
}

namespace {

// Makes the cache hold the file as it is now; false with the reason when it can't be read.
bool refreshCache(std::string* error) {
    SettingsCache& c = cache();
    FileStamp stamp;
    // Stamped before reading: a change made meanwhile shows as a new stamp next time.
    const bool exists = fileStamp(settingsFile(), stamp);
    if (c.known && c.path == settingsFile() && c.exists == exists && (!exists || c.stamp == stamp))
        return true;
    c.known = false;
    if (!c.ini.load(settingsFile(), error)) return false;
    c.path = settingsFile();
    c.exists = exists;
    c.stamp = stamp;
    c.known = true;
    return true;
}

} // namespace

const IniFile& readSettingsFile() {
    if (settingsFile().empty()) {
        static const IniFile none;
        return none;
    }
    refreshCache(nullptr);
    return cache().ini;
}

bool updateSettingsFile(const std::function<void(IniFile&)>& change, std::string* error) {
    if (settingsFile().empty()) {
        if (error) *error = "no settings file";
        return false;
    }
    // Writing over a file that could not be read would lose whatever it holds.
    if (!refreshCache(error)) return false;
    SettingsCache& c = cache();
    change(c.ini);
    if (!c.ini.modified() && c.exists) return true;
    // The settings of an installed program go to a folder that the first write creates.
    int code = 0;
    if (!makeDirectories(directoryPart(settingsFile()), code)) {
        c.known = false;
        if (error) *error = settingsFile() + ": " + systemErrorMessage(code);
        return false;
    }
    if (!c.ini.save(settingsFile(), error)) {
        // What was not written is not the file's: read it afresh next time.
        c.known = false;
        return false;
    }
    c.exists = fileStamp(settingsFile(), c.stamp);
    c.known = c.exists;
    return true;
}

Settings& settings() {
    static Settings record;
    return record;
}

std::string resolveKeywordDirectory(std::string_view stored,
                                    const std::vector<std::string>& baseDirectories) {
    std::string folder = directoryPart(stored);
    if (!folder.empty()) return folder;
    for (const std::string& base : baseDirectories) {
        FileStatus st;
        int code = 0;
        const std::string candidate = base + std::string(stored);
        if (fileStatus(candidate, st, code) && st.isDirectory) return candidate;
    }
    return baseDirectories.empty() ? std::string(stored)
                                   : baseDirectories.front() + std::string(stored);
}

std::string recentFileCaption(std::size_t index, std::string_view entry) {
    std::string caption = "&";
    caption += static_cast<char>(index < 9 ? '1' + index : '0');
    caption += ' ';
    // A lone "&" would underline the next letter instead of showing itself.
    for (char c : entry) {
        caption += c;
        if (c == '&') caption += '&';
    }
    return caption;
}

} // namespace lorvanel
