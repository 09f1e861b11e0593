// The driver finds, reads and operates the windows of another process under Wine.

#include <algorithm>

#include "e2e/driver_target_fixture.h"
#include "e2e/support/files.h"
#include "e2e/support/key_press.h"

namespace e2e {
namespace {

const ControlInfo* FindControl(const std::vector<ControlInfo>& controls, int id) {
    const auto found = std::find_if(controls.begin(), controls.end(),
                                    [id](const ControlInfo& control) { return control.id == id; });
    return found != controls.end() ? &*found : nullptr;
}

TEST_F(DriverTargetTest, FindsTheDialogByItsTitleAmongTheTopLevelWindows) {
    EXPECT_EQ(dialog_.className, "#32770");
    EXPECT_EQ(dialog_.title, kTargetTitle);
    EXPECT_NE(dialog_.processId, 0u);
    EXPECT_EQ(driver_->WindowText(dialog_.handle), kTargetTitle);

    const std::vector<WindowInfo> windows = driver_->TopLevelWindows();
    EXPECT_TRUE(std::any_of(windows.begin(), windows.end(), [&](const WindowInfo& window) {
        return window.handle == dialog_.handle && window.processId == dialog_.processId;
    }));
    // Only the exact title counts, and only for the process asked for.
    EXPECT_FALSE(driver_->FindWindow("Driver Targe", Milliseconds{0}));
    EXPECT_FALSE(driver_->FindWindow(kTargetTitle, Milliseconds{0}, dialog_.processId + 1));
    EXPECT_TRUE(driver_->FindWindow(kTargetTitle, Milliseconds{0}, dialog_.processId));
}

TEST_F(DriverTargetTest, ListsTheControlsWithTheirIdsClassesTextsAndStates) {
    const std::vector<ControlInfo> controls = driver_->Controls(dialog_.handle);
    std::vector<int> ids;
    for (const ControlInfo& control : controls)
        ids.push_back(control.id);
    EXPECT_EQ(ids, (std::vector<int>{IDC_TARGET_LANGUAGE, IDC_TARGET_FULL_SCREEN,
                                     IDC_TARGET_ENABLED, IDC_TARGET_DISABLED, IDC_TARGET_ASK,
                                     IDC_TARGET_STATUS, IDC_TARGET_PAINTS, kIdOk, kIdCancel}));

    const ControlInfo* language = FindControl(controls, IDC_TARGET_LANGUAGE);
    ASSERT_NE(language, nullptr);
    EXPECT_EQ(language->className, "ComboBox");
    // Added in code page 1252 through the ANSI API, read back as UTF-8.
    EXPECT_EQ(language->items,
              (std::vector<std::string>{"English", "Franz\xC3\xB6sisch", "Italiano"}));
    EXPECT_EQ(language->selection, 0);
    EXPECT_EQ(language->text, "English");

    const ControlInfo* fullScreen = FindControl(controls, IDC_TARGET_FULL_SCREEN);
    ASSERT_NE(fullScreen, nullptr);
    EXPECT_EQ(fullScreen->className, "Button");
    EXPECT_EQ(fullScreen->text, "Full screen");
    EXPECT_EQ(fullScreen->check, 0);

    const ControlInfo* enabled = FindControl(controls, IDC_TARGET_ENABLED);
    const ControlInfo* disabled = FindControl(controls, IDC_TARGET_DISABLED);
    ASSERT_NE(enabled, nullptr);
    ASSERT_NE(disabled, nullptr);
    EXPECT_TRUE(enabled->enabled);
    EXPECT_FALSE(disabled->enabled);
    EXPECT_TRUE(disabled->visible);
    EXPECT_FALSE(enabled->pushed);
    // Side by side in the template: same row, the disabled one to the right.
    EXPECT_EQ(enabled->area.top, disabled->area.top);
    EXPECT_LT(enabled->area.left + enabled->area.width, disabled->area.left);
    EXPECT_GT(enabled->area.height, 0);

    const ControlInfo* status = FindControl(controls, IDC_TARGET_STATUS);
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->className, "Static");
    EXPECT_EQ(status->text, "Ready");
    EXPECT_EQ(status->check, -1);
    EXPECT_EQ(status->selection, -1);
}

TEST_F(DriverTargetTest, ReadsTheTooltipOfAControlThatHasOne) {
    EXPECT_EQ(driver_->Tooltip(dialog_.handle, IDC_TARGET_ENABLED),
              "Says \u00ABClicked Enabled\u00BB");
    EXPECT_FALSE(driver_->Tooltip(dialog_.handle, IDC_TARGET_DISABLED));
    EXPECT_NE(driver_->LastError().find("no tooltip"), std::string::npos) << driver_->LastError();
}

TEST_F(DriverTargetTest, SelectingAComboItemNotifiesTheDialog) {
    const ActionResult result = driver_->SelectComboItem(dialog_.handle, IDC_TARGET_LANGUAGE, 1);
    EXPECT_EQ(result.outcome, ActionOutcome::Finished) << result.error;
    // The handler answered before the driver did, so no waiting is needed.
    EXPECT_EQ(Status(), "Selected Franz\xC3\xB6sisch");
    EXPECT_EQ(driver_->Control(dialog_.handle, IDC_TARGET_LANGUAGE)->selection, 1);
}

TEST_F(DriverTargetTest, SelectingAMissingItemIsRefused) {
    const ActionResult result = driver_->SelectComboItem(dialog_.handle, IDC_TARGET_LANGUAGE, 3);
    EXPECT_EQ(result.outcome, ActionOutcome::Failed);
    EXPECT_NE(result.error.find("no item 3"), std::string::npos) << result.error;
    EXPECT_EQ(driver_->Control(dialog_.handle, IDC_TARGET_LANGUAGE)->selection, 0);
    EXPECT_EQ(Status(), "Ready");
}

TEST_F(DriverTargetTest, ClickingAnEnabledButtonRunsItsHandler) {
    const ActionResult result = driver_->Click(dialog_.handle, IDC_TARGET_ENABLED);
    EXPECT_EQ(result.outcome, ActionOutcome::Finished) << result.error;
    EXPECT_EQ(Status(), "Clicked Enabled");
}

TEST_F(DriverTargetTest, ClickingADisabledButtonIsRefusedAsForAUser) {
    const ActionResult result = driver_->Click(dialog_.handle, IDC_TARGET_DISABLED);
    EXPECT_EQ(result.outcome, ActionOutcome::Failed);
    EXPECT_NE(result.error.find("disabled"), std::string::npos) << result.error;
    EXPECT_EQ(Status(), "Ready");
}

TEST_F(DriverTargetTest, ClickingACheckBoxTogglesItBeforeTheDialogHears) {
    EXPECT_EQ(driver_->Click(dialog_.handle, IDC_TARGET_FULL_SCREEN).outcome,
              ActionOutcome::Finished);
    EXPECT_EQ(driver_->Control(dialog_.handle, IDC_TARGET_FULL_SCREEN)->check, 1);
    EXPECT_EQ(Status(), "Full screen on");
    EXPECT_EQ(driver_->Click(dialog_.handle, IDC_TARGET_FULL_SCREEN).outcome,
              ActionOutcome::Finished);
    EXPECT_EQ(driver_->Control(dialog_.handle, IDC_TARGET_FULL_SCREEN)->check, 0);
    EXPECT_EQ(Status(), "Full screen off");
}

TEST_F(DriverTargetTest, SettingACheckBoxClicksOnlyWhenItsStateDiffers) {
    EXPECT_EQ(driver_->SetCheck(dialog_.handle, IDC_TARGET_FULL_SCREEN, 1).outcome,
              ActionOutcome::Finished);
    EXPECT_EQ(driver_->Control(dialog_.handle, IDC_TARGET_FULL_SCREEN)->check, 1);
    EXPECT_EQ(Status(), "Full screen on");

    // Already checked: no click, so the status line keeps the last click elsewhere.
    ASSERT_EQ(driver_->Click(dialog_.handle, IDC_TARGET_ENABLED).outcome, ActionOutcome::Finished);
    EXPECT_EQ(driver_->SetCheck(dialog_.handle, IDC_TARGET_FULL_SCREEN, 1).outcome,
              ActionOutcome::Finished);
    EXPECT_EQ(Status(), "Clicked Enabled");

    EXPECT_EQ(driver_->SetCheck(dialog_.handle, IDC_TARGET_FULL_SCREEN, 0).outcome,
              ActionOutcome::Finished);
    EXPECT_EQ(driver_->Control(dialog_.handle, IDC_TARGET_FULL_SCREEN)->check, 0);
    EXPECT_EQ(Status(), "Full screen off");
}

TEST_F(DriverTargetTest, PushedLookIsShownWithoutClicking) {
    ASSERT_TRUE(driver_->SetPushed(dialog_.handle, IDC_TARGET_ENABLED, true))
        << driver_->LastError();
    EXPECT_TRUE(driver_->Control(dialog_.handle, IDC_TARGET_ENABLED)->pushed);
    ASSERT_TRUE(driver_->SetPushed(dialog_.handle, IDC_TARGET_ENABLED, false));
    EXPECT_FALSE(driver_->Control(dialog_.handle, IDC_TARGET_ENABLED)->pushed);
    EXPECT_EQ(Status(), "Ready");
}

// The handler of Ask runs a modal message box: the click must come back as soon as the box is
// up, and answering it must let the handler go on.
TEST_F(DriverTargetTest, MessageBoxFromAClickIsReportedFoundAndAnswered) {
    const struct {
        int button;
        const char* status;
    } answers[] = {{kIdYes, "Answer Yes"}, {kIdNo, "Answer No"}};
    for (const auto& answer : answers) {
        SCOPED_TRACE(answer.status);
        const ActionResult click = driver_->Click(dialog_.handle, IDC_TARGET_ASK);
        ASSERT_EQ(click.outcome, ActionOutcome::MessageBox) << click.error << Status();

        const std::optional<MessageBoxInfo> box = driver_->FindMessageBox(dialog_.processId);
        ASSERT_TRUE(box) << driver_->LastError();
        EXPECT_EQ(box->window.handle, click.messageBox);
        EXPECT_EQ(box->window.title, "Target Question");
        EXPECT_EQ(box->text, "Proceed?");
        std::vector<int> buttons;
        for (const MessageBoxButton& button : box->buttons)
            buttons.push_back(button.id);
        EXPECT_EQ(buttons, (std::vector<int>{kIdYes, kIdNo}));
        // The dialog itself is no message box, even with the box open above it.
        EXPECT_FALSE(driver_->FindMessageBox(dialog_.processId + 1, Milliseconds{0}));
        // While the box is up, a user cannot reach the dialog behind it.
        const ActionResult blocked = driver_->Click(dialog_.handle, IDC_TARGET_ENABLED);
        EXPECT_EQ(blocked.outcome, ActionOutcome::Failed);
        EXPECT_NE(blocked.error.find("window of control 1003 is disabled"), std::string::npos)
            << blocked.error;

        const ActionResult answered = driver_->AnswerMessageBox(box->window.handle, answer.button);
        EXPECT_EQ(answered.outcome, ActionOutcome::Finished) << answered.error;
        EXPECT_FALSE(driver_->FindMessageBox(dialog_.processId, Milliseconds{0}));
        EXPECT_TRUE(StatusBecomes(answer.status)) << Status();
    }
}

TEST_F(DriverTargetTest, RedrawHasTheDialogPaintBeforeItReturns) {
    // The target counts its paints in a label: "Paints <n>".
    const auto paints = [&] {
        const std::string text = driver_->Control(dialog_.handle, IDC_TARGET_PAINTS)->text;
        return std::stoi(text.substr(text.find(' ') + 1));
    };
    // The first paint comes on its own once the dialog shows.
    ASSERT_TRUE(WaitUntil([&] { return paints() > 0; }));
    const int before = paints();
    ASSERT_TRUE(driver_->Redraw(dialog_.handle)) << driver_->LastError();
    EXPECT_GT(paints(), before);
}

TEST_F(DriverTargetTest, OkEndsTheProcessWithItsExitCode) {
    const ActionResult result = driver_->Click(dialog_.handle, kIdOk);
    EXPECT_TRUE(result.outcome == ActionOutcome::Finished || result.outcome == ActionOutcome::Gone)
        << result.outcome << " " << result.error;
    EXPECT_TRUE(driver_->WaitGone(dialog_.handle)) << driver_->LastError();
    EXPECT_EQ(target_->WaitForExit(kGenerousWait), kIdOk);
}

TEST_F(DriverTargetTest, ClosingTheDialogCancelsIt) {
    const ActionResult result = driver_->Close(dialog_.handle);
    EXPECT_TRUE(result.outcome == ActionOutcome::Finished || result.outcome == ActionOutcome::Gone)
        << result.outcome << " " << result.error;
    EXPECT_EQ(target_->WaitForExit(kGenerousWait), kIdCancel);
}

TEST_F(DriverTargetTest, PostedCommandReachesTheDialog) {
    ASSERT_TRUE(driver_->PostCommand(dialog_.handle, kIdCancel)) << driver_->LastError();
    EXPECT_EQ(target_->WaitForExit(kGenerousWait), kIdCancel);
}

TEST_F(DriverTargetTest, WaitingForAWindowThatStaysTimesOut) {
    EXPECT_FALSE(driver_->WaitGone(dialog_.handle, Milliseconds{100}));
    EXPECT_TRUE(target_->Running());
}

// Keys pressed on the X display reach the dialog's focused control, and the dialog itself.
TEST_F(DriverTargetTest, KeyPressesReachTheDialog) {
    ASSERT_TRUE(driver_->Activate(dialog_.handle)) << driver_->LastError();
    ASSERT_TRUE(PressKey("Down"));
    EXPECT_TRUE(StatusBecomes("Selected Franz\xC3\xB6sisch")) << Status();
    EXPECT_EQ(driver_->Control(dialog_.handle, IDC_TARGET_LANGUAGE)->selection, 1);
    ASSERT_TRUE(PressKey("Escape"));
    EXPECT_EQ(target_->WaitForExit(kGenerousWait), kIdCancel);
}

// A control's client origin is where the pointer must go for a player's click on it.
TEST_F(DriverTargetTest, PointerClickAtAControlsScreenPositionClicksIt) {
    const std::optional<ControlInfo> button = driver_->Control(dialog_.handle, IDC_TARGET_ENABLED);
    ASSERT_TRUE(button) << driver_->LastError();
    const std::optional<ScreenPoint> origin = driver_->ClientOrigin(button->handle);
    ASSERT_TRUE(origin) << driver_->LastError();
    ASSERT_TRUE(
        ClickPointerAt(origin->x + button->area.width / 2, origin->y + button->area.height / 2));
    EXPECT_TRUE(StatusBecomes("Clicked Enabled")) << Status();
}

// Run with a command on its command line, the driver answers once on standard output and tells
// success by its exit code.
TEST_F(DriverTargetTest, OneShotModeAnswersOnStandardOutput) {
    const TemporaryFolder folder;
    const auto runOnce = [&](const std::vector<std::string>& arguments, const char* name) {
        WineLaunch launch;
        launch.program = WineEnvironment::DriverProgram();
        launch.arguments = arguments;
        launch.output = folder.Path() / name;
        WineProcess driver(*wine_, launch);
        const std::optional<int> exitCode = driver.WaitForExit(kGenerousWait);
        const auto bytes = ReadFileBytes(launch.output).value_or(std::vector<std::uint8_t>{});
        return std::make_pair(exitCode, std::string(bytes.begin(), bytes.end()));
    };

    const auto [found, foundText] = runOnce({"find-window", kTargetTitle}, "found.txt");
    EXPECT_EQ(found, 0);
    EXPECT_EQ(foundText, "ok\nwindow\t" + HandleText(dialog_.handle) + "\t" +
                             std::to_string(dialog_.processId) + "\t#32770\t" + kTargetTitle +
                             "\n");

    const auto [refused, refusedText] = runOnce(
        {"click", HandleText(dialog_.handle), std::to_string(IDC_TARGET_DISABLED)}, "refused.txt");
    EXPECT_EQ(refused, 1);
    EXPECT_EQ(refusedText, "fail\tcontrol 1004 is disabled\n");
}

}  // namespace
}  // namespace e2e
