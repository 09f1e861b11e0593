#include "e2e/support/key_press.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <vector>

extern char** environ;

namespace e2e {
namespace {

// Runs xdotool with `arguments`; true when it ended successfully within `timeout`.
bool RunXdotool(std::vector<std::string> arguments, Milliseconds timeout) {
    std::string program = "xdotool";
    std::vector<char*> argv = {program.data()};
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return false;

    int status = 0;
    const bool ended = WaitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, timeout);
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

bool PressKey(const std::string& keysym, Milliseconds timeout) {
    // Held down the way a finger holds it. DirectInput's keyboard reports which keys are down
    // when it is polled, every 10 ms in the key capture: a press and release sent back to back
    // can both pass between two polls and never be seen.
    return RunXdotool({"keydown", keysym, "sleep", "0.15", "keyup", keysym}, timeout);
}

bool ClickPointerAt(int x, int y, Milliseconds timeout) {
    return RunXdotool({"mousemove", std::to_string(x), std::to_string(y), "click", "1"}, timeout);
}

}  // namespace e2e
