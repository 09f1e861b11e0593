#include <windows.h>
#include <commctrl.h>

#include "base/win/startup_log.h"
#include "launcher/win/launcher_dialog.h"
#include "settings/win/install_folder_win.h"
#include "skin/image_hooks.h"
#include "skin/skin_picture.h"
#include "skin/win/skin_painting.h"

// The launcher program: its window is its main window. It never takes the setup tool's instance
// mutex, which would make every one of its own buttons believe a setup process was running.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    StartupMark("start");
    const INITCOMMONCONTROLSEX commonControls = {sizeof commonControls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&commonControls);
    FetchHollowBrush();
    InstallDefaultImageHooks();

    {
        const StartupStep step("skin picture");
        const InstallFolder folder = ReadInstallFolder();
        const std::string picture = "Config files\\lbg.sar";
        skinPicture = LoadSkinPicture(folder.path.empty() ? picture : folder.path + "\\" + picture);
    }

    LauncherDialog launcher;
    launcher.RunModal(nullptr);
    skinPicture = SkinPicture{};
    return 0;
}
