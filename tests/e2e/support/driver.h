#pragma once
// The tests' side of driver.exe: one `driver.exe --serve` under Wine for the life of the object,
// and a typed call for each of its commands (tools/driver/README.md). A command the driver
// cannot carry out gives nullopt, false or ActionOutcome::Failed, with its reason in
// LastError(); a driver that stops answering throws std::runtime_error.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "e2e/support/picture.h"
#include "e2e/support/wait_until.h"
#include "e2e/support/wine_environment.h"
#include "e2e/support/wine_process.h"

namespace e2e {

using WindowHandle = std::uint64_t;
std::string HandleText(WindowHandle window);

struct WindowInfo {
    WindowHandle handle = 0;
    std::uint32_t processId = 0;  // the Windows process id, not the Unix one
    std::string className;
    std::string title;
};

// A rectangle in client pixels.
struct PixelArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct ControlInfo {
    WindowHandle handle = 0;
    int id = 0;
    std::string className;
    bool enabled = false;
    bool visible = false;
    int check = -1;  // BM_GETCHECK of a button, -1 for other controls
    bool pushed = false;
    int selection = -1;  // a combo box's selected item, -1 for none and for other controls
    PixelArea area;      // in the dialog's client area
    std::string text;
    std::vector<std::string> items;  // a combo box's items
};

struct MessageBoxButton {
    int id = 0;  // IDOK 1, IDCANCEL 2, IDYES 6, IDNO 7...
    std::string text;
};

struct MessageBoxInfo {
    WindowInfo window;  // the caption is window.title
    std::string text;
    std::vector<MessageBoxButton> buttons;
};

struct PixelSize {
    int width = 0;
    int height = 0;
};

// A point on the screen, in the pixels of the X display the programs run on.
struct ScreenPoint {
    int x = 0;
    int y = 0;
};

enum class ActionOutcome {
    Finished,    // the target's handler returned
    MessageBox,  // a message box appeared while it ran
    Gone,        // the window was destroyed first
    TimedOut,
    Failed,  // refused (a disabled control, a missing item) or not carried out
};
std::ostream& operator<<(std::ostream& out, ActionOutcome outcome);

struct ActionResult {
    ActionOutcome outcome = ActionOutcome::Failed;
    std::int64_t handlerResult = 0;  // when Finished
    WindowHandle messageBox = 0;     // when MessageBox
    std::string error;               // when Failed
};

enum class RegistryRoot { LocalMachine, CurrentUser };

// How many bytes a REG_SZ value written by the driver stores.
struct StoredSize {
    static StoredSize Terminated() { return {"terminated"}; }
    static StoredSize Unterminated() { return {"unterminated"}; }
    static StoredSize Bytes(std::uint32_t count) { return {std::to_string(count)}; }
    std::string argument;
};

struct RegistryText {
    std::uint32_t type = 0;  // REG_SZ is 1
    std::uint32_t size = 0;  // bytes as RegQueryValueExA counts them
    std::string text;        // up to the first zero byte
};

// One answer of the driver: its status and its records, each split into fields.
struct DriverAnswer {
    bool ok = false;
    std::string error;
    std::vector<std::vector<std::string>> records;
};

class Driver {
  public:
    // Starts the driver; throws std::runtime_error when it cannot be started.
    explicit Driver(const WineEnvironment& wine);
    ~Driver();
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    // Sends one request and reads its answer; `timeout` is what the command itself may take.
    DriverAnswer Call(const std::vector<std::string>& request, Milliseconds timeout = {});
    const std::string& LastError() const { return lastError_; }

    // Windows.
    std::optional<WindowInfo> FindWindow(const std::string& title,
                                         Milliseconds timeout = kGenerousWait,
                                         std::uint32_t processId = 0);
    std::vector<WindowInfo> TopLevelWindows();
    bool WaitGone(WindowHandle window, Milliseconds timeout = kGenerousWait);
    std::optional<std::string> WindowText(WindowHandle window);
    // What the dialog's tooltip says for its control `id`.
    std::optional<std::string> Tooltip(WindowHandle dialog, int id);
    std::optional<PixelSize> ClientSize(WindowHandle window);
    // Where the window's client area starts on the screen; for a control, its own client area.
    std::optional<ScreenPoint> ClientOrigin(WindowHandle window);

