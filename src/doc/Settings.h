#pragma once
// The program's settings record and the settings file that holds it, with the bounded
// string lists of recent file sets and browsers. Other owners (the analysis options of
// report/AnalyzeOptions.h, custom filters, graph settings) keep their own sections in the
// same file.
#include "platform/IniFile.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lorvanel {

// An ordered list of strings, newest first, that holds at most `capacity` entries. Persisted
// as one section: "Count", "Max" and the entries under the keys "0", "1", ... in quotes.
class BoundedStringList {
public:
    // The capacity a stored "Max" may set is kept within 1..maxCapacity.
    BoundedStringList(int defaultCapacity, int maxCapacity);

    // Moves an equal entry (exact comparison) to the front, or inserts the text there,
    // dropping the last entry when the list is full.
    void addToFront(std::string_view text);
    void clear() { items_.clear(); }
    // Sets the capacity (kept within 1..maxCapacity) and drops entries beyond it.
    void setCapacity(int capacity);

    const std::vector<std::string>& items() const { return items_; }
    bool empty() const { return items_.empty(); }
    std::size_t size() const { return items_.size(); }
    const std::string& front() const { return items_.front(); }
    int capacity() const { return capacity_; }
    int defaultCapacity() const { return defaultCapacity_; }

    // Reads the section: a stored "Max" replaces the default capacity; the entries "0" to
    // "Count"-1 are read in order (empty values skipped) until the list is full. Keys that a
    // longer list left behind beyond "Count" are never read.
    void read(const IniFile& ini, std::string_view section);
    void write(IniFile& ini, std::string_view section) const;

    bool operator==(const BoundedStringList& other) const = default;

private:
    std::vector<std::string> items_;
    int capacity_;
    int defaultCapacity_;
    int maxCapacity_;
};

// Names of the sections and keys of the settings file.
namespace ini {
inline constexpr const char* kSettings = "Settings";
inline constexpr const char* kKeywordDirectory = "KeywordDirectory";
inline constexpr const char* kAutoLoadLastText = "AutoLoadLastText";
inline constexpr const char* kFileSizeLimit = "FileSizeLimit";
inline constexpr const char* kEnableBrowserSetting = "EnableBrowserSetting";
inline constexpr const char* kFollowLogChanges = "FollowLogChanges";
inline constexpr const char* kRecentLorvanelText = "RecentLorvanelText";
inline constexpr const char* kBrowserList = "BrowserList";
inline constexpr const char* kWindow = "Window";
inline constexpr const char* kMainFramePlacement = "MainFramePlacement";
} // namespace ini

// The settings record. Paths (recent files, browsers, the keyword directory) are kept in the
// operating system's bytes, exactly as they were given, so that every file can be reopened.
struct Settings {
    static constexpr int kMaxFileSizeLimit = 512;
    // The File menu has 16 command identifiers for recent entries.
    static constexpr int kMaxRecentFiles = 16;
    static constexpr int kMaxBrowsers = 64;

    std::string keywordDirectory = "keywords";
    BoundedStringList recentFiles{4, kMaxRecentFiles};
    int autoLoadLast = 1;
    // Megabytes, 0..512; 0 reads whole files.
    int fileSizeLimit = 0;
    int enableBrowserSetting = 0;
    // Reload the open log when its files change on disk.
    int followLogChanges = 1;
    BoundedStringList browsers{10, kMaxBrowsers};

    // Missing keys take the defaults above; a stored size limit outside 0..512 is brought
    // into that range, since the byte limit is computed from it.
    void read(const IniFile& ini);
    void write(IniFile& ini) const;

    // The load limit in bytes (0 = whole files).
    std::uint64_t byteLimit() const { return static_cast<std::uint64_t>(fileSizeLimit) << 20; }

    bool operator==(const Settings& other) const = default;
};

// The main window's placement, an opaque byte record; nothing when absent or damaged.
std::optional<std::string> readWindowPlacement(const IniFile& ini);
void writeWindowPlacement(IniFile& ini, std::string_view placement);

// The settings file's absolute path: the start-up directory and the executable's name with
// the extension ".ini" ("/home/u/lorvanel.ini" for "/usr/bin/lorvanel").
std::string settingsFilePath(std::string_view currentDirectory, std::string_view executablePath);

// The process-wide settings file. Every write reads the file afresh, applies the change and
// saves it atomically, so the sections of other owners and unknown keys survive. Choosing the
// file (once, at start-up) removes the temporary files that a killed write left beside it.
void setSettingsFile(std::string path);
const std::string& settingsFile();
// The file's contents; an unreadable file reads as empty (every key takes its default). The
// contents are kept while the file on disk is unchanged, so that reading it again costs
// nothing; the reference lasts until the next call of these functions.
const IniFile& readSettingsFile();
// False with the reason in error when the file can't be read or written; then nothing is
// changed on disk. A change that leaves the contents as they were writes nothing.
bool updateSettingsFile(const std::function<void(IniFile&)>& change, std::string* error = nullptr);

// The process-wide settings record.
Settings& settings();

// The directory of keyword files for the stored setting. A setting with a folder part names
// that folder part (so an absolute setting ends in a separator). A plain name ("keywords")
// lies beside the executable: the first of baseDirectories (each ending in a separator) that
// has a directory of that name, else the first base.
std::string resolveKeywordDirectory(std::string_view stored,
                                    const std::vector<std::string>& baseDirectories);

// Menu caption of the recent entry at index (0-based): "&1 path" .. "&9 path", then "&0 path".
std::string recentFileCaption(std::size_t index, std::string_view entry);

} // namespace lorvanel
