#include "e2e/support/key_press.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

extern char** environ;

namespace e2e {
namespace {

// Runs `program` with `arguments`; true when it ended successfully within `timeout`.
bool Run(std::string program, std::vector<std::string> arguments, Milliseconds timeout) {
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

bool RunXdotool(std::vector<std::string> arguments, Milliseconds timeout) {
    return Run("xdotool", std::move(arguments), timeout);
}

// The layout setxkbmap reports for the display ("us"; "us,de" for two), or nothing.
std::optional<std::string> CurrentKeyboardLayout() {
    const std::unique_ptr<FILE, int (*)(FILE*)> query(popen("setxkbmap -query", "r"), pclose);
    if (!query)
        return std::nullopt;
    char line[256];
    while (std::fgets(line, sizeof line, query.get()) != nullptr) {
        std::string text(line);
        if (text.rfind("layout:", 0) != 0)
            continue;
        const std::size_t start = text.find_first_not_of(" \t", 7);
        const std::size_t end = text.find_last_not_of(" \t\r\n");
        if (start == std::string::npos || end < start)
            return std::nullopt;
        return text.substr(start, end - start + 1);
    }
    return std::nullopt;
}

}  // namespace

bool PressKey(const std::string& keysym, Milliseconds timeout) {
    // Held down the way a finger holds it. DirectInput's keyboard reports which keys are down
    // when it is polled, every 10 ms in the key capture: a press and release sent back to back
    // can both pass between two polls and never be seen.
    return RunXdotool({"keydown", keysym, "sleep", "0.15", "keyup", keysym}, timeout);
}

bool HoldKey(const std::string& keysym, Milliseconds hold) {
    const std::string seconds = std::to_string(static_cast<double>(hold.count()) / 1000.0);
    return RunXdotool({"keydown", keysym, "sleep", seconds, "keyup", keysym}, kGenerousWait + hold);
}

bool KeyDown(const std::string& keysym) {
    return RunXdotool({"keydown", keysym}, kGenerousWait);
}

bool KeyUp(const std::string& keysym) {
    return RunXdotool({"keyup", keysym}, kGenerousWait);
}

bool ClickPointerAt(int x, int y, Milliseconds timeout) {
    return RunXdotool({"mousemove", std::to_string(x), std::to_string(y), "click", "1"}, timeout);
}

KeyboardLayoutForTest::KeyboardLayoutForTest(const std::string& layout)
    : before_(CurrentKeyboardLayout()) {
    set_ =
        before_ && Run("setxkbmap", {layout}, kGenerousWait) && CurrentKeyboardLayout() == layout;
}

KeyboardLayoutForTest::~KeyboardLayoutForTest() {
    if (before_)
        Run("setxkbmap", {*before_}, kGenerousWait);
}

}  // namespace e2e
