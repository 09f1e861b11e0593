#include "app/win/config_app.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <new>

#include "app/command_line.h"
#include "texts/local_text.h"
#include "texts/messages.h"
#include "base/win/instance_mutex.h"
#include "base/win/shell.h"
#include "base/win/startup_log.h"
#include "base/win/ui_text.h"
#include "controls/win/control_setup_dialog.h"
#include "launcher/win/launcher_dialog.h"
#include "settings/win/install_folder_win.h"
#include "setup/win/audio_setup_dialog.h"
#include "setup/win/graphics_setup_dialog.h"
#include "skin/image_hooks.h"
#include "skin/process_skin_picture.h"
#include "skin/win/skin_painting.h"

namespace {

void ReportLackOfMemory() {
    ShowMessage(nullptr, Localise(texts::messages::kOutOfMemory),
                Localise(texts::messages::kErrorCaption), MB_OK | MB_ICONERROR);
}

Dialog& DialogFor(SetupMode mode, AudioSetupDialog& audio, GraphicsSetupDialog& graphics,
                  ControlSetupDialog& control) {
    switch (mode) {
        case SetupMode::Sound:
            return audio;
        case SetupMode::Graphics:
            return graphics;
        case SetupMode::Control:
            break;
    }
    return control;
}

}  // namespace

int ConfigApp::Run(int argc, const char* const* argv) {
    StartupMark("start");
    // Only one setup process at a time; a second one ends at once, without a window or a word.
    const std::optional<UniqueHandle> instance = TakeSetupInstanceMutex();
    if (!instance)
        return 0;
    // Memory can run out anywhere, in a 32-bit process above all: the player is told, rather
    // than seeing the program vanish.
    try {
        return RunHoldingTheMutex(argc, argv);
    } catch (const std::bad_alloc&) {
        skinPicture.Release();
        ReportLackOfMemory();
        return kExitLackOfMemory;
    }
}

int ConfigApp::RunHoldingTheMutex(int argc, const char* const* argv) {
    const INITCOMMONCONTROLSEX commonControls = {sizeof commonControls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&commonControls);
    FetchHollowBrush();

    // Every dialog of the code base exists for the life of the process; at most one is shown.
    const auto launcher = std::make_unique<LauncherDialog>();
    const InstallFolder folder = ReadInstallFolder();
    const auto audio = std::make_unique<AudioSetupDialog>();
    const auto control = std::make_unique<ControlSetupDialog>();
    const auto graphics = std::make_unique<GraphicsSetupDialog>();
    InstallDefaultImageHooks();

    const StartRequest request = ParseCommandLine(argc, argv);
    if (request.language)
        SetCurrentLanguage(*request.language);
    switch (request.kind) {
        case StartRequest::Kind::RunSetupDialog: {
            {
                const StartupStep step("skin picture");
                skinPicture.Load(SkinPicturePath(folder.path, request.mode));
            }
            Dialog& dialog = DialogFor(request.mode, *audio, *graphics, *control);
            dialog.RunModal(nullptr);
            skinPicture.Release();
            // The dialog has vanished: the player is told why.
            if (dialog.RanOutOfMemory()) {
                ReportLackOfMemory();
                return kExitLackOfMemory;
            }
            return 0;
        }
        case StartRequest::Kind::StartLauncher:
            // A launcher that cannot be started is not reported: there is nobody to tell.
            if (const std::optional<std::string> program = LauncherProgramPath(folder)) {
                Shell().Open(nullptr, program->c_str(), nullptr);
            }
            break;
        case StartRequest::Kind::Nothing:
            break;
    }
    skinPicture.Release();
    return 0;
}
