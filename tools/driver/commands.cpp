#include "tools/driver/commands.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "tools/driver/actions.h"
#include "tools/driver/capture.h"
#include "tools/driver/registry.h"
#include "tools/driver/tooltip_reading.h"
#include "tools/driver/waiting.h"
#include "tools/driver/window_queries.h"

namespace {

constexpr std::int64_t kDefaultTimeout = 10000;
constexpr std::int64_t kLongestTimeout = 600000;

std::string Number(std::int64_t value) {
    return std::to_string(value);
}

// An optional trailing time limit in milliseconds.
DWORD Timeout(Arguments& arguments, std::size_t index) {
    const std::int64_t value = arguments.Integer(index, kDefaultTimeout);
    if (value < 0 || value > kLongestTimeout)
        arguments.Fail(index, "is not a usable time limit");
    return static_cast<DWORD>(std::clamp<std::int64_t>(value, 0, kLongestTimeout));
}

HWND ExistingWindow(Arguments& arguments, std::size_t index) {
    HWND window = arguments.Window(index);
    if (window != nullptr && !IsWindow(window))
        arguments.Fail(index, "names no window");
    return window;
}

int ControlId(Arguments& arguments, std::size_t index) {
    return static_cast<int>(arguments.Integer(index));
}

HKEY Root(Arguments& arguments, std::size_t index) {
    HKEY root = RegistryRoot(arguments.Text(index));
    if (root == nullptr)
        arguments.Fail(index, "is not HKLM or HKCU");
    return root;
}

Answer RegistryFailure(LONG result) {
    return Answer::Failure("registry error " + Number(result));
}

void AddWindow(Answer& answer, HWND window) {
    const WindowRecord record = DescribeWindow(window);
    answer.Record("window", {HandleText(record.handle), Number(record.processId),
                             Utf8FromWide(record.className), Utf8FromWide(record.title)});
}

Answer FromOutcome(const ActionResult& result) {
    switch (result.outcome) {
        case Outcome::Finished:
            return Answer().Record("outcome", {"finished", Number(result.result)});
        case Outcome::MessageBox:
            return Answer().Record("outcome", {"message-box", HandleText(result.messageBox)});
        case Outcome::Gone:
            return Answer().Record("outcome", {"gone"});
        case Outcome::TimedOut:
            return Answer().Record("outcome", {"timeout"});
        case Outcome::Refused:
            break;
    }
    return Answer::Failure(result.refusal);
}

Answer FindWindowCommand(Arguments& arguments) {
    const std::wstring title = WideFromUtf8(arguments.Text(0));
    const DWORD timeout = Timeout(arguments, 1);
    const auto processId = static_cast<DWORD>(arguments.Integer(2, 0));
    if (arguments.Failed())
        return Answer::Failure(arguments.Error());
    HWND found = nullptr;
    WaitFor(timeout, [&] {
        for (HWND window : VisibleTopLevelWindows()) {
            const WindowRecord record = DescribeWindow(window);
            if (record.title == title && (processId == 0 || record.processId == processId)) {
                found = window;
                return true;
            }
        }
        return false;
    });
    if (found == nullptr)
        return Answer::Failure("no window titled \"" + arguments.Text(0) + "\"");
    Answer answer;
    AddWindow(answer, found);
    return answer;
}

// Waits for the first moment the player sees a window painted: visible, with its title, and
// the colour its program paints at one point of its client area on the screen. Asked often, for
// the start-up benchmark, and without making the window paint.
Answer WaitPaintedCommand(Arguments& arguments) {
    const std::wstring title = WideFromUtf8(arguments.Text(0));
    const auto x = static_cast<int>(arguments.Integer(1));
    const auto y = static_cast<int>(arguments.Integer(2));
    BYTE colour[3] = {};  // red, green, blue
    for (std::size_t index = 0; index < 3; ++index) {
        const std::int64_t value = arguments.Integer(3 + index);
        if (value < 0 || value > 255)
            arguments.Fail(3 + index, "is not a colour value from 0 to 255");
        colour[index] = static_cast<BYTE>(value);
    }
    const DWORD timeout = Timeout(arguments, 6);
    if (arguments.Failed())
        return Answer::Failure(arguments.Error());
    const COLORREF wanted = RGB(colour[0], colour[1], colour[2]);
    constexpr DWORD kPaintPollInterval = 5;
    HWND found = nullptr;
    WaitFor(
        timeout,
        [&] {
            for (HWND window : VisibleTopLevelWindows()) {
                if (DescribeWindow(window).title == title && ScreenPixel(window, x, y) == wanted) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        kPaintPollInterval);
    if (found == nullptr)
        return Answer::Failure("no window titled \"" + arguments.Text(0) + "\" painted so");
    Answer answer;
    AddWindow(answer, found);
    return answer;
}

Answer ListWindowsCommand(Arguments&) {
    Answer answer;
    for (HWND window : VisibleTopLevelWindows())
        AddWindow(answer, window);
    return answer;
}

Answer WaitGoneCommand(Arguments& arguments) {
    HWND window = arguments.Window(0);
    const DWORD timeout = Timeout(arguments, 1);
    if (arguments.Failed())
        return Answer::Failure(arguments.Error());
    if (!WaitFor(timeout, [window] { return !IsWindow(window); })) {
        return Answer::Failure("the window is still there");
    }
    return {};
}

Answer ControlsCommand(Arguments& arguments) {
    HWND window = ExistingWindow(arguments, 0);
    if (arguments.Failed())
        return Answer::Failure(arguments.Error());
    Answer answer;
    for (HWND child : ChildWindows(window)) {
        const ControlRecord control = DescribeControl(child);
        answer.Record(
            "control",
            {HandleText(control.handle), Number(control.id), Utf8FromWide(control.className),
             Number(control.enabled), Number(control.visible), Number(control.check),
             Number(control.pushed), Number(control.selection), Number(control.area.left),
             Number(control.area.top), Number(control.area.right - control.area.left),
             Number(control.area.bottom - control.area.top), Utf8FromWide(control.text)});
        for (std::size_t index = 0; index < control.items.size(); ++index) {
            answer.Record("item", {Number(static_cast<std::int64_t>(index)),
                                   Utf8FromWide(control.items[index])});
        }
    }
    return answer;
}

Answer TextCommand(Arguments& arguments) {
    HWND window = ExistingWindow(arguments, 0);
    if (arguments.Failed())
        return Answer::Failure(arguments.Error());
    // A control answers WM_GETTEXT with what it shows; a top-level window's title is read
    // without a message, so that a window busy in a handler still has one.
    const bool child = (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0;
    const std::wstring text = child ? ControlText(window) : DescribeWindow(window).title;
    return Answer().Record("text", {Utf8FromWide(text)});
}

Answer TooltipCommand(Arguments& arguments) {
    HWND dialog = ExistingWindow(arguments, 0);
    const int id = ControlId(arguments, 1);
    if (arguments.Failed())
        return Answer::Failure(arguments.Error());
    HWND control = FindControl(dialog, id);
    if (control == nullptr)
        return Answer::Failure("the window has no control " + Number(id));
    const std::optional<std::wstring> text = TooltipText(dialog, control);
    if (!text)
        return Answer::Failure("control " + Number(id) + " has no tooltip");
    return Answer().Record("text", {Utf8FromWide(*text)});
}

Answer ClientSizeCommand(Arguments& arguments) {
    HWND window = ExistingWindow(arguments, 0);
    if (arguments.Failed())
        return Answer::Failure(arguments.Error());
    RECT client{};
    GetClientRect(window, &client);
    return Answer().Record("size", {Number(client.right), Number(client.bottom)});
}

Answer ClientOriginCommand(Arguments& arguments) {
    HWND window = ExistingWindow(arguments, 0);
    if (arguments.Failed())
        return Answer::Failure(arguments.Error());
    POINT origin = {};
    if (!ClientToScreen(window, &origin))
        return Answer::Failure("the window has no place on the screen");
    return Answer().Record("point", {Number(origin.x), Number(origin.y)});
}

Answer Select(Arguments& arguments, bool evenIfHidden) {
    HWND dialog = ExistingWindow(arguments, 0);
    const int id = ControlId(arguments, 1);
    const auto index = static_cast<int>(arguments.Integer(2));
    const DWORD timeout = Timeout(arguments, 3);
    if (arguments.Failed())
        return Answer::Failure(arguments.Error());
    return FromOutcome(SelectComboItem(dialog, id, index, timeout, evenIfHidden));
}

Answer SelectCommand(Arguments& arguments) {
    return Select(arguments, false);
}
Answer SelectHiddenCommand(Arguments& arguments) {
    return Select(arguments, true);
}

Answer ClickCommand(Arguments& arguments) {
    HWND dialog = ExistingWindow(arguments, 0);
    const int id = ControlId(arguments, 1);
    const DWORD timeout = Timeout(arguments, 2);
    if (arguments.Failed())
        return Answer::Failure(arguments.Error());
    return FromOutcome(ClickButton(dialog, id, timeout));
}

Answer PushCommand(Arguments& arguments) {
    HWND dialog = ExistingWindow(arguments, 0);
    const int id = ControlId(arguments, 1);
    const std::int64_t pushed = arguments.Integer(2);
    if (pushed != 0 && pushed != 1)
        arguments.Fail(2, "is not 0 or 1");
    if (arguments.Failed())
        return Answer::Failure(arguments.Error());
    const ActionResult result = SetButtonPushed(dialog, id, pushed == 1);
    return result.outcome == Outcome::Finished ? Answer() : Answer::Failure(result.refusal);
}

Answer SetCheckCommand(Arguments& arguments) {
    HWND dialog = ExistingWindow(arguments, 0);
    const int id = ControlId(arguments, 1);
    const std::int64_t state = arguments.Integer(2);
    if (state < BST_UNCHECKED || state > BST_INDETERMINATE)
        arguments.Fail(2, "is not 0, 1 or 2");
    const DWORD timeout = Timeout(arguments, 3);
    if (arguments.Failed())
        return Answer::Failure(arguments.Error());
    return FromOutcome(SetButtonCheck(dialog, id, static_cast<int>(state), timeout));
}

Answer CloseCommand(Arguments& arguments) {
    HWND window = ExistingWindow(arguments, 0);
    const DWORD timeout = Timeout(arguments, 1);
    if (arguments.Failed())
        return Answer::Failure(arguments.Error());
    return FromOutcome(CloseWindow(window, timeout));
}

Answer RedrawCommand(Arguments& arguments) {
    HWND window = ExistingWindow(arguments, 0);
    const DWORD timeout = Timeout(arguments, 1);
    if (arguments.Failed())
        return Answer::Failure(arguments.Error());
    return FromOutcome(RedrawNow(window, timeout));
}

Answer PostCommandCommand(Arguments& arguments) {
    HWND window = ExistingWindow(arguments, 0);
    const int id = ControlId(arguments, 1);
    if (arguments.Failed())
        return Answer::Failure(arguments.Error());
    if (!PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0)) {
        return Answer::Failure("the message could not be posted");
    }
    return {};
}

// Brings a window to the foreground, where the keyboard's input goes, so that key presses sent to
// the display reach it. Without a window manager the X input focus can be left on the root window
// (when the window that had it went away) while Windows already counts this window as the
// foreground one; X then gives key presses to the window under the pointer. So the pointer is put
// on the window's top edge too, where it shows no control's tooltip.
Answer ActivateCommand(Arguments& arguments) {
    HWND window = ExistingWindow(arguments, 0);
    const DWORD timeout = Timeout(arguments, 1);
    if (arguments.Failed())
        return Answer::Failure(arguments.Error());
    RECT frame = {};
    if (GetWindowRect(window, &frame))
        SetCursorPos((frame.left + frame.right) / 2, frame.top + 2);
    SetForegroundWindow(window);
    if (!WaitFor(timeout, [window] { return GetForegroundWindow() == window; }))
        return Answer::Failure("the window did not come to the foreground");
    return {};
}

Answer FindMessageBoxCommand(Arguments& arguments) {
    const auto processId = static_cast<DWORD>(arguments.Integer(0, 0));
    const DWORD timeout = Timeout(arguments, 1);
    if (arguments.Failed())
        return Answer::Failure(arguments.Error());
    HWND box = nullptr;
    WaitFor(timeout, [&] {
        const std::vector<HWND> boxes = MessageBoxes(processId);
        box = boxes.empty() ? nullptr : boxes.front();
        return box != nullptr;
    });
    if (box == nullptr)
        return Answer::Failure("no message box");
    Answer answer;
    AddWindow(answer, box);
    answer.Record("text", {Utf8FromWide(MessageBoxText(box))});
    for (HWND child : ChildWindows(box)) {
        if (!IsWindowVisible(child) || !HasClass(child, L"Button"))
            continue;
        answer.Record("button", {Number(GetDlgCtrlID(child)), Utf8FromWide(ControlText(child))});
    }
    return answer;
}

Answer AnswerCommand(Arguments& arguments) {
    HWND box = ExistingWindow(arguments, 0);
    const int id = ControlId(arguments, 1);
    const DWORD timeout = Timeout(arguments, 2);
    if (arguments.Failed())
        return Answer::Failure(arguments.Error());
    return FromOutcome(AnswerMessageBox(box, id, timeout));
}

Answer ScreenshotCommand(Arguments& arguments) {
    HWND window = ExistingWindow(arguments, 0);
    const std::wstring path = WideFromUtf8(arguments.Text(1));
    if (arguments.Failed())
        return Answer::Failure(arguments.Error());
    const std::optional<ClientPicture> picture = CaptureClient(window);
    if (!picture)
        return Answer::Failure("the client area cannot be captured");
    if (!SaveBmp(*picture, path))
        return Answer::Failure("cannot write " + arguments.Text(1));
    return Answer().Record("size", {Number(picture->width), Number(picture->height)});
}

Answer PixelCommand(Arguments& arguments) {
    HWND window = ExistingWindow(arguments, 0);
    const auto x = static_cast<int>(arguments.Integer(1));
    const auto y = static_cast<int>(arguments.Integer(2));
    if (arguments.Failed())
        return Answer::Failure(arguments.Error());
    RECT client{};
    GetClientRect(window, &client);
    if (x < 0 || y < 0 || x >= client.right || y >= client.bottom) {
        return Answer::Failure("the point is outside the client area");
    }
    const std::optional<ClientPicture> picture = CaptureClient(window, x, y, 1, 1);
    if (!picture)
        return Answer::Failure("the client area cannot be captured");
    const std::vector<std::uint8_t>& bgr = picture->rows;
    return Answer().Record("pixel", {Number(bgr[2]), Number(bgr[1]), Number(bgr[0])});
}

Answer SystemColourCommand(Arguments& arguments) {
    const std::int64_t index = arguments.Integer(0);
    if (index < 0 || index > COLOR_MENUBAR)
        arguments.Fail(0, "is not a system colour index");
    if (arguments.Failed())
        return Answer::Failure(arguments.Error());
    const COLORREF colour = GetSysColor(static_cast<int>(index));
    return Answer().Record(
        "pixel", {Number(GetRValue(colour)), Number(GetGValue(colour)), Number(GetBValue(colour))});
}

Answer RegSetCommand(Arguments& arguments) {
    HKEY root = Root(arguments, 0);
    const std::wstring path = WideFromUtf8(arguments.Text(1));
    const std::string name = AnsiFromUtf8(arguments.Text(2));
    const std::string text = AnsiFromUtf8(arguments.Text(3));
    auto size = static_cast<DWORD>(text.size() + 1);
    if (arguments.Has(4)) {
        const std::string length = arguments.Text(4);
        if (length == "unterminated") {
            size = static_cast<DWORD>(text.size());
        } else if (length != "terminated") {
            const std::int64_t count = arguments.Integer(4);
            if (count < 0 || count > 0xFFFF)
                arguments.Fail(4, "is not a usable byte count");
            size = static_cast<DWORD>(count);
        }
    }
    if (arguments.Failed())
        return Answer::Failure(arguments.Error());
    const LONG result = WriteRegistryText(root, path, name, text, size);
    return result == ERROR_SUCCESS ? Answer() : RegistryFailure(result);
}

Answer RegSetNumberCommand(Arguments& arguments) {
    HKEY root = Root(arguments, 0);
    const std::wstring path = WideFromUtf8(arguments.Text(1));
    const std::string name = AnsiFromUtf8(arguments.Text(2));
    const std::int64_t number = arguments.Integer(3);
    if (number < 0 || number > 0xFFFFFFFF)
        arguments.Fail(3, "is not a 32-bit number");
    if (arguments.Failed())
        return Answer::Failure(arguments.Error());
    const LONG result = WriteRegistryNumber(root, path, name, static_cast<DWORD>(number));
    return result == ERROR_SUCCESS ? Answer() : RegistryFailure(result);
}

Answer RegGetCommand(Arguments& arguments) {
    HKEY root = Root(arguments, 0);
    const std::wstring path = WideFromUtf8(arguments.Text(1));
    const std::string name = AnsiFromUtf8(arguments.Text(2));
    if (arguments.Failed())
        return Answer::Failure(arguments.Error());
    RegistryValue value{};
    const LONG result = ReadRegistryValue(root, path, name, &value);
    if (result != ERROR_SUCCESS)
        return RegistryFailure(result);
    return Answer().Record("value",
                           {Number(value.type), Number(value.size), Utf8FromAnsi(value.text)});
}

Answer RegDeleteValueCommand(Arguments& arguments) {
    HKEY root = Root(arguments, 0);
    const std::wstring path = WideFromUtf8(arguments.Text(1));
    const std::string name = AnsiFromUtf8(arguments.Text(2));
    if (arguments.Failed())
        return Answer::Failure(arguments.Error());
    const LONG result = DeleteRegistryValue(root, path, name);
    return result == ERROR_SUCCESS ? Answer() : RegistryFailure(result);
}

Answer RegDeleteKeyCommand(Arguments& arguments) {
    HKEY root = Root(arguments, 0);
    const std::wstring path = WideFromUtf8(arguments.Text(1));
    if (arguments.Failed())
        return Answer::Failure(arguments.Error());
    const LONG result = DeleteRegistryTree(root, path);
    return result == ERROR_SUCCESS ? Answer() : RegistryFailure(result);
}

struct Command {
    std::string_view name;
    std::size_t fewestArguments;
    std::size_t mostArguments;
    Answer (*run)(Arguments&);
    std::string_view usage;
};

constexpr Command kCommands[] = {
    {"find-window", 1, 3, FindWindowCommand, "<title> [timeout-ms] [process-id]"},
    {"wait-painted", 6, 7, WaitPaintedCommand, "<title> <x> <y> <red> <green> <blue> [timeout-ms]"},
    {"list-windows", 0, 0, ListWindowsCommand, ""},
    {"wait-gone", 1, 2, WaitGoneCommand, "<window> [timeout-ms]"},
    {"controls", 1, 1, ControlsCommand, "<window>"},
    {"text", 1, 1, TextCommand, "<window>"},
    {"tooltip", 2, 2, TooltipCommand, "<dialog> <control-id>"},
    {"client-size", 1, 1, ClientSizeCommand, "<window>"},
    {"client-origin", 1, 1, ClientOriginCommand, "<window>"},
    {"select", 3, 4, SelectCommand, "<dialog> <control-id> <index> [timeout-ms]"},
    {"select-hidden", 3, 4, SelectHiddenCommand, "<dialog> <control-id> <index> [timeout-ms]"},
    {"click", 2, 3, ClickCommand, "<dialog> <control-id> [timeout-ms]"},
    {"push", 3, 3, PushCommand, "<dialog> <control-id> <0|1>"},
    {"set-check", 3, 4, SetCheckCommand, "<dialog> <control-id> <0|1|2> [timeout-ms]"},
    {"close", 1, 2, CloseCommand, "<window> [timeout-ms]"},
    {"redraw", 1, 2, RedrawCommand, "<window> [timeout-ms]"},
    {"post-command", 2, 2, PostCommandCommand, "<window> <command-id>"},
    {"activate", 1, 2, ActivateCommand, "<window> [timeout-ms]"},
    {"find-message-box", 0, 2, FindMessageBoxCommand, "[process-id] [timeout-ms]"},
    {"answer", 2, 3, AnswerCommand, "<message-box> <button-id> [timeout-ms]"},
    {"screenshot", 2, 2, ScreenshotCommand, "<window> <bmp-path>"},
    {"pixel", 3, 3, PixelCommand, "<window> <x> <y>"},
    {"reg-set", 4, 5, RegSetCommand,
     "<HKLM|HKCU> <key> <name> <text> [terminated|unterminated|<byte-count>]"},
    {"system-colour", 1, 1, SystemColourCommand, "<COLOR_* index>"},
    {"reg-set-number", 4, 4, RegSetNumberCommand, "<HKLM|HKCU> <key> <name> <number>"},
    {"reg-get", 3, 3, RegGetCommand, "<HKLM|HKCU> <key> <name>"},
    {"reg-delete-value", 3, 3, RegDeleteValueCommand, "<HKLM|HKCU> <key> <name>"},
    {"reg-delete-key", 2, 2, RegDeleteKeyCommand, "<HKLM|HKCU> <key>"},
};

}  // namespace

Answer RunCommand(const std::vector<std::string>& request) {
    if (request.empty() || request.front().empty())
        return Answer::Failure("empty request");
    const auto command = std::find_if(std::begin(kCommands), std::end(kCommands),
                                      [&](const Command& c) { return c.name == request.front(); });
    if (command == std::end(kCommands)) {
        return Answer::Failure("unknown command " + request.front());
    }
    const std::size_t count = request.size() - 1;
    if (count < command->fewestArguments || count > command->mostArguments) {
        return Answer::Failure("usage: " + std::string(command->name) + " " +
                               std::string(command->usage));
    }
    Arguments arguments({request.begin() + 1, request.end()});
    return command->run(arguments);
}

std::string CommandUsage() {
    std::string usage;
    for (const Command& command : kCommands) {
        usage += std::string(command.name) + " " + std::string(command.usage) + "\n";
    }
    return usage;
}
