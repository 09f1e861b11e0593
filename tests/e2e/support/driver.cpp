#include "e2e/support/driver.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <sstream>
#include <stdexcept>

#include "e2e/support/files.h"
#include "tools/driver/fields.h"

namespace e2e {

namespace {

// Beyond the time a command itself may take: a loaded machine must not fail a test, a driver
// that stopped answering must not hang one.
constexpr Milliseconds kAnswerMargin{30000};
constexpr Milliseconds kDriverExit{5000};

using Record = std::vector<std::string>;

[[noreturn]] void Broken(const std::string& what) {
    throw std::runtime_error("driver: " + what);
}

const std::string& Field(const Record& record, std::size_t index) {
    if (index >= record.size())
        Broken("a \"" + record.front() + "\" record is too short");
    return record[index];
}

std::int64_t Decimal(const Record& record, std::size_t index) {
    const std::string& text = Field(record, index);
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size())
        Broken("not a number: " + text);
    return value;
}

WindowHandle Handle(const Record& record, std::size_t index) {
    std::string_view text = Field(record, index);
    if (text.starts_with("0x"))
        text.remove_prefix(2);
    WindowHandle value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc{} || end != text.data() + text.size()) {
        Broken("not a window handle: " + record[index]);
    }
    return value;
}

std::string Number(std::int64_t value) {
    return std::to_string(value);
}
std::string Milli(Milliseconds timeout) {
    return Number(timeout.count());
}

const char* RootName(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? "HKLM" : "HKCU";
}

WindowInfo ParseWindow(const Record& record) {
    return {Handle(record, 1), static_cast<std::uint32_t>(Decimal(record, 2)), Field(record, 3),
            Field(record, 4)};
}

// The first record of `kind`, when the answer has one.
const Record* Find(const DriverAnswer& answer, std::string_view kind) {
    for (const Record& record : answer.records) {
        if (record.front() == kind)
            return &record;
    }
    return nullptr;
}

const Record& Expect(const DriverAnswer& answer, std::string_view kind) {
    const Record* record = Find(answer, kind);
    if (record == nullptr)
        Broken("the answer has no \"" + std::string(kind) + "\" record");
    return *record;
}

// The colour of a "pixel" record: red, green and blue.
Colour PixelColour(const DriverAnswer& answer) {
    const Record& pixel = Expect(answer, "pixel");
    return Colour{static_cast<std::uint8_t>(Decimal(pixel, 1)),
                  static_cast<std::uint8_t>(Decimal(pixel, 2)),
                  static_cast<std::uint8_t>(Decimal(pixel, 3))};
}

// A new empty file in the temporary folder.
std::filesystem::path NewLogPath() {
    std::string path = (std::filesystem::temp_directory_path() / "tavrin-driver-XXXXXX").string();
    const int file = mkstemp(path.data());
    if (file < 0)
        Broken("cannot create a log file like " + path);
    close(file);
    return path;
}

}  // namespace

std::string HandleText(WindowHandle window) {
    char text[2 + 16 + 1];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(window));
    return text;
}

std::ostream& operator<<(std::ostream& out, ActionOutcome outcome) {
    switch (outcome) {
        case ActionOutcome::Finished:
            return out << "Finished";
        case ActionOutcome::MessageBox:
            return out << "MessageBox";
        case ActionOutcome::Gone:
            return out << "Gone";
        case ActionOutcome::TimedOut:
            return out << "TimedOut";
        case ActionOutcome::Failed:
            return out << "Failed";
    }
    return out << "ActionOutcome(" << static_cast<int>(outcome) << ")";
}

Driver::Driver(const WineEnvironment& wine)
    : log_(NewLogPath()), process_(wine, [this] {
          WineLaunch launch;
          launch.program = WineEnvironment::DriverProgram();
          launch.arguments = {"--serve"};
          launch.output = log_;
          launch.connectPipes = true;
          return launch;
      }()) {
    // A driver that died must fail the test with a message, not end it with SIGPIPE.
    signal(SIGPIPE, SIG_IGN);
}

