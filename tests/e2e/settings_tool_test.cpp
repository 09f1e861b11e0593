// tavrin-settings.exe of the installation under Wine: what it writes, the setup dialogs show.

#include "e2e/product_fixture.h"

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

}  // namespace
}  // namespace e2e
