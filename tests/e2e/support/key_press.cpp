#include "e2e/support/key_press.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace e2e {

bool PressKey(const std::string& keysym, Milliseconds timeout) {
    // Held down the way a finger holds it. DirectInput's keyboard reports which keys are down
    // when it is polled, every 10 ms in the key capture: a press and release sent back to back
    // can both pass between two polls and never be seen.
    std::string program = "xdotool";
    std::string down = "keydown", hold = "sleep", holdSeconds = "0.15", up = "keyup";
    std::string key = keysym;
    std::string sameKey = keysym;
    char* const argv[] = {program.data(),     down.data(), key.data(),     hold.data(),
                          holdSeconds.data(), up.data(),   sameKey.data(), nullptr};
    pid_t pid = -1;
    if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0)
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

}  // namespace e2e
