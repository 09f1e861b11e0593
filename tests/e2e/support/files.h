#pragma once
// Files the tests prepare for the programs under test and read back from them.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
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

// Makes a folder take no new entries while the files in it stay writable, as a folder does in
// which the player may write one file but create none. Tests run as root, whom permissions do
// not stop, so the folder gets the Linux immutable flag, which holds for root too (it needs
// CAP_LINUX_IMMUTABLE and a file system that has the flag). Where the flag cannot be set, the one
// name `refusedName` is taken by a folder instead, which refuses a file of that name the same
// way; Simulated() then says so. Everything is undone when the object goes.
class FolderWithoutNewFiles {
  public:
    FolderWithoutNewFiles(const std::filesystem::path& folder, const std::string& refusedName);
    ~FolderWithoutNewFiles();
    FolderWithoutNewFiles(const FolderWithoutNewFiles&) = delete;
    FolderWithoutNewFiles& operator=(const FolderWithoutNewFiles&) = delete;

    // False when neither way worked.
    explicit operator bool() const { return immutable_ || !placeholder_.empty(); }
    bool Simulated() const { return !immutable_; }

  private:
    std::filesystem::path folder_;
    bool immutable_ = false;
    std::filesystem::path placeholder_;
};

}  // namespace e2e
