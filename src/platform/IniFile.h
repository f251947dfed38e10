#pragma once
// A settings file in the ini form that Windows programs keep their private profiles in,
// read and written byte for byte (CP932). Every line that is not touched, including comments
// and the sections and keys this program does not know, is written back as it was read.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lorvanel {

class IniFile {
public:
    IniFile() = default;

    // Reads the file. A missing file is an empty profile and succeeds; any other failure
    // returns false with the operating system's message in error and leaves the profile empty.
    bool load(const std::string& path, std::string* error = nullptr);
    // Replaces the contents with the parsed text (lines end in CR LF, LF or a lone CR).
    void parse(std::string_view text);
    // The whole file, CR LF line ends.
    std::string text() const;
    // Writes the file atomically: a temporary file in the same directory, flushed to disk and
    // renamed over the old one, so a failure never leaves a truncated file behind. A file
    // that its owner made read-only is the owner's to keep: it is refused (EACCES), not
    // replaced, even where the directory would allow the rename.
    bool save(const std::string& path, std::string* error = nullptr) const;
    // Removes the temporary files ("NAME.XXXXXX" beside the file) that a write killed before
    // its rename left behind. Returns how many were removed.
    static int removeLeftoverTemporaries(const std::string& path);

    // Section and key names compare without regard to ASCII letter case (the trail bytes of
    // double-byte characters exactly); the first of duplicate sections or keys is the one read.
    bool hasSection(std::string_view section) const;
    bool hasKey(std::string_view section, std::string_view key) const;
    // The keys of a section in file order.
    std::vector<std::string> keys(std::string_view section) const;

    // The value with blanks trimmed and one pair of surrounding double quotes removed;
    // nothing when the key is absent.
    std::optional<std::string> getString(std::string_view section, std::string_view key) const;
    std::string getString(std::string_view section, std::string_view key,
                          std::string_view fallback) const;
    // The value read as a signed integer: leading blanks, an optional sign, then decimal
    // digits or "0x" and hexadecimal digits, up to the first other character (no digits
    // gives 0; values beyond int saturate). An absent key or an empty value gives fallback.
    int getInt(std::string_view section, std::string_view key, int fallback) const;
    // A value written by setBytes: false when absent, malformed or its checksum differs.
    bool getBytes(std::string_view section, std::string_view key, std::string& bytes) const;

    // Whether a set call changed the text since it was loaded, parsed or saved (setting a
    // value to what it was is no change), so that a caller writes only what differs.
    bool modified() const { return modified_; }

    // Replaces the value of an existing key in place, or appends the key to its section
    // (appending the section at the end of the file when needed). A value is one line: line
    // breaks in it are written as blanks, since the format can't hold them.
    void setString(std::string_view section, std::string_view key, std::string_view value);
    void setInt(std::string_view section, std::string_view key, int value);
    // Bytes as upper-case hexadecimal pairs followed by the pair of their checksum (the sum
    // of the bytes, modulo 256).
    void setBytes(std::string_view section, std::string_view key, std::string_view bytes);

private:
    struct Line {
        enum Kind { Other, Section, Entry } kind = Other;
        std::string raw;   // the line as read, without its line end
        std::string name;  // section name or key, trimmed
        std::string value; // an entry's value, trimmed, quotes kept
    };
    // A section's lines, its header first; the first block holds the lines before any
    // header and has none. Lookups go through indexes of folded names, so that reading or
    // writing a section of many keys takes time in proportion to them.
    struct Block {
        std::vector<Line> lines;
        std::size_t insertAt = 1; // after the last entry: where a new key goes
        // Folded key -> the first entry's line; built on the first lookup, so that sections
        // nobody asks about cost nothing beyond their lines.
        mutable std::unordered_map<std::string, std::size_t> keys;
        mutable bool indexed = false;
        void index() const;
    };
    const Block* findSection(std::string_view section) const;
    Block* findSection(std::string_view section);
    static const Line* findEntry(const Block& block, std::string_view key);
    void addEntry(Block& block, std::size_t at, Line entry);

    std::vector<Block> blocks_;
    std::unordered_map<std::string, std::size_t> sections_; // folded name -> first block
    mutable bool modified_ = false;
};

} // namespace lorvanel
