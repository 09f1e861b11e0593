#pragma once
// Files of given bytes for the tests: one in the system's temporary folder, removed when the
// object goes, and any file read or written whole.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// A file's whole contents; nothing when it cannot be opened.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path);
// Makes the file, or replaces its contents, with `bytes`; false when that fails.
bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

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
