// The settings tool on Windows: ANSI command line and file names, a console that wants UTF-16,
// the install folder from the registry, the machine's keyboard layout, and the settings file
// replaced as the setup dialogs replace it.

#include <windows.h>

#include <vector>

#include "cli/platform.h"
#include "controls/win/keyboard_layout.h"
#include "settings/win/settings_store.h"

namespace {

std::wstring Utf16From(UINT codePage, std::string_view text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

}  // namespace

std::string Utf8FromNative(std::string_view text) {
    const std::wstring wide = Utf16From(CP_ACP, text);
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

void WriteText(std::FILE* stream, std::string_view utf8) {
    // A console shows UTF-16 whatever its code page; a pipe or a file gets the UTF-8 bytes.
    const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        std::fflush(stream);
        const std::wstring wide = Utf16From(CP_UTF8, utf8);
        DWORD written = 0;
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
    std::fflush(stream);
}

std::optional<std::string> InstallFolderSettingsPath() {
    return SettingsPath();
}

KeyCharacter KeyboardLayout() {
    return LayoutKeyCharacter();
}

const char* KeyboardLayoutDescription() {
    return "this machine's keyboard layout, as in the control setup";
}

bool ReplaceSettingsFile(const std::string& path, const SettingsBytes& bytes, std::string& why) {
    // The graphics and audio setups' share mode: others may read the file meanwhile.
    if (ReplaceFileContents(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end()),
                            kSharedReadWrite)) {
        return true;
    }
    why = "it is read-only, its folder cannot be written to, or another program holds it open";
    return false;
}
