#include "controls/win/keyboard_silence.h"

namespace {

// A key message that is taken from the queue, or only looked at, goes no further.
LRESULT CALLBACK SwallowKey(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION || code == HC_NOREMOVE)
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

KeyboardSilence::KeyboardSilence()
    : hook_(SetWindowsHookExW(WH_KEYBOARD, SwallowKey, nullptr, GetCurrentThreadId())) {}
