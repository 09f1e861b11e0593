// The audio setup dialog under Wine, with two ALSA null devices as its sound outputs.

#include <algorithm>

#include "e2e/product_fixture.h"
#include "support/settings_builder.h"

namespace e2e {
namespace {

using Bytes = std::vector<std::uint8_t>;

class AudioSetupTest : public ProductTest {
  protected:
    std::optional<WindowInfo> Open(int language = 0) {
        return OpenSetup("sound", language, kAudioTitle);
    }

    // The GUID the dialog stores for the device of list entry `entry`: learnt by choosing it and
    // saving once without a file.
    Bytes DeviceGuid(int entry) {
        RemoveFile(installation_->SettingsPath());
        const std::optional<WindowInfo> dialog = Open();
        if (!dialog || (entry != 0 && !Handled(driver_->SelectComboItem(
                                          dialog->handle, IDC_SOUND_DRIVER_LIST, entry)))) {
            return {};
        }
        EXPECT_TRUE(Accept(*dialog));
        const std::optional<Bytes> settings = installation_->Settings();
        if (!settings || settings->size() != 172)
            return {};
        return Bytes(settings->begin() + 4, settings->begin() + 20);
    }
    Bytes FirstDeviceGuid() { return DeviceGuid(0); }
};

TEST_F(AudioSetupTest, ListsTheOutputDeviceButNotThePrimaryDriver) {
    const std::optional<WindowInfo> dialog = Open();
    ASSERT_TRUE(dialog) << driver_->LastError();
    const std::optional<ControlInfo> list = driver_->Control(dialog->handle, IDC_SOUND_DRIVER_LIST);
    ASSERT_TRUE(list);
    ASSERT_FALSE(list->items.empty());
    EXPECT_EQ(std::count(list->items.begin(), list->items.end(), "Primary Sound Driver"), 0);
    EXPECT_EQ(list->selection, 0);
}

TEST_F(AudioSetupTest, OkChangesOnlyTheVersionAndTheDeviceOfAnExistingFile) {
    const Bytes device = FirstDeviceGuid();
    ASSERT_EQ(device.size(), 16u);
    ASSERT_NE(device, Bytes(16, 0));

    // A file of another version, holding a device that is not there.
    Bytes before = DistinctSettingsBytes(0);
    PutLittleEndian32(before, 0, 0x40000000);
    ASSERT_TRUE(installation_->WriteSettings(before));
    setup_ = &Start("Config.exe", {"sound", "0"});
    const std::optional<MessageBoxInfo> outdated = driver_->FindMessageBox();
    ASSERT_TRUE(outdated) << driver_->LastError();
    EXPECT_EQ(outdated->text, "The tavrin.dat file is out of date or corrupt. Using defaults");
    EXPECT_EQ(outdated->window.title, "Tavrin Error");
    EXPECT_TRUE(Handled(driver_->AnswerMessageBox(outdated->window.handle, kIdOk)));

    const std::optional<WindowInfo> dialog = driver_->FindWindow(kAudioTitle);
    ASSERT_TRUE(dialog) << driver_->LastError();
    ASSERT_TRUE(Ready(*dialog));
    EXPECT_EQ(driver_->Control(dialog->handle, IDC_SOUND_DRIVER_LIST)->selection, 0);
    EXPECT_TRUE(Accept(*dialog));

    Bytes expected = before;
    PutLittleEndian32(expected, 0, 0x40066666);
    std::copy(device.begin(), device.end(), expected.begin() + 4);
    EXPECT_EQ(installation_->Settings(), expected);
}

// The saved device is the second of the two listed: its selection is no fallback to the first.
TEST_F(AudioSetupTest, SavedDeviceIsSelectedAndKeptOnOk) {
    const Bytes device = DeviceGuid(1);
    ASSERT_EQ(device.size(), 16u);
    ASSERT_NE(device, FirstDeviceGuid());
    Bytes saved = DistinctSettingsBytes(0);
    std::copy(device.begin(), device.end(), saved.begin() + 4);
    ASSERT_TRUE(installation_->WriteSettings(saved));

    const std::optional<WindowInfo> dialog = Open();
    ASSERT_TRUE(dialog) << driver_->LastError();
    EXPECT_EQ(driver_->Control(dialog->handle, IDC_SOUND_DRIVER_LIST)->selection, 1);
    EXPECT_TRUE(Accept(*dialog));
    EXPECT_EQ(installation_->Settings(), saved);
}

TEST_F(AudioSetupTest, CancelLeavesTheFileAsItWas) {
    const Bytes before = DistinctSettingsBytes(0);
    ASSERT_TRUE(installation_->WriteSettings(before));
    const std::optional<WindowInfo> dialog = Open();
    ASSERT_TRUE(dialog) << driver_->LastError();
    EXPECT_TRUE(Handled(driver_->Click(dialog->handle, kIdCancel)));
    EXPECT_TRUE(Ended(*setup_));
    EXPECT_EQ(installation_->Settings(), before);
}

// With the sound file and a device, Test plays without a message, also when pressed again while
// the sound plays. Whether that press restarts or stops the sound cannot be seen from outside the
// process: the Windows-side test of the Test button checks it on a real buffer.
TEST_F(AudioSetupTest, TestShowsNoMessageAtAFirstOrASecondPress) {
    const std::optional<WindowInfo> dialog = Open();
    ASSERT_TRUE(dialog) << driver_->LastError();
    EXPECT_EQ(driver_->Click(dialog->handle, IDC_TEST_SOUND).outcome, ActionOutcome::Finished);
    EXPECT_EQ(driver_->Click(dialog->handle, IDC_TEST_SOUND).outcome, ActionOutcome::Finished);
}

TEST_F(AudioSetupTest, TestWithoutTheSoundFileSaysSoInTheCurrentLanguage) {
    ASSERT_TRUE(RemoveFile(installation_->ConfigFile("tavrin.wav")));
    const std::optional<WindowInfo> dialog = OpenSetup("sound", 2, "Tavrin Audio-Setup");
    ASSERT_TRUE(dialog) << driver_->LastError();
    const ActionResult test = driver_->Click(dialog->handle, IDC_TEST_SOUND);
    ASSERT_EQ(test.outcome, ActionOutcome::MessageBox);
    const std::optional<MessageBoxInfo> box = driver_->FindMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->window.title, "Tavrin-Fehler");
    EXPECT_EQ(
        box->text,
        "Fehler beim Abspielen der Datei.\nDatei nicht vorhanden oder Soundkarte in Benutzung");
    EXPECT_TRUE(Handled(driver_->AnswerMessageBox(box->window.handle, kIdOk)));

