#pragma once
// A file with given bytes in the system's temporary folder, removed when the object goes.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class TempFile {
  public:
    explicit TempFile(const std::vector<std::uint8_t>& bytes, const std::string& suffix = ".bmp");
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // The path as the C library's narrow functions take it.
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

// A path in the temporary folder that names no file.
std::string MissingTempPath();
