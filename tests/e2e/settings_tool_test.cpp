// tavrin-settings.exe of the installation under Wine: what it writes, the setup dialogs show.

#include <filesystem>

#include "e2e/product_fixture.h"
#include "e2e/support/key_press.h"
#include "support/settings_builder.h"

namespace e2e {
namespace {

class SettingsToolTest : public ProductTest {
  protected:
    // Runs the tool from a folder without a settings file, so that it goes by the registry to
    // the installation's; its exit code, or nothing when it did not end.
    std::optional<int> RunTool(std::vector<std::string> arguments) {
        WineProcess& tool =
            Start("tavrin-settings.exe", std::move(arguments), installation_->ConfigFile(""));
        return tool.WaitForExit(kGenerousWait);
    }
};

TEST_F(SettingsToolTest, TheDialogsShowWhatItWrote) {
    ASSERT_EQ(RunTool({"reset", "all"}), 0);
    ASSERT_EQ(RunTool({"set", "adapter={0123ABCD-4567-89AB-CDEF-0123456789AB}",
                       "display=1280x1024x32", "keyboard.jump=Space"}),
              0);

    // The adapter is not this machine's, so the first is chosen, with the saved mode.
    std::optional<WindowInfo> dialog = OpenSetup("graphics", 0, kGraphicsTitle, kSlowWindowWait);
    ASSERT_TRUE(dialog) << driver_->LastError();
    const std::optional<ControlInfo> modes = driver_->Control(dialog->handle, IDC_RESOLUTION_LIST);
    ASSERT_TRUE(modes);
    EXPECT_EQ(modes->text.rfind("1280 x 1024 x 32 (", 0), 0u) << modes->text;
    EXPECT_TRUE(Handled(driver_->Click(dialog->handle, kIdCancel)));
    ASSERT_TRUE(Ended(*setup_));

    dialog = OpenSetup("control", 0, kControlTitle);
    ASSERT_TRUE(dialog) << driver_->LastError();
    EXPECT_EQ(ControlText(*dialog, IDC_BIND_JUMP), "Space");
    EXPECT_EQ(ControlText(*dialog, IDC_BIND_SEARCH), "Left Shift");
}

// Names are compared as Unicode text: a key of a layout outside code page 1252 is taken by the
// character show prints for it, in either case, whatever the ANSI code page.
TEST_F(SettingsToolTest, KeysOfARussianLayoutAreTakenByTheirCharacter) {
    const KeyboardLayoutForTest russian("ru");
    ASSERT_TRUE(russian.Set());
    ASSERT_EQ(RunTool({"reset", "all"}), 0);
    ASSERT_EQ(RunTool({"set", "keyboard.jump=Ж", "keyboard.tav=ш"}), 0);
    // The control setup names the keys stored as the layout does.
    const std::optional<WindowInfo> dialog = OpenSetup("control", 0, kControlTitle);
    ASSERT_TRUE(dialog) << driver_->LastError();
    const std::optional<std::string> jump = ControlText(*dialog, IDC_BIND_JUMP);
    const std::optional<std::string> tav = ControlText(*dialog, IDC_BIND_TAV);
    EXPECT_TRUE(jump == "Ж" || jump == "ж") << jump.value_or("?");
    EXPECT_TRUE(tav == "Ш" || tav == "ш") << tav.value_or("?");
}

// A settings file the player made a link of is written through the link: a symbolic link stays
// one and its target gets the bytes; a file with a second name shows them under both.
TEST_F(SettingsToolTest, ALinkedSettingsFileIsWrittenThroughTheLink) {
    ASSERT_EQ(RunTool({"reset", "all"}), 0);
    const std::filesystem::path settings = installation_->SettingsPath();
    const std::filesystem::path elsewhere = installation_->File("elsewhere.dat");
    std::filesystem::rename(settings, elsewhere);
    std::filesystem::create_symlink(elsewhere, settings);
    ASSERT_EQ(RunTool({"set", "language=de"}), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(settings));
    EXPECT_EQ(GetLittleEndian32(*installation_->Settings(), 168), 2u);

    std::filesystem::remove(settings);
    std::filesystem::create_hard_link(elsewhere, settings);
    ASSERT_EQ(RunTool({"set", "language=it"}), 0);
    EXPECT_TRUE(std::filesystem::equivalent(settings, elsewhere));
    EXPECT_EQ(GetLittleEndian32(*installation_->Settings(), 168), 3u);
}

}  // namespace
}  // namespace e2e
