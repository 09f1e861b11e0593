#include "cli/settings_source.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// The size of an open file, from the end of the file; when the C library cannot say (a file of
// 2 GiB or more where its offsets have 32 bits), by reading it to the end.
std::uint64_t SizeOf(std::FILE* file, std::uint64_t alreadyRead) {
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long end = std::ftell(file);
        if (end >= 0)
            return static_cast<std::uint64_t>(end);
    }
    std::uint64_t size = alreadyRead;
    char chunk[65536];
    while (const std::size_t read = std::fread(chunk, 1, sizeof chunk, file))
        size += read;
    return size;
}

}  // namespace

SettingsFileRead ReadSettingsFile(const std::string& path) {
    SettingsFileRead result;
    errno = 0;
    const File file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        const int error = errno;
        result.outcome = error == ENOENT ? SettingsFileRead::Outcome::Missing
                                         : SettingsFileRead::Outcome::Unreadable;
        result.why = error != 0 ? std::strerror(error) : "it cannot be opened";
        return result;
    }
    result.leadingBytes.resize(kSettingsFileSize);
    const std::size_t read =
        std::fread(result.leadingBytes.data(), 1, result.leadingBytes.size(), file.get());
    result.leadingBytes.resize(read);
    if (std::ferror(file.get())) {
        result.outcome = SettingsFileRead::Outcome::Unreadable;
        result.why = errno != 0 ? std::strerror(errno) : "a read failed";
        return result;
    }
    result.size = SizeOf(file.get(), read);
    result.outcome = SettingsFileRead::Outcome::Read;
    return result;
}

bool FileExists(const std::string& path) {
    return File(std::fopen(path.c_str(), "rb")) != nullptr;
}

SettingsFile RecordFromBytes(const std::uint8_t* data, std::size_t size) {
    SettingsFile record;
    OverlaySettings(record, data, size);
    return record;
}
