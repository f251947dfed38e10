#include "platform/IniFile.h"

#include "platform/File.h"
#include "platform/Mbcs.h"
#include "platform/TextLines.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lorvanel {

namespace {

constexpr std::size_t npos = std::string::npos;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Position of the last c in s that is a character of its own, not a trail byte.
std::size_t findLastChar(std::string_view s, char c) {
    std::size_t found = npos;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (isLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) {
            ++i;
            continue;
        }
        if (s[i] == c) found = i;
    }
    return found;
}

std::string_view unquote(std::string_view v) {
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') return v.substr(1, v.size() - 2);
    return v;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string oneLine(std::string_view value) {
    std::string s(value);
    for (char& c : s)
        if (c == '\r' || c == '\n') c = ' ';
    return s;
}

// Section and key names with ASCII letters in lower case, trail bytes of double-byte
// characters as they are: equal for exactly the names equalsIgnoringAsciiCase calls equal.
std::string foldName(std::string_view name) {
    std::string s(name);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (isLeadByte(c) && i + 1 < s.size())
            ++i;
        else if (c >= 'A' && c <= 'Z')
            s[i] = static_cast<char>(c + 32);
    }
    return s;
}

bool fail(std::string* error, const std::string& path, int code) {
    if (error) *error = path + ": " + systemErrorMessage(code);
    return false;
}

} // namespace

bool IniFile::load(const std::string& path, std::string* error) {
    blocks_.clear();
    sections_.clear();
    modified_ = false;
    FileStatus st;
    int code = 0;
    if (!fileStatus(path, st, code)) {
        if (code == ENOENT) return true;
        return fail(error, path, code);
    }
    try {
        parse(readWholeFile(path));
    } catch (const FileError& e) {
        if (error) *error = e.what();
        return false;
    }
    return true;
}

void IniFile::parse(std::string_view text) {
    modified_ = false;
    blocks_.assign(1, Block{});
    blocks_.front().insertAt = 0;
    sections_.clear();
    TextLines lines(text);
    for (std::string_view raw; lines.next(raw);) {
        Line line;
        line.raw.assign(raw);
        const bool inSection = blocks_.size() > 1;

        const std::string_view body = trim(line.raw);
        if (!body.empty() && body.front() == '[') {
            const std::size_t close = findLastChar(body, ']');
            if (close != npos) {
                line.kind = Line::Section;
                line.name.assign(trim(body.substr(1, close - 1)));
                sections_.emplace(foldName(line.name), blocks_.size());
                blocks_.emplace_back().lines.push_back(std::move(line));
                continue;
            }
        } else if (inSection && !body.empty() && body.front() != ';') {
            const std::size_t eq = body.find('=');
            if (eq != npos && eq > 0) {
                line.kind = Line::Entry;
                line.name.assign(trim(body.substr(0, eq)));
                line.value.assign(trim(body.substr(eq + 1)));
                Block& block = blocks_.back();
                block.insertAt = block.lines.size() + 1;
            }
        }
        blocks_.back().lines.push_back(std::move(line));
    }
}

std::string IniFile::text() const {
    std::size_t size = 0;
    for (const Block& block : blocks_)
        for (const Line& line : block.lines) size += line.raw.size() + 2;
    std::string s;
    s.reserve(size);
    for (const Block& block : blocks_)
        for (const Line& line : block.lines) {
            s += line.raw;
            s += "\r\n";
        }
    return s;
}

bool IniFile::save(const std::string& path, std::string* error) const {
    // Replace the file a symbolic link points to, not the link.
    std::string target = path;
    if (char* real = ::realpath(path.c_str(), nullptr)) {
        target = real;
        std::free(real);
    }
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    // A rename needs only the directory's permission; the file's own says whether the user
    // lets it be changed. (No write bit at all counts too: root passes every access check.)
    if (exists &&
        (::access(target.c_str(), W_OK) != 0 || (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0))
        return fail(error, target, EACCES);
    std::string temp = target + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return fail(error, target, errno);

    const mode_t mode = exists ? (old.st_mode & 07777) : 0644;
    const std::string data = text();
    std::size_t done = 0;
    int code = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            code = errno;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (!code && ::fchmod(fd, mode) != 0) code = errno;
    if (!code && ::fsync(fd) != 0) code = errno;
    if (::close(fd) != 0 && !code) code = errno;
    if (!code && ::rename(temp.c_str(), target.c_str()) != 0) code = errno;
    if (code) {
        ::unlink(temp.c_str());
        return fail(error, target, code);
    }
    modified_ = false;
    return true;
}

int IniFile::removeLeftoverTemporaries(const std::string& path) {
    std::string target = path;
    if (char* real = ::realpath(path.c_str(), nullptr)) {
        target = real;
        std::free(real);
    }
    const std::size_t slash = target.rfind('/');
    const std::string dir = slash == npos ? "." : target.substr(0, slash == 0 ? 1 : slash);
    const std::string prefix = (slash == npos ? target : target.substr(slash + 1)) + ".";
    int removed = 0;
    // mkstemp's six characters are letters and digits.
    for (const std::string& name : listFiles(dir, "")) {
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        bool mkstempName = true;
        for (std::size_t i = prefix.size(); i < name.size(); ++i) {
            const char c = name[i];
            mkstempName = mkstempName && ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
                                          (c >= 'A' && c <= 'Z'));
        }
        if (mkstempName && ::unlink((dir + "/" + name).c_str()) == 0) ++removed;
    }
    return removed;
}

