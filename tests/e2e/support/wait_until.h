#pragma once
// Waiting for a condition with a generous limit instead of sleeping for a fixed time.

#include <chrono>
#include <thread>

namespace e2e {

using Milliseconds = std::chrono::milliseconds;

// What the tests allow a Wine program for anything that should take a moment: programs start,
// paint and end much faster, but a loaded machine must not fail the tests.
inline constexpr Milliseconds kGenerousWait{20000};

// Asks `condition` every `interval` until it holds or `timeout` has passed; true when it held.
template <typename Condition>
bool WaitUntil(Condition condition, Milliseconds timeout = kGenerousWait,
               Milliseconds interval = Milliseconds{20}) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(interval);
    }
}

}  // namespace e2e