Driver::~Driver() {
    // The end of its input ends the driver.
    process_.CloseInput();
    process_.WaitForExit(kDriverExit);
    std::error_code ignored;
    std::filesystem::remove(log_, ignored);
}

void Driver::Stopped(const std::string& what) const {
    const auto log = ReadFileBytes(log_).value_or(std::vector<std::uint8_t>{});
    const std::size_t shown = std::min<std::size_t>(log.size(), 2000);
    Broken(what + "; the driver's log ends: " + std::string(log.end() - shown, log.end()));
}

DriverAnswer Driver::Call(const std::vector<std::string>& request, Milliseconds timeout) {
    const std::string line = JoinFields(request) + "\n";
    for (std::size_t sent = 0; sent < line.size();) {
        const ssize_t written = write(process_.InputPipe(), line.data() + sent, line.size() - sent);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            Stopped("cannot send " + request.front() + ": the driver has ended");
        sent += static_cast<std::size_t>(written);
    }

    const auto deadline = std::chrono::steady_clock::now() + timeout + kAnswerMargin;
    const Record status = SplitFields(ReadLine(deadline));
    DriverAnswer answer;
    answer.ok = status.front() == "ok";
    if (!answer.ok) {
        if (status.front() != "fail")
            Broken("unexpected status line for " + request.front());
        answer.error = request.front() + ": " + Field(status, 1);
    }
    for (std::string record = ReadLine(deadline); record != "."; record = ReadLine(deadline)) {
        answer.records.push_back(SplitFields(record));
    }
    return answer;
}

std::string Driver::ReadLine(std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        const std::size_t end = received_.find('\n');
        if (end != std::string::npos) {
            std::string line = received_.substr(0, end);
            received_.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return line;
        }
        const auto left =
            std::chrono::duration_cast<Milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            Stopped("no answer in time");
        pollfd output{process_.OutputPipe(), POLLIN, 0};
        const int ready = poll(&output, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            continue;
        char chunk[4096];
        const ssize_t count = read(process_.OutputPipe(), chunk, sizeof chunk);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            Stopped("the driver ended without answering");
        received_.append(chunk, static_cast<std::size_t>(count));
    }
}

std::optional<DriverAnswer> Driver::Ask(const std::vector<std::string>& request,
                                        Milliseconds timeout) {
    DriverAnswer answer = Call(request, timeout);
    if (!answer.ok) {
        lastError_ = answer.error;
        return std::nullopt;
    }
    lastError_.clear();
    return answer;
}

ActionResult Driver::Act(const std::vector<std::string>& request, Milliseconds timeout) {
    ActionResult result;
    const std::optional<DriverAnswer> answer = Ask(request, timeout);
    if (!answer) {
        result.error = lastError_;
        return result;
    }
    const Record& outcome = Expect(*answer, "outcome");
    const std::string& kind = Field(outcome, 1);
    if (kind == "finished") {
        result.outcome = ActionOutcome::Finished;
        result.handlerResult = Decimal(outcome, 2);
    } else if (kind == "message-box") {
        result.outcome = ActionOutcome::MessageBox;
        result.messageBox = Handle(outcome, 2);
    } else if (kind == "gone") {
        result.outcome = ActionOutcome::Gone;
    } else if (kind == "timeout") {
        result.outcome = ActionOutcome::TimedOut;
    } else {
        Broken("unknown outcome " + kind);
    }
    return result;
}

std::optional<WindowInfo> Driver::FindWindow(const std::string& title, Milliseconds timeout,
                                             std::uint32_t processId) {
    const auto answer = Ask({"find-window", title, Milli(timeout), Number(processId)}, timeout);
    if (!answer)
        return std::nullopt;
    return ParseWindow(Expect(*answer, "window"));
}

std::vector<WindowInfo> Driver::TopLevelWindows() {
    std::vector<WindowInfo> windows;
    if (const auto answer = Ask({"list-windows"})) {
        for (const Record& record : answer->records)
            windows.push_back(ParseWindow(record));
    }
    return windows;
}

bool Driver::WaitGone(WindowHandle window, Milliseconds timeout) {
    return Ask({"wait-gone", HandleText(window), Milli(timeout)}, timeout).has_value();
}

