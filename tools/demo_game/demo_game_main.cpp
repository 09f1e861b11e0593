// tavrin.exe of the demo installation. The game itself does not exist yet; this stand-in shows
// what it would read from "tavrin.dat", so that whoever tries the demo sees the settings of the
// setup dialogs and the launcher reach the game.

#include <windows.h>

#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "base/win/dialog.h"
#include "controls/win/keyboard_layout.h"
#include "settings/win/settings_store.h"
#include "tools/demo_game/demo_game_layout.h"
#include "tools/demo_game/settings_report.h"

namespace {

// The folder this program lies in. The launcher's Play starts it from the install folder, so the
// settings file is beside it.
std::string ProgramFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return ".";
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\'));
}

struct FoundSettings {
    std::string path;
    demo_game::SettingsFileBytes bytes;
};

// The file beside the program, else the one in the install folder the registry names: started
// from elsewhere, the stand-in still shows the installed game's settings.
FoundSettings FindSettings() {
    const std::string beside = SettingsPathIn(ProgramFolder());
    if (auto bytes = ReadSettingsBytes(beside, kSharedRead))
        return {beside, std::move(bytes)};
    if (const std::optional<std::string> installed = SettingsPath()) {
        if (auto bytes = ReadSettingsBytes(*installed, kSharedRead))
            return {*installed, std::move(bytes)};
    }
    return {beside, std::nullopt};
}

// `text` in the code page `codePage` (the system's own for a path as the ANSI file functions
// spell it, UTF-8 for the report's lines).
std::wstring WideFrom(UINT codePage, const std::string& text) {
    const int length = MultiByteToWideChar(codePage, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

std::wstring ReportText(const FoundSettings& found) {
    std::wstring text = L"Read from\t" + WideFrom(CP_ACP, found.path);
    // The keys' characters come from the keyboard layout as the control setup names them.
    for (const std::string& line : demo_game::DescribeSettingsFile(found.bytes, LayoutCharacter))
        text += L"\r\n" + WideFrom(CP_UTF8, line);
    return text;
}

class StandInWindow : public MappedDialog<StandInWindow> {
  public:
    explicit StandInWindow(std::wstring report)
        : MappedDialog(IDD_DEMO_GAME), report_(std::move(report)) {}

    static const MessageMap<StandInWindow> kMessageMap;

  private:
    HandlerResult Initialise(const Message&) {
        // In dialog units: labels, then the keyboard and controller columns of the bindings.
        const int tabStops[] = {76, 156};
        SendDlgItemMessageW(Window(), IDC_DEMO_REPORT, EM_SETTABSTOPS, std::size(tabStops),
                            reinterpret_cast<LPARAM>(tabStops));
        SetDlgItemTextW(Window(), IDC_DEMO_REPORT, report_.c_str());
        // Focus on Close rather than on the report, which would otherwise come up all selected.
        SetFocus(Item(IDCANCEL));
        return FALSE;
    }

    void Close() { End(0); }

    std::wstring report_;
};

const MessageMap<StandInWindow> StandInWindow::kMessageMap = {
    OnInitDialog(&StandInWindow::Initialise),
    OnCommand(IDCANCEL, BN_CLICKED, &StandInWindow::Close),
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    StandInWindow window(ReportText(FindSettings()));
    return window.RunModal(nullptr) == -1 ? 1 : 0;
}
