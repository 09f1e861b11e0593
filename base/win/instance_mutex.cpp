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
    const DWORD error = GetLastError();
    // A setup process started elevated ("Run as administrator") holds a mutex that an unelevated
    // launcher may not open: it runs all the same.
    if (!mutex)
        return error == ERROR_ACCESS_DENIED;
    const bool running = error == ERROR_ALREADY_EXISTS;
    if (!running)
        ReleaseMutex(mutex.Get());
    return running;
}
