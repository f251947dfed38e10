#include "input/BoardDirectory.h"

#include "input/PostRecord.h"
#include "platform/TextLines.h"

#include <mutex>
#include <vector>

namespace lorvanel {

namespace {
const std::string& unknownBoard() {
    static const std::string s = "不明な板";
    return s;
}
} // namespace

BoardDirectory& boardDirectory() {
    static BoardDirectory d;
    return d;
}

bool BoardDirectory::loadBoardList() {
    return loadBoardListText(boardListResource());
}

bool BoardDirectory::loadBoardListText(std::string_view text) {
    if (text.empty()) return false;
    TextLines lines(text);
    for (std::string_view line; lines.next(line);) {
        if (line.empty() || line.front() != '\t') continue;
        // TAB server TAB directory TAB display name
        std::vector<std::string_view> fields;
        std::size_t f = 1;
        while (fields.size() < 3) {
            std::size_t tab = line.find('\t', f);
            if (tab == std::string_view::npos) {
                if (f < line.size() || fields.size() == 2) fields.push_back(line.substr(f));
                break;
            }
            fields.push_back(line.substr(f, tab - f));
            f = tab + 1;
        }
        if (fields.size() < 3 || fields[2].empty()) continue;
        boards_.insert_or_assign(std::string(fields[1]), std::string(fields[2]));
    }
    return true;
}

const std::string& BoardDirectory::knownBoardName(std::string_view dir) const {
    if (dir.empty()) return unknownBoard();
    if (auto it = boards_.find(dir); it != boards_.end()) return it->second;
    {
        std::shared_lock lock(mutex_);
        if (auto u = unlisted_.find(dir); u != unlisted_.end()) return u->second;
    }
    std::unique_lock lock(mutex_);
    return knownBoardNameLocked(dir);
}

const std::string& BoardDirectory::knownBoardNameLocked(std::string_view dir) const {
    if (dir.empty()) return unknownBoard();
    if (auto it = boards_.find(dir); it != boards_.end()) return it->second;
    // Hand out a stable text for an unlisted directory too.
    auto u = unlisted_.find(dir);
    if (u == unlisted_.end()) u = unlisted_.emplace(std::string(dir), std::string(dir)).first;
    return u->second;
}

const std::string& BoardDirectory::boardDisplayName(const PostRecord& post) {
    std::unique_lock lock(mutex_);
    if (post.knownBbs()) {
        const std::string_view dir = post.dir ? post.dir : "";
        if (!namedByKey_.empty() && !dir.empty() && !boards_.contains(dir))
            if (auto n = namedByKey_.find(dir); n != namedByKey_.end()) return *n->second;
        return knownBoardNameLocked(dir);
    }
    if (!post.dir || !*post.dir) return unknownBoard();
    std::string name = std::string(post.dir) + "＠" + (post.server ? post.server : "");
    if (auto n = namedByKey_.find(name); n != namedByKey_.end()) return *n->second;
    auto it = foreign_.find(name);
    if (it == foreign_.end())
        it = foreign_.emplace(std::move(name), ForeignBoard{std::string(post.dir)}).first;
    return it->first;
}

void BoardDirectory::nameBoard(const PostRecord& post, std::string_view name) {
    if (name.empty() || !post.dir || !*post.dir) return;
    std::unique_lock lock(mutex_);
    std::string key(post.dir);
    if (post.knownBbs()) {
        if (boards_.contains(key)) return;
    } else {
        key += "＠";
        key += post.server ? post.server : "";
    }
    if (namedByKey_.contains(key) || named_.contains(name) || name == unknownBoard() ||
        foreign_.contains(name))
        return;
    for (const auto& [dir, display] : boards_)
        if (display == name) return;
    const auto it =
        named_
            .emplace(std::string(name),
                     NamedBoard{post.dir, post.knownBbs()
                                              ? std::string()
                                              : std::string(post.server ? post.server : "")})
            .first;
    namedByKey_.emplace(std::move(key), &it->first);
}

void BoardDirectory::retainForeignBoard(std::string_view name) {
    std::unique_lock lock(mutex_);
    if (auto n = named_.find(name); n != named_.end()) ++n->second.logs;
    auto it = foreign_.find(name);
    if (it != foreign_.end()) ++it->second.logs;
}

void BoardDirectory::releaseForeignBoard(std::string_view name) {
    std::unique_lock lock(mutex_);
    if (auto n = named_.find(name); n != named_.end() && n->second.logs > 0) --n->second.logs;
    auto it = foreign_.find(name);
    if (it != foreign_.end() && it->second.logs > 0) --it->second.logs;
}

std::string BoardDirectory::boardDirFromName(std::string_view name) const {
    for (const auto& [dir, display] : boards_)
        if (display == name) return dir;
    return std::string(name);
}

std::pair<std::string, std::string>
BoardDirectory::resolveBoardFilter(std::string_view name) const {
    if (name.empty() || name == unknownBoard()) return {};
    for (const auto& [dir, display] : boards_)
        if (display == name) return {std::string(), dir};
    std::shared_lock lock(mutex_);
    if (auto n = named_.find(name); n != named_.end()) {
        // A board outside the family counts only while a loaded log has posts there.
        if (!n->second.server.empty() && n->second.logs == 0) return {};
        return {n->second.server, n->second.dir};
    }
    const std::string_view at = "＠";
    const std::size_t pos = name.find(at);
    if (pos != std::string_view::npos) {
        auto it = foreign_.find(name);
        if (it == foreign_.end() || it->second.logs == 0) return {};
        return {std::string(name.substr(pos + at.size())), it->second.dir};
    }
    return {std::string(), std::string(name)};
}

} // namespace lorvanel
