#include "base/win/startup_log.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace {

using PreciseTimeFunction = void(WINAPI*)(FILETIME*);

struct StartupLog {
    HANDLE file = INVALID_HANDLE_VALUE;
    // The precise clock exists from Windows 8 on; before, the coarse one must do.
    PreciseTimeFunction now = GetSystemTimeAsFileTime;
};

StartupLog OpenStartupLog() {
    StartupLog log;
    char path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("TAVRIN_STARTUP_LOG", path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return log;
    log.file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    const FARPROC precise =
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetSystemTimePreciseAsFileTime");
    if (precise != nullptr)
        log.now = reinterpret_cast<PreciseTimeFunction>(reinterpret_cast<void (*)()>(precise));
    return log;
}

// Opened at the first step; the handle stays open until the process ends.
const StartupLog& Log() {
    static const StartupLog log = OpenStartupLog();
    return log;
}

bool Logging() {
    return Log().file != INVALID_HANDLE_VALUE;
}

// Microseconds since 1970; FILETIME counts 100-nanosecond ticks since 1601.
std::int64_t Now() {
    FILETIME time;
    Log().now(&time);
    const std::int64_t ticks =
        static_cast<std::int64_t>((std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime);
    return ticks / 10 - 11'644'473'600'000'000;
}

void Write(std::int64_t start, std::int64_t end, const char* name) {
    char line[160];
    const int length =
        std::snprintf(line, sizeof line, "%lld %lld %s\n", static_cast<long long>(start),
                      static_cast<long long>(end), name);
    if (length <= 0)
        return;
    DWORD written = 0;
    // snprintf answers the length it wanted: a cut line is written as far as it went.
    const int kept = std::min(length, static_cast<int>(sizeof line) - 1);
    WriteFile(Log().file, line, static_cast<DWORD>(kept), &written, nullptr);
}

}  // namespace

StartupStep::StartupStep(const char* name) : name_(name), start_(Logging() ? Now() : 0) {}

StartupStep::~StartupStep() {
    if (Logging())
        Write(start_, Now(), name_);
}

void StartupMark(const char* name) {
    if (!Logging())
        return;
    const std::int64_t now = Now();
    Write(now, now, name);
}
