#pragma once
// Read-only file access for logs and keyword files. Failures throw FileError carrying the
// operating system's message; nothing here ever opens a file for writing.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace lorvanel {

class FileError : public std::runtime_error {
public:
    FileError(const std::string& path, int errorCode);
    // A refusal of ours rather than the operating system's: "path: reason".
    FileError(const std::string& path, const std::string& reason);
    int errorCode() const { return errorCode_; }
    // What went wrong, without the path.
    const std::string& reason() const { return reason_; }

private:
    int errorCode_;
    std::string reason_;
};

// The operating system's message for an error number.
std::string systemErrorMessage(int errorCode);

struct FileStatus {
    std::uint64_t size = 0;
    bool isDirectory = false;
    bool isRegular = false;
};

// False with errorCode set when the path has no status.
bool fileStatus(const std::string& path, FileStatus& status, int& errorCode);

class InputFile {
public:
    InputFile() = default;
    explicit InputFile(const std::string& path) { open(path); }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    // Opens for reading. Only a regular file is read: a directory is refused with EISDIR,
    // anything else (a FIFO, socket or device, which could block a read for ever or never
    // end) with a FileError of its own, before it is opened for reading.
    void open(const std::string& path);
    std::uint64_t length() const;
    void seek(std::uint64_t offset);
    // Reads up to n bytes, fewer only at the end of the file.
    std::size_t read(char* dest, std::size_t n);
    void close();

private:
    int fd_ = -1;
    std::string path_;
};

// The whole file, for small texts such as keyword files.
std::string readWholeFile(const std::string& path);

// Names (not paths) of the regular files in dir whose name ends with suffix, sorted.
std::vector<std::string> listFiles(const std::string& dir, const std::string& suffix);

} // namespace lorvanel
