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

bool fail(std::string* error, const std::string& path, int code) {
    if (error) *error = path + ": " + systemErrorMessage(code);
    return false;
}

} // namespace

bool IniFile::load(const std::string& path, std::string* error) {
    lines_.clear();
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
    lines_.clear();
    bool inSection = false;
    TextLines lines(text);
    for (std::string_view raw; lines.next(raw);) {
        Line line;
        line.raw.assign(raw);

        const std::string_view body = trim(line.raw);
        if (!body.empty() && body.front() == '[') {
            const std::size_t close = findLastChar(body, ']');
            if (close != npos) {
                line.kind = Line::Section;
                line.name.assign(trim(body.substr(1, close - 1)));
                inSection = true;
            }
        } else if (inSection && !body.empty() && body.front() != ';') {
            const std::size_t eq = body.find('=');
            if (eq != npos && eq > 0) {
                line.kind = Line::Entry;
                line.name.assign(trim(body.substr(0, eq)));
                line.value.assign(trim(body.substr(eq + 1)));
            }
        }
        lines_.push_back(std::move(line));
    }
}

std::string IniFile::text() const {
    std::string s;
    for (const Line& line : lines_) {
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
    std::string temp = target + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return fail(error, target, errno);

    struct stat old {};
    const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
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
    return true;
}

std::size_t IniFile::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Line::Section && equalsIgnoringAsciiCase(lines_[i].name, section))
            return i;
    return npos;
}

std::size_t IniFile::sectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && lines_[i].kind != Line::Section) ++i;
    return i;
}

std::size_t IniFile::findEntry(std::size_t header, std::string_view key) const {
    const std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i)
        if (lines_[i].kind == Line::Entry && equalsIgnoringAsciiCase(lines_[i].name, key)) return i;
    return npos;
}

bool IniFile::hasSection(std::string_view section) const {
    return findSection(section) != npos;
}

bool IniFile::hasKey(std::string_view section, std::string_view key) const {
    const std::size_t header = findSection(section);
    return header != npos && findEntry(header, key) != npos;
}

std::vector<std::string> IniFile::keys(std::string_view section) const {
    std::vector<std::string> names;
    const std::size_t header = findSection(section);
    if (header == npos) return names;
    const std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i)
        if (lines_[i].kind == Line::Entry) names.push_back(lines_[i].name);
    return names;
}

std::optional<std::string> IniFile::getString(std::string_view section,
                                              std::string_view key) const {
    const std::size_t header = findSection(section);
    if (header == npos) return std::nullopt;
    const std::size_t i = findEntry(header, key);
    if (i == npos) return std::nullopt;
    return std::string(unquote(lines_[i].value));
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

void IniFile::setString(std::string_view section, std::string_view key, std::string_view value) {
    Line entry;
    entry.kind = Line::Entry;
    entry.name.assign(trim(key));
    entry.value = oneLine(value);
    entry.raw = entry.name + "=" + entry.value;
    entry.value.assign(trim(entry.value));

    std::size_t header = findSection(section);
    if (header == npos) {
        if (!lines_.empty() && !trim(lines_.back().raw).empty()) lines_.push_back(Line{});
        Line head;
        head.kind = Line::Section;
        head.name.assign(trim(section));
        head.raw = "[" + head.name + "]";
        lines_.push_back(std::move(head));
        lines_.push_back(std::move(entry));
        return;
    }
    const std::size_t existing = findEntry(header, key);
    if (existing != npos) {
        lines_[existing] = std::move(entry);
        return;
    }
    // After the section's last entry, so that blank lines and comments before the next
    // section stay where they are.
    std::size_t at = header + 1;
    const std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i)
        if (lines_[i].kind == Line::Entry) at = i + 1;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
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
