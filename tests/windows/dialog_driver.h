#pragma once
// Driving dialogs of this process from a test on the same thread: the test pumps the thread's
// messages until what it waits for has happened, and message boxes, which run message loops of
// their own, are read and answered as they open.

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// Dispatches this thread's messages, timers among them, until `done` holds or `limit` has
// passed; answers whether it held. Waits for messages in between, never for a fixed time.
bool PumpMessagesUntil(const std::function<bool()>& done,
                       std::chrono::milliseconds limit = std::chrono::seconds(10));

// A message box the test saw.
struct SeenMessageBox {
    std::wstring caption;
    std::wstring text;
};

// Answers every message box this thread opens while the object lives with its default button
// (OK for the boxes with OK, and OK and Cancel), and remembers what each said.
class MessageBoxAnswerer {
  public:
    MessageBoxAnswerer();
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    const std::vector<SeenMessageBox>& Seen() const { return seen_; }
    // Boxes opened from now on are left to the test.
    void Pause() { paused_ = true; }

  private:
    static LRESULT CALLBACK WatchActivations(int code, WPARAM wParam, LPARAM lParam);

    HHOOK hook_ = nullptr;
    bool paused_ = false;
    std::vector<SeenMessageBox> seen_;
};
