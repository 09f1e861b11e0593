#include "e2e/support/wine_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "e2e/support/wait_until.h"

extern char** environ;

namespace e2e {

namespace {

// This process's environment with the launch's variables added or replaced.
std::vector<std::string> ChildEnvironment(const WineLaunch& launch) {
    std::vector<std::string> variables;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string variable = *entry;
        const std::string name = variable.substr(0, variable.find('='));
        const bool replaced = std::any_of(launch.environment.begin(), launch.environment.end(),
                                          [&](const auto& added) { return added.first == name; });
        if (!replaced)
            variables.push_back(variable);
    }
    for (const auto& [name, value] : launch.environment)
        variables.push_back(name + "=" + value);
    return variables;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// The file actions and attributes of one spawn, released whatever happens.
class SpawnSetup {
  public:
    SpawnSetup() { posix_spawn_file_actions_init(&actions_); }
    ~SpawnSetup() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
    posix_spawn_file_actions_t* Actions() { return &actions_; }

  private:
    posix_spawn_file_actions_t actions_;
};

struct Pipe {
    int read = -1;
    int write = -1;
};

Pipe OpenPipe() {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot create a pipe");
    return {ends[0], ends[1]};
}

void CloseIfOpen(int& descriptor) {
    if (descriptor >= 0)
        close(std::exchange(descriptor, -1));
}

}  // namespace

WineProcess::WineProcess(const WineEnvironment& wine, const WineLaunch& launch) {
    std::vector<std::string> arguments{wine.Wine(), launch.program.string()};
    arguments.insert(arguments.end(), launch.arguments.begin(), launch.arguments.end());
    std::vector<std::string> variables = ChildEnvironment(launch);
    const std::vector<char*> argv = Pointers(arguments);
    const std::vector<char*> envp = Pointers(variables);

    SpawnSetup setup;
    const std::string output = launch.output.string();
    Pipe toChild;
    Pipe fromChild;
    if (launch.connectPipes) {
        toChild = OpenPipe();
        fromChild = OpenPipe();
        posix_spawn_file_actions_adddup2(setup.Actions(), toChild.read, STDIN_FILENO);
        posix_spawn_file_actions_adddup2(setup.Actions(), fromChild.write, STDOUT_FILENO);
    } else {
        posix_spawn_file_actions_addopen(setup.Actions(), STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(setup.Actions(), STDOUT_FILENO, output.c_str(),
                                         O_WRONLY | O_CREAT | O_APPEND, 0644);
    }
    posix_spawn_file_actions_addopen(setup.Actions(), STDERR_FILENO, output.c_str(),
                                     O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (!launch.workingFolder.empty()) {
        posix_spawn_file_actions_addchdir_np(setup.Actions(), launch.workingFolder.c_str());
    }

    const int result =
        posix_spawn(&pid_, argv[0], setup.Actions(), nullptr, argv.data(), envp.data());
    CloseIfOpen(toChild.read);
    CloseIfOpen(fromChild.write);
    input_ = toChild.write;
    output_ = fromChild.read;
    if (result != 0) {
        CloseIfOpen(input_);
        CloseIfOpen(output_);
        throw std::runtime_error("cannot start " + launch.program.string() + ": " +
                                 std::strerror(result));
    }
}

WineProcess::~WineProcess() {
    Kill();
    CloseIfOpen(input_);
    CloseIfOpen(output_);
}

bool WineProcess::Reap(int options) {
    if (exitCode_)
        return true;
    int status = 0;
    if (waitpid(pid_, &status, options) != pid_)
        return false;
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
}

bool WineProcess::Running() {
    return !Reap(WNOHANG);
}

std::optional<int> WineProcess::WaitForExit(std::chrono::milliseconds timeout) {
    WaitUntil([this] { return Reap(WNOHANG); }, timeout);
    return exitCode_;
}

void WineProcess::Kill() {
    if (Reap(WNOHANG))
        return;
    kill(pid_, SIGKILL);
    Reap(0);
}

void WineProcess::CloseInput() {
    CloseIfOpen(input_);
}

}  // namespace e2e