    // English, as the first language asks for it.
    ASSERT_TRUE(installation_->WriteSettings(DistinctSettingsBytes(0)));
    ASSERT_TRUE(Handled(driver_->SelectComboItem(dialog->handle, IDC_SOUND_DRIVER_LIST, 0)));
    ASSERT_TRUE(driver_->FindWindow(kAudioTitle))
        << "the dialog did not take English from the file";
    ASSERT_EQ(driver_->Click(dialog->handle, IDC_TEST_SOUND).outcome, ActionOutcome::MessageBox);
    const std::optional<MessageBoxInfo> english = driver_->FindMessageBox();
    ASSERT_TRUE(english);
    EXPECT_EQ(english->text, "Error Playing file!\nFile doesn't exist or sound device in use");
}

TEST_F(AudioSetupTest, OkThatCannotCreateTheFileSaysSoAndStillEnds) {
    // A folder of that name: the file cannot be created.
    std::filesystem::create_directory(installation_->SettingsPath());
    const std::optional<WindowInfo> dialog = Open();
    ASSERT_TRUE(dialog) << driver_->LastError();
    ASSERT_EQ(driver_->Click(dialog->handle, kIdOk).outcome, ActionOutcome::MessageBox);
    const std::optional<MessageBoxInfo> box = driver_->FindMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "Error Creating tavrin.dat file");
    EXPECT_EQ(box->buttons.size(), 2u);  // OK and Cancel; the answer does not matter
    EXPECT_TRUE(Handled(driver_->AnswerMessageBox(box->window.handle, kIdCancel)));
    EXPECT_TRUE(Ended(*setup_));
    EXPECT_TRUE(std::filesystem::is_directory(installation_->SettingsPath()));
}

TEST_F(AudioSetupTest, CaptionsFollowTheLanguageOfTheFileOnDiskAtTheNextPaint) {
    const std::optional<WindowInfo> dialog = Open();
    ASSERT_TRUE(dialog) << driver_->LastError();
    EXPECT_EQ(ControlText(*dialog, kIdCancel), "Cancel");

    ASSERT_TRUE(installation_->WriteSettings(DistinctSettingsBytes(2)));
    // Choosing a device repaints the dialog.
    ASSERT_TRUE(Handled(driver_->SelectComboItem(dialog->handle, IDC_SOUND_DRIVER_LIST, 0)));
    ASSERT_TRUE(driver_->FindWindow("Tavrin Audio-Setup")) << driver_->LastError();
    EXPECT_EQ(ControlText(*dialog, kIdCancel), "Abbrechen");
    EXPECT_EQ(ControlText(*dialog, IDC_SOUND_DRIVER_LABEL), "Treiber");

    // A file of another version changes nothing, and says nothing while painting.
    Bytes outdated = DistinctSettingsBytes(4);
    PutLittleEndian32(outdated, 0, 0x400CCCCD);
    ASSERT_TRUE(installation_->WriteSettings(outdated));
    ASSERT_TRUE(Handled(driver_->SelectComboItem(dialog->handle, IDC_SOUND_DRIVER_LIST, 0)));
    EXPECT_FALSE(driver_->FindMessageBox(0, Milliseconds{500}));
    EXPECT_EQ(driver_->WindowText(dialog->handle), "Tavrin Audio-Setup");
}

}  // namespace
}  // namespace e2e
