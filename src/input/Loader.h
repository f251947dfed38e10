#pragma once
// Turning file paths into a filled post log: reading within the byte limit, detecting the
// format, parsing and merging; every step is written to the analysis log.
#include <cstdint>
#include <string>
#include <vector>

namespace lorvanel {

class PostArena;
class PostList;
class PostLog;

// Reads the newest part of a file (at most limit bytes, 0 = all; the last bytes, or the first
// for the newest-first format) into dest, which has room for capacity bytes plus the NUL put
// after them. bytesRead receives the bytes taken. Returns the format, 0 when not recognised
// (then nothing is read). File errors throw FileError.
int readFileText(char* dest, std::size_t capacity, std::uint64_t& bytesRead,
                 const std::string& path, std::uint64_t limit);

// Parses a NUL-terminated text of the given format into posts (released first).
bool parseText(PostList& posts, PostArena& arena, std::string& formatName, char* text,
               std::size_t length, int format);

bool loadOne(PostLog& log, const std::string& path, std::uint64_t limit);

// With merge, the log's current source paths are loaded too, after the given ones.
bool loadFiles(PostLog& log, std::vector<std::string> paths, bool merge, std::uint64_t limit);

// A path as the analysis log shows it: converted to CP932 when it is UTF-8, else as given.
std::string displayPath(const std::string& path);

} // namespace lorvanel