std::optional<std::string> Driver::WindowText(WindowHandle window) {
    const auto answer = Ask({"text", HandleText(window)});
    if (!answer)
        return std::nullopt;
    return Field(Expect(*answer, "text"), 1);
}

std::optional<std::string> Driver::Tooltip(WindowHandle dialog, int id) {
    const auto answer = Ask({"tooltip", HandleText(dialog), Number(id)});
    if (!answer)
        return std::nullopt;
    return Field(Expect(*answer, "text"), 1);
}

std::optional<PixelSize> Driver::ClientSize(WindowHandle window) {
    const auto answer = Ask({"client-size", HandleText(window)});
    if (!answer)
        return std::nullopt;
    const Record& size = Expect(*answer, "size");
    return PixelSize{static_cast<int>(Decimal(size, 1)), static_cast<int>(Decimal(size, 2))};
}

std::optional<ScreenPoint> Driver::ClientOrigin(WindowHandle window) {
    const auto answer = Ask({"client-origin", HandleText(window)});
    if (!answer)
        return std::nullopt;
    const Record& point = Expect(*answer, "point");
    return ScreenPoint{static_cast<int>(Decimal(point, 1)), static_cast<int>(Decimal(point, 2))};
}

std::vector<ControlInfo> Driver::Controls(WindowHandle dialog) {
    std::vector<ControlInfo> controls;
    const auto answer = Ask({"controls", HandleText(dialog)});
    if (!answer)
        return controls;
    for (const Record& record : answer->records) {
        if (record.front() == "item") {
            if (controls.empty())
                Broken("an item before any control");
            controls.back().items.push_back(Field(record, 2));
            continue;
        }
        ControlInfo control;
        control.handle = Handle(record, 1);
        control.id = static_cast<int>(Decimal(record, 2));
        control.className = Field(record, 3);
        control.enabled = Decimal(record, 4) != 0;
        control.visible = Decimal(record, 5) != 0;
        control.check = static_cast<int>(Decimal(record, 6));
        control.pushed = Decimal(record, 7) != 0;
        control.selection = static_cast<int>(Decimal(record, 8));
        control.area = {static_cast<int>(Decimal(record, 9)), static_cast<int>(Decimal(record, 10)),
                        static_cast<int>(Decimal(record, 11)),
                        static_cast<int>(Decimal(record, 12))};
        control.text = Field(record, 13);
        controls.push_back(std::move(control));
    }
    return controls;
}

std::optional<ControlInfo> Driver::Control(WindowHandle dialog, int id) {
    for (ControlInfo& control : Controls(dialog)) {
        if (control.id == id)
            return std::move(control);
    }
    if (lastError_.empty())
        lastError_ = "no control " + Number(id);
    return std::nullopt;
}

ActionResult Driver::SelectComboItem(WindowHandle dialog, int id, int index, Milliseconds timeout) {
    return Act({"select", HandleText(dialog), Number(id), Number(index), Milli(timeout)}, timeout);
}

ActionResult Driver::SelectHiddenComboItem(WindowHandle dialog, int id, int index,
                                           Milliseconds timeout) {
    return Act({"select-hidden", HandleText(dialog), Number(id), Number(index), Milli(timeout)},
               timeout);
}

ActionResult Driver::Click(WindowHandle dialog, int id, Milliseconds timeout) {
    return Act({"click", HandleText(dialog), Number(id), Milli(timeout)}, timeout);
}

ActionResult Driver::SetCheck(WindowHandle dialog, int id, int state, Milliseconds timeout) {
    return Act({"set-check", HandleText(dialog), Number(id), Number(state), Milli(timeout)},
               timeout);
}

bool Driver::SetPushed(WindowHandle dialog, int id, bool pushed) {
    return Ask({"push", HandleText(dialog), Number(id), pushed ? "1" : "0"}).has_value();
}

ActionResult Driver::Close(WindowHandle window, Milliseconds timeout) {
    return Act({"close", HandleText(window), Milli(timeout)}, timeout);
}

