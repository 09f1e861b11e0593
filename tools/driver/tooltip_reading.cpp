#include "tools/driver/tooltip_reading.h"

#include <commctrl.h>

#include <vector>

#include "base/win/unique_handle.h"
#include "tools/driver/window_queries.h"

namespace {

// The longest tip a tooltip control hands back (INFOTIPSIZE), terminator included.
constexpr std::size_t kLongestTip = 1024;

// A block of memory in another process, freed when the object goes.
class RemoteBlock {
  public:
    RemoteBlock(HANDLE process, std::size_t size)
        : process_(process),
          address_(
              VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
    ~RemoteBlock() {
        if (address_ != nullptr)
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    explicit operator bool() const { return address_ != nullptr; }
    std::byte* Address() const { return static_cast<std::byte*>(address_); }

    bool Write(std::size_t offset, const void* data, std::size_t size) const {
        return WriteProcessMemory(process_, Address() + offset, data, size, nullptr) != FALSE;
    }
    bool Read(std::size_t offset, void* data, std::size_t size) const {
        return ReadProcessMemory(process_, Address() + offset, data, size, nullptr) != FALSE;
    }

  private:
    HANDLE process_;
    void* address_;
};

struct TooltipSearch {
    HWND owner;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTooltip(HWND window, LPARAM search) {
    auto* wanted = reinterpret_cast<TooltipSearch*>(search);
    if (GetWindow(window, GW_OWNER) == wanted->owner && HasClass(window, TOOLTIPS_CLASSW))
        wanted->found.push_back(window);
    return TRUE;
}

// The tooltip controls `dialog` owns, shown or not: top-level windows of its thread.
std::vector<HWND> TooltipsOf(HWND dialog) {
    TooltipSearch search{dialog, {}};
    EnumThreadWindows(GetWindowThreadProcessId(dialog, nullptr), CollectTooltip,
                      reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Asks one tooltip control for the tool of `control`: the question (a TTTOOLINFOW) and room for
// the answer lie in the tooltip's process, one after the other.
std::optional<std::wstring> AskTooltip(const RemoteBlock& block, HWND tooltip, HWND dialog,
                                       HWND control) {
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = reinterpret_cast<wchar_t*>(block.Address() + sizeof tool);
    const wchar_t nothing = L'\0';
    if (!block.Write(0, &tool, sizeof tool) || !block.Write(sizeof tool, &nothing, sizeof nothing))
        return std::nullopt;
    const auto question = reinterpret_cast<LPARAM>(block.Address());
    if (SendWithTimeout(tooltip, TTM_GETTOOLINFOW, 0, question).value_or(FALSE) == FALSE)
        return std::nullopt;  // no such tool
    SendWithTimeout(tooltip, TTM_GETTEXTW, kLongestTip, question);
    std::vector<wchar_t> text(kLongestTip, L'\0');
    if (!block.Read(sizeof tool, text.data(), (text.size() - 1) * sizeof(wchar_t)))
        return std::nullopt;
    return std::wstring(text.data());
}

}  // namespace

std::optional<std::wstring> TooltipText(HWND dialog, HWND control) {
    DWORD processId = 0;
    GetWindowThreadProcessId(dialog, &processId);
    const UniqueHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (!process)
        return std::nullopt;
    const RemoteBlock block(process.Get(), sizeof(TTTOOLINFOW) + kLongestTip * sizeof(wchar_t));
    if (!block)
        return std::nullopt;
    for (HWND tooltip : TooltipsOf(dialog)) {
        if (std::optional<std::wstring> text = AskTooltip(block, tooltip, dialog, control))
            return text;
    }
    return std::nullopt;
}
