#include "dialog_driver.h"

#include "failing_allocations.h"

namespace {

// The answerer of this thread; the hook procedure has no context of its own.
thread_local MessageBoxAnswerer* answerer = nullptr;

// A message box is a dialog whose text is the static control 0xFFFF.
constexpr int kMessageBoxTextId = 0xFFFF;

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool IsMessageBox(HWND window) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return std::wstring(className) == L"#32770" && GetDlgItem(window, kMessageBoxTextId) != nullptr;
}

}  // namespace

bool PumpMessagesUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return false;
        MSG message;
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
            continue;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left.count()), QS_ALLINPUT);
    }
    return true;
}

MessageBoxAnswerer::MessageBoxAnswerer() {
    answerer = this;
    hook_ = SetWindowsHookExW(WH_CBT, WatchActivations, nullptr, GetCurrentThreadId());
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    if (hook_ != nullptr)
        UnhookWindowsHookEx(hook_);
    answerer = nullptr;
}

LRESULT CALLBACK MessageBoxAnswerer::WatchActivations(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && answerer != nullptr && !answerer->paused_) {
        const auto window = reinterpret_cast<HWND>(wParam);
        if (IsMessageBox(window)) {
            // Also for a box that says memory has run out.
            const AllocationsResumed resumed;
            answerer->seen_.push_back(
                {TextOf(window), TextOf(GetDlgItem(window, kMessageBoxTextId))});
            // Taken once the box's own loop runs, as a press of its default button would be.
            PostMessageW(window, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(answerer != nullptr ? answerer->hook_ : nullptr, code, wParam, lParam);
}
