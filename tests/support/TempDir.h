#pragma once
// A temporary directory removed with its files when the test ends.
#include <string>
#include <string_view>

namespace lorvanel::testing {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // Writes bytes to a file in the directory and returns its path.
    std::string write(const std::string& name, std::string_view bytes) const;
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

} // namespace lorvanel::testing
