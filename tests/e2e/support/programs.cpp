#include "e2e/support/programs.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "e2e/support/wait_until.h"

extern char** environ;

namespace e2e {

namespace {

// The command line of a Unix process, its arguments joined by blanks; empty for one that has
// ended meanwhile. Read with the system's calls: the C++ library throws on the error reading a
// vanished process's file gives.
std::string CommandLineOf(const std::filesystem::path& processFolder) {
    std::string text;
    const int file = open((processFolder / "cmdline").c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return text;
    char chunk[4096];
    ssize_t got = 0;
    while ((got = read(file, chunk, sizeof chunk)) > 0)
        text.append(chunk, static_cast<std::size_t>(got));
    close(file);
    std::replace(text.begin(), text.end(), '\0', ' ');
    return text;
}

// Unix processes whose command line names a program in `folder`, by its Linux or its Wine path.
std::vector<std::pair<pid_t, std::string>> ProcessesIn(const std::filesystem::path& folder) {
    std::vector<std::pair<pid_t, std::string>> found;
    if (folder.empty())
        return found;
    const std::string linuxPath = folder.string();
    std::string windowsPath = WindowsPath(folder);
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", ignored)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || !std::all_of(name.begin(), name.end(), ::isdigit))
            continue;
        const std::string command = CommandLineOf(entry.path());
        std::string lowered = command;
        std::string windowsLowered = windowsPath;
        std::transform(lowered.begin(), lowered.end(), lowered.begin(), ::tolower);
        std::transform(windowsLowered.begin(), windowsLowered.end(), windowsLowered.begin(),
                       ::tolower);
        if (command.find(linuxPath) != std::string::npos ||
            lowered.find(windowsLowered) != std::string::npos) {
            found.emplace_back(static_cast<pid_t>(std::stoi(name)), command);
        }
    }
    return found;
}

}  // namespace

Programs::~Programs() {
    started_.clear();  // kills them
    KillWatched();
}

WineProcess& Programs::Start(const std::filesystem::path& program,
                             std::vector<std::string> arguments,
                             std::filesystem::path workingFolder,
                             std::vector<std::pair<std::string, std::string>> environment) {
    WineLaunch launch;
    launch.program = program;
    launch.arguments = std::move(arguments);
    launch.workingFolder = workingFolder.empty() ? program.parent_path() : workingFolder;
    launch.environment = std::move(environment);
    started_.push_back(std::make_unique<WineProcess>(wine_, launch));
    return *started_.back();
}

bool Programs::Running(const std::string& name) const {
    std::string wanted = name;
    std::transform(wanted.begin(), wanted.end(), wanted.begin(), ::tolower);
    for (const auto& [pid, command] : ProcessesIn(watched_)) {
        std::string lowered = command;
        std::transform(lowered.begin(), lowered.end(), lowered.begin(), ::tolower);
        // The whole file name: "config.exe" is not "tavrinconfig.exe".
        for (std::size_t at = lowered.find(wanted); at != std::string::npos;
             at = lowered.find(wanted, at + 1)) {
            if (at > 0 && (lowered[at - 1] == '\\' || lowered[at - 1] == '/'))
                return true;
        }
    }
    return false;
}

void Programs::KillWatched() const {
    for (const auto& [pid, command] : ProcessesIn(watched_))
        kill(pid, SIGKILL);
    WaitUntil([&] { return ProcessesIn(watched_).empty(); });
}

bool ParkMousePointer() {
    std::string program = "xdotool", command = "mousemove", x = "0", y = "0";
    char* const argv[] = {program.data(), command.data(), x.data(), y.data(), nullptr};
    pid_t pid = -1;
    if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0)
        return false;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace e2e