bool Driver::Redraw(WindowHandle window, Milliseconds timeout) {
    const ActionResult result = Act({"redraw", HandleText(window), Milli(timeout)}, timeout);
    if (result.outcome == ActionOutcome::Finished)
        return true;
    if (lastError_.empty()) {
        std::ostringstream outcome;
        outcome << "redraw: " << result.outcome;
        lastError_ = outcome.str();
    }
    return false;
}

bool Driver::Activate(WindowHandle window, Milliseconds timeout) {
    return Ask({"activate", HandleText(window), Milli(timeout)}, timeout).has_value();
}

bool Driver::PostCommand(WindowHandle window, int id) {
    return Ask({"post-command", HandleText(window), Number(id)}).has_value();
}

std::optional<MessageBoxInfo> Driver::FindMessageBox(std::uint32_t processId,
                                                     Milliseconds timeout) {
    const auto answer = Ask({"find-message-box", Number(processId), Milli(timeout)}, timeout);
    if (!answer)
        return std::nullopt;
    MessageBoxInfo box;
    box.window = ParseWindow(Expect(*answer, "window"));
    box.text = Field(Expect(*answer, "text"), 1);
    for (const Record& record : answer->records) {
        if (record.front() != "button")
            continue;
        box.buttons.push_back({static_cast<int>(Decimal(record, 1)), Field(record, 2)});
    }
    return box;
}

ActionResult Driver::AnswerMessageBox(WindowHandle box, int buttonId, Milliseconds timeout) {
    return Act({"answer", HandleText(box), Number(buttonId), Milli(timeout)}, timeout);
}

std::optional<PixelSize> Driver::SaveClientArea(WindowHandle window,
                                                const std::filesystem::path& bmp) {
    const auto answer = Ask({"screenshot", HandleText(window), WindowsPath(bmp)});
    if (!answer)
        return std::nullopt;
    const Record& size = Expect(*answer, "size");
    return PixelSize{static_cast<int>(Decimal(size, 1)), static_cast<int>(Decimal(size, 2))};
}

std::optional<Colour> Driver::ClientPixel(WindowHandle window, int x, int y) {
    const auto answer = Ask({"pixel", HandleText(window), Number(x), Number(y)});
    if (!answer)
        return std::nullopt;
    return PixelColour(*answer);
}

std::optional<Colour> Driver::SystemColour(int index) {
    const auto answer = Ask({"system-colour", Number(index)});
    if (!answer)
        return std::nullopt;
    return PixelColour(*answer);
}

std::optional<WindowInfo> Driver::WaitPainted(const std::string& title, int x, int y, Colour colour,
                                              Milliseconds timeout) {
    const auto answer = Ask({"wait-painted", title, Number(x), Number(y), Number(colour.red),
                             Number(colour.green), Number(colour.blue), Milli(timeout)},
                            timeout);
    if (!answer)
        return std::nullopt;
    return ParseWindow(Expect(*answer, "window"));
}

bool Driver::SetRegistryText(RegistryRoot root, const std::string& key, const std::string& name,
                             const std::string& text, const StoredSize& size) {
    return Ask({"reg-set", RootName(root), key, name, text, size.argument}).has_value();
}

bool Driver::SetRegistryNumber(RegistryRoot root, const std::string& key, const std::string& name,
                               std::uint32_t number) {
    return Ask({"reg-set-number", RootName(root), key, name, Number(number)}).has_value();
}

std::optional<RegistryText> Driver::ReadRegistryValue(RegistryRoot root, const std::string& key,
                                                      const std::string& name) {
    const auto answer = Ask({"reg-get", RootName(root), key, name});
    if (!answer)
        return std::nullopt;
    const Record& value = Expect(*answer, "value");
    return RegistryText{static_cast<std::uint32_t>(Decimal(value, 1)),
                        static_cast<std::uint32_t>(Decimal(value, 2)), Field(value, 3)};
}

bool Driver::DeleteRegistryValue(RegistryRoot root, const std::string& key,
                                 const std::string& name) {
    return Ask({"reg-delete-value", RootName(root), key, name}).has_value();
}

bool Driver::DeleteRegistryKey(RegistryRoot root, const std::string& key) {
    return Ask({"reg-delete-key", RootName(root), key}).has_value();
}

}  // namespace e2e
