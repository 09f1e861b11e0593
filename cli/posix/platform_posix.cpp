// The settings tool on Linux and other POSIX systems: file names and the terminal are UTF-8, there
// is no registry naming an install folder, and no keyboard layout to ask.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>

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

WriteOutcome Fail(std::string& why, const std::string& staging) {
    why = std::strerror(errno);
    if (!staging.empty())
        unlink(staging.c_str());
    return WriteOutcome::NotWritten;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// The size of an open file, from the end of the file; when the C library cannot say, by reading
// it to the end.
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

// Whether `name` is one a staged file beside `file` takes ("tavrin.dat.1234.new"), and if so the
// number of the process that made it.
std::optional<pid_t> StagingProcess(const std::string& name, const std::string& file) {
    constexpr std::string_view kSuffix = ".new";
    const std::string prefix = file + ".";
    if (name.size() <= prefix.size() + kSuffix.size() ||
        name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0) {
        return std::nullopt;
    }
    const std::string digits =
        name.substr(prefix.size(), name.size() - prefix.size() - kSuffix.size());
    if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return static_cast<pid_t>(std::stol(digits));
}

// Removes the staged files that writes which stopped part-way left beside `path`: those of
// processes that are gone, and one of this process's number, which can only be an earlier
// process's. A write under way in another process keeps its own.
void RemoveLeftovers(const std::string& path) {
    const std::filesystem::path file(path);
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::optional<pid_t> process =
            StagingProcess(entry.path().filename().string(), file.filename().string());
        if (!process)
            continue;
        if (*process == getpid() || (kill(*process, 0) != 0 && errno == ESRCH))
            unlink(entry.path().c_str());
    }
}

}  // namespace

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

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

WriteOutcome ReplaceSettingsFile(const std::string& path, const SettingsBytes& bytes,
                                 std::string& why) {
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
    RemoveLeftovers(path);
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
    return WriteOutcome::Written;
}
