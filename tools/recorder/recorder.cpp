// recorder.exe: stands in for any program the launcher starts. The end-to-end tests copy it under
// the name they expect to be started ("GAL1.exe", "uninst.exe", "tavrin.exe") and read back how
// it was started: each run appends its command line, exactly as GetCommandLineW gives it, in
// UTF-8 and ended by "\n", to "<its own full path>.log" (C:\x\GAL1.exe.log), and ends. No window.
//
// Exit code: 0 once the line is written, 1 when it could not be.

#include <windows.h>

#include <string>

#include "base/win/unique_handle.h"

namespace {

// The longest path Windows hands out, in characters.
constexpr DWORD kLongestPath = 32768;

std::wstring OwnPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(path.size());
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
        if (length == 0)
            return {};
        if (length < size)
            return path.substr(0, length);
        if (size >= kLongestPath)
            return {};
        path.resize(2 * path.size());  // cut short: ask again with room to spare
    }
}

std::string Utf8FromWide(const wchar_t* text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return {};
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), length, nullptr, nullptr);
    utf8.resize(static_cast<std::size_t>(length - 1));
    return utf8;
}

bool AppendLine(const std::wstring& logPath, const std::string& line) {
    // Append access alone makes every write land at the end, even when two copies run at once.
    const UniqueHandle log(CreateFileW(logPath.c_str(), FILE_APPEND_DATA,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!log)
        return false;
    const std::string record = line + "\n";
    DWORD written = 0;
    return WriteFile(log.Get(), record.data(), static_cast<DWORD>(record.size()), &written,
                     nullptr) &&
           written == record.size();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::wstring path = OwnPath();
    if (path.empty())
        return 1;
    return AppendLine(path + L".log", Utf8FromWide(GetCommandLineW())) ? 0 : 1;
}
