// The settings tool on Windows: a UTF-16 command line and UTF-16 file names, a console that wants
// UTF-16, the install folder from the registry, the machine's keyboard layout, and the settings
// file replaced as the setup dialogs replace it.

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "base/win/text_conversion.h"
#include "base/win/unique_handle.h"
#include "cli/platform.h"
#include "controls/win/keyboard_layout.h"
#include "settings/win/settings_store.h"

namespace {

std::wstring Wide(std::string_view utf8) {
    return WideFrom(CP_UTF8, utf8);
}

// What the system says of an error, in UTF-8, without the line break it ends with.
std::string SystemMessage(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text != nullptr ? text : L"", length);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L'.' || message.back() == L' ')) {
        message.pop_back();
    }
    if (message.empty())
        return "Windows error " + std::to_string(error);
    return NarrowFrom(CP_UTF8, message);
}

}  // namespace

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr)
        return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(NarrowFrom(CP_UTF8, wide[i]));
    LocalFree(wide);
    return arguments;
}

void WriteText(std::FILE* stream, std::string_view utf8) {
    // A console shows UTF-16 whatever its code page; a pipe or a file gets the UTF-8 bytes.
    const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        std::fflush(stream);
        const std::wstring wide = Wide(utf8);
        DWORD written = 0;
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
    std::fflush(stream);
}

std::optional<std::string> InstallFolderSettingsPath() {
    const std::optional<std::string> path = SettingsPath();
    if (!path)
        return std::nullopt;
    return NarrowFrom(CP_UTF8, WideFrom(CP_ACP, *path));
}

KeyCharacter KeyboardLayout() {
    return LayoutKeyCharacter();
}

const char* KeyboardLayoutDescription() {
    return "this machine's keyboard layout, as in the control setup";
}

SettingsFileRead ReadSettingsFile(const std::string& path) {
    SettingsFileRead result;
    // Reading only, beside whoever writes it; a holder that shares nothing keeps it unread.
    const UniqueHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        result.outcome = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                             ? SettingsFileRead::Outcome::Missing
                             : SettingsFileRead::Outcome::Unreadable;
        result.why = SystemMessage(error);
        return result;
    }
    LARGE_INTEGER size = {};
    result.leadingBytes.resize(kSettingsFileSize);
    DWORD read = 0;
    if (!GetFileSizeEx(file.Get(), &size) ||
        !ReadFile(file.Get(), result.leadingBytes.data(),
                  static_cast<DWORD>(result.leadingBytes.size()), &read, nullptr)) {
        result.outcome = SettingsFileRead::Outcome::Unreadable;
        result.why = SystemMessage(GetLastError());
        return result;
    }
    result.leadingBytes.resize(read);
    result.size = static_cast<std::uint64_t>(size.QuadPart);
    result.outcome = SettingsFileRead::Outcome::Read;
    return result;
}

WriteOutcome ReplaceSettingsFile(const std::string& path, const SettingsBytes& bytes,
                                 std::string& why) {
    // The graphics and audio setups' share mode: others may read the file meanwhile.
    const WriteOutcome outcome = ReplaceFileContents(
        Wide(path), std::vector<std::uint8_t>(bytes.begin(), bytes.end()), kSharedReadWrite);
    if (outcome != WriteOutcome::Written) {
        why =
            "it is read-only, its folder cannot be written to, or another program holds it "
            "open";
    }
    return outcome;
}
