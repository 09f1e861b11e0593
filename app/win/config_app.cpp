#include "app/win/config_app.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "app/command_line.h"
#include "app/texts/local_text.h"
#include "base/win/instance_mutex.h"
#include "base/win/shell.h"
#include "base/win/startup_log.h"
#include "controls/win/control_setup_dialog.h"
#include "launcher/win/launcher_dialog.h"
#include "settings/win/install_folder_win.h"
#include "setup/win/audio_setup_dialog.h"
#include "setup/win/graphics_setup_dialog.h"
#include "skin/image_hooks.h"
#include "skin/skin_picture.h"
#include "skin/win/skin_painting.h"

namespace {

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
                skinPicture = LoadSkinPicture(SkinPicturePath(folder.path, request.mode));
            }
            DialogFor(request.mode, *audio, *graphics, *control).RunModal(nullptr);
            break;
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
    skinPicture = SkinPicture{};
    return 0;
}