    // Controls of a dialog, in template order.
    std::vector<ControlInfo> Controls(WindowHandle dialog);
    std::optional<ControlInfo> Control(WindowHandle dialog, int id);

    // What a user does.
    ActionResult SelectComboItem(WindowHandle dialog, int id, int index,
                                 Milliseconds timeout = kGenerousWait);
    // The same for a combo box its program keeps hidden (the launcher's language list).
    ActionResult SelectHiddenComboItem(WindowHandle dialog, int id, int index,
                                       Milliseconds timeout = kGenerousWait);
    ActionResult Click(WindowHandle dialog, int id, Milliseconds timeout = kGenerousWait);
    ActionResult SetCheck(WindowHandle dialog, int id, int state,
                          Milliseconds timeout = kGenerousWait);
    bool SetPushed(WindowHandle dialog, int id, bool pushed);
    ActionResult Close(WindowHandle window, Milliseconds timeout = kGenerousWait);
    // Has the whole window repainted at once; true when its paint handler has returned.
    bool Redraw(WindowHandle window, Milliseconds timeout = kGenerousWait);
    bool PostCommand(WindowHandle window, int id);
    // Brings the window to the foreground: key presses sent to the display then reach it. Without
    // a window manager nothing else decides where the keyboard's input goes.
    bool Activate(WindowHandle window, Milliseconds timeout = kGenerousWait);

    // Message boxes of one Windows process, or of any for process id 0.
    std::optional<MessageBoxInfo> FindMessageBox(std::uint32_t processId = 0,
                                                 Milliseconds timeout = kGenerousWait);
    ActionResult AnswerMessageBox(WindowHandle box, int buttonId,
                                  Milliseconds timeout = kGenerousWait);

    // Pictures of the client area as it shows on the screen.
    std::optional<PixelSize> SaveClientArea(WindowHandle window, const std::filesystem::path& bmp);
    std::optional<Colour> ClientPixel(WindowHandle window, int x, int y);
    // GetSysColor of a COLOR_* index: the colours the system paints with (COLOR_3DFACE 15, the
    // plain dialog background).
    std::optional<Colour> SystemColour(int index);
    // The first visible window titled `title` whose client pixel (x, y) the screen shows in
    // `colour`, waiting for it without making any window paint.
    std::optional<WindowInfo> WaitPainted(const std::string& title, int x, int y, Colour colour,
                                          Milliseconds timeout = kGenerousWait);

    // The 32-bit view of the registry, which the programs read.
    bool SetRegistryText(RegistryRoot root, const std::string& key, const std::string& name,
                         const std::string& text,
                         const StoredSize& size = StoredSize::Terminated());
    // A REG_DWORD value; ReadRegistryValue gives it back as its number in decimal.
    bool SetRegistryNumber(RegistryRoot root, const std::string& key, const std::string& name,
                           std::uint32_t number);
    std::optional<RegistryText> ReadRegistryValue(RegistryRoot root, const std::string& key,
                                                  const std::string& name);
    bool DeleteRegistryValue(RegistryRoot root, const std::string& key, const std::string& name);
    bool DeleteRegistryKey(RegistryRoot root, const std::string& key);

  private:
    // Calls and keeps the reason of a failure in lastError_.
    std::optional<DriverAnswer> Ask(const std::vector<std::string>& request,
                                    Milliseconds timeout = {});
    ActionResult Act(const std::vector<std::string>& request, Milliseconds timeout);
    std::string ReadLine(std::chrono::steady_clock::time_point deadline);
    // The driver has stopped answering: throws, with what it wrote to its log.
    [[noreturn]] void Stopped(const std::string& what) const;

    std::filesystem::path log_;  // the driver's standard error, removed with the object
    WineProcess process_;
    std::string received_;
    std::string lastError_;
};

}  // namespace e2e
