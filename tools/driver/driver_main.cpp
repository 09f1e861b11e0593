// driver.exe: the hands of the end-to-end tests. It finds, reads and operates the windows of the
// programs under test, takes pictures of them and prepares registry values; see README.md.

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "tools/driver/commands.h"
#include "tools/driver/protocol.h"

namespace {

bool Write(HANDLE output, const std::string& text) {
    DWORD written = 0;
    return WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

// The arguments from the wide command line, so that a title keeps its accents whatever the
// ANSI code page.
std::vector<std::string> CommandLineArguments() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr)
        return {};
    std::vector<std::string> result;
    for (int i = 1; i < count; ++i)
        result.push_back(Utf8FromWide(arguments[i]));
    LocalFree(arguments);
    return result;
}

// One request per line on standard input, each answer followed by a line ".", until the input
// ends.
int Serve(HANDLE input, HANDLE output) {
    std::string pending;
    char chunk[4096];
    for (;;) {
        std::size_t end;
        while ((end = pending.find('\n')) != std::string::npos) {
            std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.empty())
                continue;
            if (!Write(output, RunCommand(SplitFields(line)).Text() + ".\n"))
                return 1;
        }
        DWORD read = 0;
        if (!ReadFile(input, chunk, sizeof chunk, &read, nullptr) || read == 0)
            return 0;
        pending.append(chunk, read);
    }
}

// Windows of a program of another DPI awareness than the driver's are seen scaled to the
// driver's own DPI, in coordinates and pictures alike, unless the driver is per-monitor aware: it
// then sees every window in the screen's own pixels, as the player does. The function exists from
// Windows 10 1607 on; the driver declares no manifest, so that the call decides.
void SeeWindowsInScreenPixels() {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const auto set = reinterpret_cast<SetContext>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
    if (set == nullptr)
        return;
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, or the first per-monitor awareness where that
    // is not known.
    if (!set(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4))))
        set(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3)));
}

}  // namespace

int main() {
    SeeWindowsInScreenPixels();
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    const std::vector<std::string> arguments = CommandLineArguments();
    if (arguments.empty()) {
        Write(output,
              "usage: driver.exe --serve | driver.exe <command> <arguments>...\n" + CommandUsage());
        return 1;
    }
    if (arguments.front() == "--serve")
        return Serve(GetStdHandle(STD_INPUT_HANDLE), output);
    const Answer answer = RunCommand(arguments);
    Write(output, answer.Text());
    return answer.Succeeded() ? 0 : 1;
}
