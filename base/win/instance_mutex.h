#pragma once
// The named mutex "ConfigAppInstanceMutex": every setup process holds it for its whole life, so
// that only one runs at a time and the launcher can tell that one is running.

#include <optional>

#include "base/win/unique_handle.h"

// Takes the mutex for this setup process. Nothing when another setup process holds it already:
// this one then ends silently.
std::optional<UniqueHandle> TakeSetupInstanceMutex();

// Whether a setup process is running: the mutex exists, whether or not this process may open it.
// The test holds the mutex only for that moment and leaves none behind when no setup process runs.
bool SetupToolRunning();
