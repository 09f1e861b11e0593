#include <windows.h>
#include <commctrl.h>

#include <new>
#include <string>

#include "texts/local_text.h"
#include "texts/messages.h"
#include "base/win/startup_log.h"
#include "base/win/ui_text.h"
#include "launcher/win/launcher_dialog.h"
#include "settings/win/install_folder_win.h"
#include "skin/image_hooks.h"
#include "skin/process_skin_picture.h"
#include "skin/win/skin_painting.h"

namespace {

// The exit code of a launcher that ran out of memory, after saying so.
constexpr int kExitLackOfMemory = 3;

void ReportLackOfMemory() {
    ShowMessage(nullptr, Localise(texts::messages::kOutOfMemory),
                Localise(texts::messages::kErrorCaption), MB_OK | MB_ICONERROR);
}

int RunLauncher() {
    const INITCOMMONCONTROLSEX commonControls = {sizeof commonControls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&commonControls);
    FetchHollowBrush();
    InstallDefaultImageHooks();

    {
        const StartupStep step("skin picture");
        const InstallFolder folder = ReadInstallFolder();
        const std::string picture = "Config files\\lbg.sar";
        skinPicture.Load(folder.path.empty() ? picture : folder.path + "\\" + picture);
    }

    LauncherDialog launcher;
    launcher.RunModal(nullptr);
    skinPicture.Release();
    // The window has vanished: the player is told why.
    if (launcher.RanOutOfMemory()) {
        ReportLackOfMemory();
        return kExitLackOfMemory;
    }
    return 0;
}

}  // namespace

// The launcher program: its window is its main window. It never takes the setup tool's instance
// mutex, which would make every one of its own buttons believe a setup process was running.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    StartupMark("start");
    // Memory can run out anywhere, in a 32-bit process above all: the player is told, rather
    // than seeing the program vanish.
    try {
        return RunLauncher();
    } catch (const std::bad_alloc&) {
        skinPicture.Release();
        ReportLackOfMemory();
        return kExitLackOfMemory;
    }
}
