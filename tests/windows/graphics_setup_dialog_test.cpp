// The graphics setup dialog in this process, from its template, over the real Direct3D 8: it
// fills its lists only once the window has been shown, and OK before then writes nothing. The
// settings file lives in a scratch install folder.

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "texts/local_text.h"
#include "dialog_driver.h"
#include "game_registry.h"
#include "resources/resource_ids.h"
#include "settings/settings_file.h"
#include "setup/win/graphics_setup_dialog.h"

namespace {

TEST(GraphicsSetupDialogTest, OkBeforeTheListsAreFilledWritesNothingAndLeavesTheDialogOpen) {
    SetCurrentLanguage(kEnglish);
    GameRegistry registry;
    ScratchFolder folder;
    registry.SetLocation(folder.Path());
    const std::string settings = folder.File(kSettingsFileName);
    MessageBoxAnswerer boxes;

    GraphicsSetupDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    ShowWindow(dialog.Window(), SW_SHOWNA);
    const auto pressOk = [&] {
        SendMessageW(dialog.Window(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(dialog.Item(IDOK)));
    };
    const auto filled = [&] {
        return SendMessageW(dialog.Item(IDC_RESOLUTION_LIST), CB_GETCOUNT, 0, 0) > 0;
    };

    // No message has been dispatched since the initialisation: the lists wait for the first.
    ASSERT_FALSE(filled());
    EXPECT_FALSE(IsWindowEnabled(dialog.Item(IDOK)));
    pressOk();  // as Enter sends it, whether OK is enabled or not
    EXPECT_FALSE(std::filesystem::exists(settings));
    EXPECT_TRUE(IsWindowVisible(dialog.Window()));

    ASSERT_TRUE(PumpMessagesUntil(filled, std::chrono::seconds(60)));
    EXPECT_TRUE(IsWindowEnabled(dialog.Item(IDOK)));
    pressOk();
    EXPECT_TRUE(std::filesystem::exists(settings));
    EXPECT_FALSE(IsWindowVisible(dialog.Window()));  // ended
    EXPECT_TRUE(boxes.Seen().empty());
}

}  // namespace
