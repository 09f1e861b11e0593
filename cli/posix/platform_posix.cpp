// The settings tool on Linux and other POSIX systems: file names and the terminal are UTF-8, there
// is no registry naming an install folder, and no keyboard layout to ask.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "cli/input_names.h"
#include "cli/platform.h"
#include "cli/utf8_text.h"

namespace {

// A file descriptor, closed when the object goes.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { Close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int Get() const { return fd_; }
    bool Close() {
        const bool closed = fd_ < 0 || close(fd_) == 0;
        fd_ = -1;
        return closed;
    }

  private:
    int fd_;
};

bool WriteAll(int fd, const SettingsBytes& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// Makes the rename itself last: the folder's entry is flushed as well.
void FlushFolderOf(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    const std::filesystem::path folder = parent.empty() ? std::filesystem::path(".") : parent;
    const Descriptor directory(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.Get() >= 0)
        fsync(directory.Get());
}

bool Fail(std::string& why, const std::string& staging) {
    why = std::strerror(errno);
    if (!staging.empty())
        unlink(staging.c_str());
    return false;
}

}  // namespace

std::string Utf8FromNative(std::string_view text) {
    return ValidUtf8(text);
}

void WriteText(std::FILE* stream, std::string_view utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
    std::fflush(stream);
}

std::optional<std::string> InstallFolderSettingsPath() {
    return std::nullopt;
}

KeyCharacter KeyboardLayout() {
    return UsLayoutCharacter;
}

const char* KeyboardLayoutDescription() {
    return "a US keyboard layout: this system has no Windows layout to ask";
}

bool ReplaceSettingsFile(const std::string& path, const SettingsBytes& bytes, std::string& why) {
    // The new file gets the old one's permissions; a read-only file stays unwritten, as it would
    // on Windows.
    mode_t mode = 0666;  // less the umask, for a new file
    struct stat existing {};
    const bool replacing = stat(path.c_str(), &existing) == 0;
    if (replacing) {
        if (access(path.c_str(), W_OK) != 0)
            return Fail(why, {});
        mode = existing.st_mode & 07777;
    } else if (errno != ENOENT) {
        return Fail(why, {});
    }

    // Beside the file, so that the rename stays within one file system; named after this process,
    // so that two runs at once do not write into each other's.
    const std::string staging = path + "." + std::to_string(getpid()) + ".new";
    Descriptor file(open(staging.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
    if (file.Get() < 0)
        return Fail(why, {});
    if (!WriteAll(file.Get(), bytes) || (replacing && fchmod(file.Get(), mode) != 0) ||
        fsync(file.Get()) != 0 || !file.Close()) {
        return Fail(why, staging);
    }
    if (rename(staging.c_str(), path.c_str()) != 0)
        return Fail(why, staging);
    FlushFolderOf(path);
    return true;
}
