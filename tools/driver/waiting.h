#pragma once
// Waiting for something another process does. While it waits the driver keeps handling its own
// messages, because the replies to SendMessageCallback arrive as messages.

#include <windows.h>

// Handles the driver's pending messages, waiting at most `milliseconds` for one to arrive.
void PumpMessages(DWORD milliseconds);

// Asks `condition` every `interval` milliseconds until it holds or `timeout` milliseconds have
// passed; true when it held. The interval is short enough to answer promptly and long enough not
// to load the machine.
template <typename Condition>
bool WaitFor(DWORD timeout, Condition condition, DWORD interval = 20) {
    const ULONGLONG deadline = GetTickCount64() + timeout;
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount64() >= deadline)
            return false;
        PumpMessages(interval);
    }
}
