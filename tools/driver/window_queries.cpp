#include "tools/driver/window_queries.h"

#include <algorithm>

namespace {

constexpr UINT kSendTimeout = 5000;
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr int kMessageBoxIconId = 0x0440;

// Templates store control ids in 16 bits: -1 may come back as 0xFFFF.
int TemplateId(HWND control) {
    return GetDlgCtrlID(control) & 0xFFFF;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

bool IsButton(HWND window) {
    return HasClass(window, L"Button");
}

std::vector<std::wstring> ComboItems(HWND combo) {
    std::vector<std::wstring> items;
    const LRESULT count = SendWithTimeout(combo, CB_GETCOUNT, 0, 0).value_or(CB_ERR);
    for (LRESULT index = 0; index < count; ++index) {
        const auto item = static_cast<WPARAM>(index);
        const LRESULT length = SendWithTimeout(combo, CB_GETLBTEXTLEN, item, 0).value_or(CB_ERR);
        if (length == CB_ERR)
            break;
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        const LRESULT copied =
            SendWithTimeout(combo, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text.data()))
                .value_or(CB_ERR);
        text.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
        items.push_back(std::move(text));
    }
    return items;
}

bool IsStandardAnswer(int id) {
    return id >= IDOK && id <= IDCONTINUE;
}

}  // namespace

std::optional<LRESULT> SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeout,
                            &result) == 0) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

WindowRecord DescribeWindow(HWND window) {
    WindowRecord record{window, 0, ClassName(window), {}};
    GetWindowThreadProcessId(window, &record.processId);
    // GetWindowTextW reads a top-level window's title without sending it a message, so a
    // window whose thread is busy is still described.
    const int length = GetWindowTextLengthW(window);
    record.title.resize(static_cast<std::size_t>(length) + 1);
    record.title.resize(static_cast<std::size_t>(
        GetWindowTextW(window, record.title.data(), static_cast<int>(record.title.size()))));
    return record;
}

std::vector<HWND> VisibleTopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    std::erase_if(windows, [](HWND window) { return !IsWindowVisible(window); });
    return windows;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256];
    const int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return std::wstring(name, static_cast<std::size_t>(std::max(length, 0)));
}

bool HasClass(HWND window, const wchar_t* className) {
    return lstrcmpiW(ClassName(window).c_str(), className) == 0;
}

std::wstring ControlText(HWND control) {
    const LRESULT length = SendWithTimeout(control, WM_GETTEXTLENGTH, 0, 0).value_or(0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendWithTimeout(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))
            .value_or(0);
    text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
    return text;
}

std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

ControlRecord DescribeControl(HWND control) {
    ControlRecord record{control,
                         GetDlgCtrlID(control),
                         ClassName(control),
                         ControlText(control),
                         IsWindowEnabled(control) != FALSE,
                         IsWindowVisible(control) != FALSE,
                         -1,
                         false,
                         -1,
                         {},
                         {}};
    GetWindowRect(control, &record.area);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&record.area), 2);
    if (IsButton(control)) {
        record.check = static_cast<int>(SendWithTimeout(control, BM_GETCHECK, 0, 0).value_or(-1));
        const LRESULT state = SendWithTimeout(control, BM_GETSTATE, 0, 0).value_or(0);
        record.pushed = (state & BST_PUSHED) != 0;
    }
    if (HasClass(control, L"ComboBox")) {
        record.selection =
            static_cast<int>(SendWithTimeout(control, CB_GETCURSEL, 0, 0).value_or(CB_ERR));
        record.items = ComboItems(control);
    }
    return record;
}

HWND FindControl(HWND parent, int id) {
    for (HWND child : ChildWindows(parent)) {
        if (GetDlgCtrlID(child) == id)
            return child;
    }
    return nullptr;
}

bool IsMessageBox(HWND window) {
    if (!IsWindowVisible(window) || !HasClass(window, L"#32770"))
        return false;
    bool hasText = false;
    for (HWND child : ChildWindows(window)) {
        const int id = TemplateId(child);
        if (id == kMessageBoxTextId && HasClass(child, L"Static")) {
            hasText = true;
        } else if (!(id == kMessageBoxIconId || (IsStandardAnswer(id) && IsButton(child)))) {
            return false;
        }
    }
    return hasText;
}

std::vector<HWND> MessageBoxes(DWORD processId) {
    std::vector<HWND> boxes = VisibleTopLevelWindows();
    std::erase_if(boxes, [processId](HWND window) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        return (processId != 0 && owner != processId) || !IsMessageBox(window);
    });
    return boxes;
}

std::wstring MessageBoxText(HWND box) {
    for (HWND child : ChildWindows(box)) {
        if (TemplateId(child) == kMessageBoxTextId)
            return ControlText(child);
    }
    return {};
}
