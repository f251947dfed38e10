#include "input/Loader.h"

#include "input/AnalysisLog.h"
#include "input/LogFormat.h"
#include "input/LogReader.h"
#include "input/PathList.h"
#include "input/PostLog.h"
#include "platform/Clock.h"
#include "platform/Encoding.h"
#include "platform/File.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <new>

namespace lorvanel {

std::string displayPath(const std::string& path) {
    std::string cp932;
    return utf8ToCp932(path, cp932) ? cp932 : path;
}

int readFileText(char* dest, std::size_t capacity, std::uint64_t& bytesRead,
                 const std::string& path, std::uint64_t limit) {
    // A file that can't be read is the caller's error to report, and no format complaint.
    const int format = detectFileFormat(path);
    if (format == 0) return 0;
    AnalysisLog& log = analysisLog();
    log.append("ファイルを開いています '%s'\r\n", displayPath(path).c_str());
    Stopwatch clock;

    InputFile file(path);
    const std::uint64_t size = file.length();
    std::uint64_t take = (limit == 0 || size < limit) ? size : limit;
    // The file may have grown since its status was taken: never write past our part.
    if (take > capacity) {
        log.append("ファイルのサイズが読み込み中に変わりました '%s'\r\n",
                   displayPath(path).c_str());
        take = capacity;
    }
    if (format != kFormatHotzonu) file.seek(size - take);
    const std::size_t got = file.read(dest, static_cast<std::size_t>(take));
    if (got < take)
        log.append("ファイルのサイズが読み込み中に変わりました '%s'\r\n",
                   displayPath(path).c_str());
    // The readers take a NUL for the end of the text, which would silently lose the rest of
    // the file: read such bytes as blanks and say so.
    std::size_t nuls = 0;
    for (char* p = dest; (p = static_cast<char*>(std::memchr(p, '\0', dest + got - p)));) {
        *p++ = ' ';
        ++nuls;
    }
    if (nuls != 0)
        log.append("NUL文字が%d個含まれています。空白として読み込みます '%s'\r\n",
                   static_cast<int>(std::min<std::size_t>(nuls, INT_MAX)),
                   displayPath(path).c_str());
    dest[got] = '\0';
    bytesRead = got;
    log.append("完了 %d㍉ﾋﾞｮ\r\n\r\n", clock.elapsedMs());
    return format;
}

bool parseText(PostList& posts, PostArena& arena, std::string& formatName, char* text,
               std::size_t length, int format) {
    releasePosts(posts);
    AnalysisLog& log = analysisLog();
    std::unique_ptr<LogReader> reader = createReader(format);
    if (!reader) {
        log.appendAndAlert("対応していないlorvanel.txtです。\r\n");
        return false;
    }
    Stopwatch clock;
    log.append("レスに分解しています\r\n");
    if (!reader->parse(posts, arena, text, length)) {
        log.appendAndAlert("lorvanel.txtの解析に失敗しました。\r\n");
        return false;
    }
    formatName = reader->formatName();
    log.append("完了 %d㍉ﾋﾞｮ\r\n\r\n", clock.elapsedMs());
    return true;
}

bool loadOne(PostLog& log, const std::string& path, std::uint64_t limit) {
    log.clear();
    try {
        FileStatus st;
        int err = 0;
        if (!fileStatus(path, st, err)) throw FileError(displayPath(path), err);
        log.fileSize = st.size;
        log.bytesRead = (limit != 0 && st.size >= limit) ? limit : st.size;
        log.allocateText(static_cast<std::size_t>(log.bytesRead) + 1);
        std::uint64_t taken = 0;
        const int format = readFileText(log.textData(), static_cast<std::size_t>(log.bytesRead),
                                        taken, path, limit);
        log.bytesRead = taken;
        std::string formatName;
        const bool ok = parseText(log.posts, log.arena, formatName, log.textData(),
                                  static_cast<std::size_t>(taken), format);
        if (!containsPath(log.sourcePaths, path)) log.sourcePaths.push_back(path);
        if (ok) log.formatNames.push_back(formatName);
        if (!ok) {
            log.clear();
            return false;
        }
        log.noteForeignBoards();
        return true;
    } catch (const std::exception& e) {
        analysisLog().appendException(e);
        log.clear();
        return false;
    }
}

bool loadFiles(PostLog& log, std::vector<std::string> paths, bool merge, std::uint64_t limit) {
    if (merge)
        for (const std::string& p : log.sourcePaths)
            if (!containsPath(paths, p)) paths.push_back(p);
    if (paths.size() == 1) return loadOne(log, paths.front(), limit);

    log.clear();
    if (paths.empty()) return false;
    std::uint64_t counted = 0;
    for (const std::string& p : paths) {
        FileStatus st;
        int err = 0;
        if (!fileStatus(p, st, err)) continue;
        log.fileSize += st.size;
        log.bytesRead += (limit != 0 && st.size >= limit) ? limit : st.size;
        ++counted;
    }
    try {
        log.allocateText(static_cast<std::size_t>(counted + log.bytesRead));
    } catch (const std::exception& e) {
        analysisLog().appendException(e);
        log.clear();
        return false;
    }

    std::size_t write = 0;
    bool anyOk = false;
    for (auto it = paths.begin(); it != paths.end();) {
        try {
            PostList temp;
            // Room left for this file's bytes, keeping one byte for its NUL.
            const std::size_t room = log.textCapacity() - write;
            if (room == 0) throw FileError(*it, ENOSPC);
            std::uint64_t taken = 0;
            const int format = readFileText(log.textData() + write, room - 1, taken, *it, limit);
            std::string formatName;
            if (!parseText(temp, log.arena, formatName, log.textData() + write,
                           static_cast<std::size_t>(taken), format)) {
                it = paths.erase(it);
                continue;
            }
            mergePosts(log.posts, temp);
            bool seen = false;
            for (const std::string& n : log.formatNames) seen = seen || n == formatName;
            if (!seen) log.formatNames.push_back(formatName);
            write += static_cast<std::size_t>(taken) + 1;
            anyOk = true;
        } catch (const std::exception& e) {
            analysisLog().appendException(e);
        }
        ++it;
    }
    for (const std::string& p : paths)
        if (!containsPath(log.sourcePaths, p)) log.sourcePaths.push_back(p);
    if (!anyOk) {
        log.clear();
        return false;
    }
    log.noteForeignBoards();
    return true;
}

} // namespace lorvanel
