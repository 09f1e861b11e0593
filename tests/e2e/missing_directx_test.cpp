// The setup tool on a machine without DirectSound and DirectInput (Wine told to leave dsound.dll
// and dinput8.dll out): the dialogs that need one say so in their own words, and the graphics
// dialog, which needs neither, opens as ever.

#include <cstdlib>

#include "e2e/product_fixture.h"
#include "support/settings_builder.h"

namespace e2e {
namespace {

class MissingDirectXTest : public ProductTest {
  protected:
    // The setup tool in `mode`, English, with both DLLs disabled.
    void StartWithoutDirectSoundAndDirectInput(const std::string& mode) {
        const char* overrides = std::getenv("WINEDLLOVERRIDES");
        std::string disabled = overrides != nullptr ? std::string(overrides) + ";" : "";
        disabled += "dsound,dinput8=d";
        setup_ = &programs_->Start(installation_->File("Config.exe"), {mode, "0"},
                                   installation_->Folder(), {{"WINEDLLOVERRIDES", disabled}});
    }

    // Waits for the message box of the setup tool, checks its text and answers it.
    void ExpectMessage(const std::string& text) {
        const std::optional<MessageBoxInfo> box = driver_->FindMessageBox();
        ASSERT_TRUE(box) << driver_->LastError();
        EXPECT_EQ(box->window.title, "Tavrin Error");
        EXPECT_EQ(box->text, text);
        EXPECT_TRUE(Handled(driver_->AnswerMessageBox(box->window.handle, kIdOk)));
    }
};

TEST_F(MissingDirectXTest, GraphicsDialogOpens) {
    StartWithoutDirectSoundAndDirectInput("graphics");
    const std::optional<WindowInfo> dialog = driver_->FindWindow(kGraphicsTitle, kSlowWindowWait);
    ASSERT_TRUE(dialog) << driver_->LastError();
    EXPECT_TRUE(Handled(driver_->Click(dialog->handle, kIdCancel)));
    EXPECT_TRUE(Ended(*setup_));
}

TEST_F(MissingDirectXTest, ControlDialogSaysThatDirectInputIsMissing) {
    StartWithoutDirectSoundAndDirectInput("control");
    ExpectMessage("Error Initializing DirectInput. Try Re-installing DirectX");
    EXPECT_TRUE(Ended(*setup_));
}

// Nothing is listed, so OK has no choice to store: the saved device stays.
TEST_F(MissingDirectXTest, AudioDialogListsNothingSaysNoSoundCanPlayAndKeepsTheSavedDevice) {
    const std::vector<std::uint8_t> saved = DistinctSettingsBytes(0);
    ASSERT_TRUE(installation_->WriteSettings(saved));
    StartWithoutDirectSoundAndDirectInput("sound");
    const std::optional<WindowInfo> dialog = driver_->FindWindow(kAudioTitle);
    ASSERT_TRUE(dialog) << driver_->LastError();
    ASSERT_TRUE(Ready(*dialog));
    EXPECT_TRUE(driver_->Control(dialog->handle, IDC_SOUND_DRIVER_LIST)->items.empty());
    ASSERT_EQ(driver_->Click(dialog->handle, IDC_TEST_SOUND).outcome, ActionOutcome::MessageBox);
    ExpectMessage("Error Playing file!\nFile doesn't exist or sound device in use");
    EXPECT_TRUE(Accept(*dialog));
    EXPECT_EQ(installation_->Settings(), saved);
}

}  // namespace
}  // namespace e2e
