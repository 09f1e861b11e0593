#include "base/win/instance_mutex.h"

namespace {

constexpr const char* kInstanceMutexName = "ConfigAppInstanceMutex";

}  // namespace

std::optional<UniqueHandle> TakeSetupInstanceMutex() {
    UniqueHandle mutex(CreateMutexA(nullptr, TRUE, kInstanceMutexName));
    // No handle at all means the mutex exists where this process may not open it.
    if (!mutex || GetLastError() == ERROR_ALREADY_EXISTS)
        return std::nullopt;
    return mutex;
}

bool SetupToolRunning() {
    const UniqueHandle mutex(CreateMutexA(nullptr, TRUE, kInstanceMutexName));
    const bool running = GetLastError() == ERROR_ALREADY_EXISTS;
    if (mutex && !running)
        ReleaseMutex(mutex.Get());
    return running;
}
