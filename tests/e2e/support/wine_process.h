#pragma once
// A Windows program running under Wine. Under Wine every Windows process is a Unix process of
// its own, so the program can be watched and ended from Linux; it is killed when the object goes.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "e2e/support/wine_environment.h"

namespace e2e {

struct WineLaunch {
    std::filesystem::path program;  // the .exe, as a Linux path
    std::vector<std::string> arguments;
    std::filesystem::path workingFolder;  // empty: this process's own
    // Receives standard output and error. Never this process's own: the helper processes Wine
    // starts (explorer.exe, services) inherit them and hold them open long after the program has
    // ended, and CTest waits for the test's output to close.
    std::filesystem::path output = "/dev/null";
    std::vector<std::pair<std::string, std::string>> environment;  // added or replaced
    // Standard input and output become pipes to this process; `output` has standard error only.
    bool connectPipes = false;
};

class WineProcess {
  public:
    // Throws std::runtime_error when the program cannot be started.
    WineProcess(const WineEnvironment& wine, const WineLaunch& launch);
    ~WineProcess();
    WineProcess(const WineProcess&) = delete;
    WineProcess& operator=(const WineProcess&) = delete;

    pid_t UnixProcessId() const { return pid_; }
    bool Running();
    // The exit code once the process has ended within `timeout`; 128 + the signal number when a
    // signal ended it.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout);
    void Kill();

    // The pipes of a launch with connectPipes; -1 otherwise, and after CloseInput.
    int InputPipe() const { return input_; }
    int OutputPipe() const { return output_; }
    void CloseInput();

  private:
    // Collects the exit status if the process has ended; waitpid's `options` say whether to wait.
    bool Reap(int options);

    pid_t pid_ = -1;
    std::optional<int> exitCode_;
    int input_ = -1;
    int output_ = -1;
};

}  // namespace e2e
