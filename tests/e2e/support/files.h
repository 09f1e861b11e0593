#pragma once
// Files the tests prepare for the programs under test and read back from them.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace e2e {

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path);
bool WriteFileBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
// True when the file is gone, whether or not it was there.
bool RemoveFile(const std::filesystem::path& path);
// Copies a folder with everything in it, replacing files of the same name.
bool CopyFolder(const std::filesystem::path& from, const std::filesystem::path& to);

// A new empty folder in the temporary folder, removed with its contents when the object goes.
class TemporaryFolder {
  public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace e2e
