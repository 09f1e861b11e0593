#include "e2e/support/files.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace e2e {

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                    std::istreambuf_iterator<char>());
    if (file.bad())
        return std::nullopt;
    return bytes;
}

bool WriteFileBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return file.good();
}

bool RemoveFile(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::remove(path, error);
    return !error;
}

bool CopyFolder(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code error;
    std::filesystem::copy(from, to,
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing,
                          error);
    return !error;
}

TemporaryFolder::TemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavrin-e2e-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a folder like " + pattern);
    }
    path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

namespace {

// Sets or clears the immutable flag of a folder; false when the flag cannot be changed here.
bool SetImmutable(const std::filesystem::path& folder, bool immutable) {
    const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (descriptor < 0)
        return false;
    int flags = 0;
    bool changed = ioctl(descriptor, FS_IOC_GETFLAGS, &flags) == 0;
    if (changed) {
        flags = immutable ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        changed = ioctl(descriptor, FS_IOC_SETFLAGS, &flags) == 0;
    }
    close(descriptor);
    return changed;
}

}  // namespace

FolderWithoutNewFiles::FolderWithoutNewFiles(const std::filesystem::path& folder,
                                             const std::string& refusedName)
    : folder_(folder), immutable_(SetImmutable(folder, true)) {
    std::error_code error;
    if (!immutable_ && std::filesystem::create_directory(folder / refusedName, error))
        placeholder_ = folder / refusedName;
}

FolderWithoutNewFiles::~FolderWithoutNewFiles() {
    if (immutable_)
        SetImmutable(folder_, false);
    std::error_code ignored;
    if (!placeholder_.empty())
        std::filesystem::remove(placeholder_, ignored);
}

}  // namespace e2e