const IniFile::Block* IniFile::findSection(std::string_view section) const {
    const auto it = sections_.find(foldName(section));
    return it == sections_.end() ? nullptr : &blocks_[it->second];
}

IniFile::Block* IniFile::findSection(std::string_view section) {
    const auto it = sections_.find(foldName(section));
    return it == sections_.end() ? nullptr : &blocks_[it->second];
}

void IniFile::Block::index() const {
    if (indexed) return;
    keys.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].kind == Line::Entry) keys.emplace(foldName(lines[i].name), i);
    indexed = true;
}

const IniFile::Line* IniFile::findEntry(const Block& block, std::string_view key) {
    block.index();
    const auto it = block.keys.find(foldName(key));
    return it == block.keys.end() ? nullptr : &block.lines[it->second];
}

bool IniFile::hasSection(std::string_view section) const {
    return findSection(section) != nullptr;
}

bool IniFile::hasKey(std::string_view section, std::string_view key) const {
    const Block* block = findSection(section);
    return block && findEntry(*block, key);
}

std::vector<std::string> IniFile::keys(std::string_view section) const {
    std::vector<std::string> names;
    const Block* block = findSection(section);
    if (!block) return names;
    for (const Line& line : block->lines)
        if (line.kind == Line::Entry) names.push_back(line.name);
    return names;
}

std::optional<std::string> IniFile::getString(std::string_view section,
                                              std::string_view key) const {
    const Block* block = findSection(section);
    const Line* line = block ? findEntry(*block, key) : nullptr;
    if (!line) return std::nullopt;
    return std::string(unquote(line->value));
}

std::string IniFile::getString(std::string_view section, std::string_view key,
                               std::string_view fallback) const {
    std::optional<std::string> v = getString(section, key);
    return v ? *v : std::string(fallback);
}

int IniFile::getInt(std::string_view section, std::string_view key, int fallback) const {
    const std::optional<std::string> v = getString(section, key);
    if (!v || v->empty()) return fallback;
    std::string_view s = *v;
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X') && hexValue(s[2]) >= 0) {
        base = 16;
        s.remove_prefix(2);
    }
    long long n = 0;
    for (char c : s) {
        const int d = hexValue(c);
        if (d < 0 || d >= base) break;
        n = n * base + d;
        if (n > static_cast<long long>(INT_MAX) + 1) n = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) n = -n;
    if (n > INT_MAX) n = INT_MAX;
    return static_cast<int>(n);
}

bool IniFile::getBytes(std::string_view section, std::string_view key, std::string& bytes) const {
    const std::optional<std::string> v = getString(section, key);
    if (!v || v->size() < 2 || v->size() % 2 != 0) return false;
    std::string out;
    out.reserve(v->size() / 2);
    for (std::size_t i = 0; i < v->size(); i += 2) {
        const int hi = hexValue((*v)[i]), lo = hexValue((*v)[i + 1]);
        if (hi < 0 || lo < 0) return false;
        out.push_back(static_cast<char>(hi * 16 + lo));
    }
    const unsigned char stored = static_cast<unsigned char>(out.back());
    out.pop_back();
    unsigned sum = 0;
    for (char c : out) sum += static_cast<unsigned char>(c);
    if ((sum & 0xFF) != stored) return false;
    bytes = std::move(out);
    return true;
}

void IniFile::addEntry(Block& block, std::size_t at, Line entry) {
    modified_ = true;
    // Only lines that are no entries follow the insertion point, so no index moves.
    if (block.indexed) block.keys.emplace(foldName(entry.name), at);
    block.lines.insert(block.lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
    block.insertAt = at + 1;
}

void IniFile::setString(std::string_view section, std::string_view key, std::string_view value) {
    Line entry;
    entry.kind = Line::Entry;
    entry.name.assign(trim(key));
    entry.value = oneLine(value);
    entry.raw = entry.name + "=" + entry.value;
    entry.value.assign(trim(entry.value));

    if (blocks_.empty()) {
        blocks_.emplace_back().insertAt = 0;
    }
    Block* block = findSection(section);
    if (!block) {
        std::vector<Line>& last = blocks_.back().lines;
        if (!last.empty() && !trim(last.back().raw).empty()) last.push_back(Line{});
        Line head;
        head.kind = Line::Section;
        head.name.assign(trim(section));
        head.raw = "[" + head.name + "]";
        sections_.emplace(foldName(head.name), blocks_.size());
        block = &blocks_.emplace_back();
        block->lines.push_back(std::move(head));
        addEntry(*block, 1, std::move(entry));
        return;
    }
    block->index();
    const auto existing = block->keys.find(foldName(key));
    if (existing != block->keys.end()) {
        Line& line = block->lines[existing->second];
        if (line.raw == entry.raw) return;
        line = std::move(entry);
        modified_ = true;
        return;
    }
    // After the section's last entry, so that blank lines and comments before the next
    // section stay where they are.
    addEntry(*block, block->insertAt, std::move(entry));
}

void IniFile::setInt(std::string_view section, std::string_view key, int value) {
    setString(section, key, std::to_string(value));
}

void IniFile::setBytes(std::string_view section, std::string_view key, std::string_view bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(bytes.size() * 2 + 2);
    unsigned sum = 0;
    for (char c : bytes) {
        const unsigned char b = static_cast<unsigned char>(c);
        sum += b;
        hex.push_back(digits[b >> 4]);
        hex.push_back(digits[b & 15]);
    }
    hex.push_back(digits[(sum >> 4) & 15]);
    hex.push_back(digits[sum & 15]);
    setString(section, key, hex);
}

} // namespace lorvanel
