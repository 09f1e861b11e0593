// The control setup dialog and its key capture under Wine: the keyboard is the only device, and
// key presses come from xdotool, as DirectInput sees them.

#include <algorithm>

#include "e2e/product_fixture.h"
#include "e2e/support/key_press.h"
#include "e2e/support/picture.h"
#include "support/settings_builder.h"

namespace e2e {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The binding buttons in the order their captions are compared here.
constexpr int kBindingButtons[] = {IDC_BIND_LEFT,     IDC_BIND_RIGHT,     IDC_BIND_FORWARD,
                                   IDC_BIND_BACKWARD, IDC_BIND_TAV,       IDC_BIND_JUMP,
                                   IDC_BIND_SEARCH,   IDC_BIND_TURN_LEFT, IDC_BIND_TURN_RIGHT};

const std::vector<std::string> kKeyboardDefaults = {"Left Cursor",
                                                    "Right Cursor",
                                                    "Up Cursor",
                                                    "Down Cursor",
                                                    "Left Alt",
                                                    "Left Ctrl",
                                                    "Left Shift",
                                                    "Z",
                                                    "X"};

// A key bound through the capture window, as a player binds one: a click on the action's button,
// then the key. Each row starts from the keyboard defaults.
struct KeyBinding {
    const char* description;
    int button;
    const char* key;         // as xdotool names it
    const char* caption;     // as the button names it then
    int displacedFrom;       // the button whose default key it is, "Undefined" then (none: 0)
    const char* ignoredKey;  // pressed twice before the key, never captured (none: nullptr)
    // Held past the display's auto-repeat delay, so that its repeats and its release come while
    // the capture has already taken it.
    bool heldPastRepeat = false;
};

// Longer than the X server's auto-repeat delay (660 ms).
constexpr Milliseconds kPastRepeat{1000};

const KeyBinding kKeyBindings[] = {
    {"the key of another action moves to the action being set", IDC_BIND_JUMP, "Shift_L",
     "Left Shift", IDC_BIND_SEARCH, nullptr},
    {"a letter of another action moves as well", IDC_BIND_TAV, "z", "Z", IDC_BIND_TURN_LEFT,
     nullptr},
    // Not the first row: Wine's DirectInput sees the keyboard only a moment after the first
    // capture has started, and an F1 lost that way would show nothing.
    {"a key without a character is not captured, and the capture waits on", IDC_BIND_JUMP, "x", "X",
     IDC_BIND_TURN_RIGHT, "F1"},
    {"Escape is captured and does not close the dialog", IDC_BIND_TAV, "Escape", "Escape", 0,
     nullptr},
    // Were it to reach the button, Space would click it again and start another capture.
    {"Space is bound once and clicks no button", IDC_BIND_JUMP, "space", "Space", 0, nullptr, true},
    // Were it to reach the dialog manager, Enter would press OK.
    {"Enter is bound while a capture waits and presses no button", IDC_BIND_JUMP, "Return", "Enter",
     0, nullptr, true},
};

// The captions once `row` is bound and B has been captured for Forward after it.
std::vector<std::string> CaptionsAfter(const KeyBinding& row) {
    std::vector<std::string> captions = kKeyboardDefaults;
    const auto caption = [&](int id) -> std::string& {
        return captions[static_cast<std::size_t>(
            std::find(std::begin(kBindingButtons), std::end(kBindingButtons), id) -
            std::begin(kBindingButtons))];
    };
    if (row.displacedFrom != 0)
        caption(row.displacedFrom) = "Undefined";
    caption(row.button) = row.caption;
    caption(IDC_BIND_FORWARD) = "B";
    return captions;
}

class ControlSetupTest : public ProductTest {
  protected:
    std::optional<WindowInfo> Open() { return OpenSetup("control", 0, kControlTitle); }

    std::vector<std::string> Captions(const WindowInfo& dialog) {
        std::vector<std::string> captions;
        for (int id : kBindingButtons)
            captions.push_back(ControlText(dialog, id).value_or("?"));
        return captions;
    }

    // The capture window as shown now: the dialog's process shows it, untitled, with the prompt.
    std::optional<WindowInfo> ShownCaptureWindow(const WindowInfo& dialog) {
        for (const WindowInfo& window : driver_->TopLevelWindows()) {
            if (window.processId == dialog.processId && window.handle != dialog.handle &&
                ControlText(window, IDC_CAPTURE_PROMPT)) {
                return window;
            }
        }
        return std::nullopt;
    }

    // The capture window, once shown.
    std::optional<WindowInfo> CaptureWindow(const WindowInfo& dialog) {
        std::optional<WindowInfo> found;
        WaitUntil([&] { return (found = ShownCaptureWindow(dialog)).has_value(); });
        return found;
    }

    // Presses `key` until `caption` shows on button `id`, with the dialog in the foreground.
    bool PressUntilCaption(const std::string& key, const WindowInfo& dialog, int id,
                           const std::string& caption) {
        return driver_->Activate(dialog.handle) &&
               KeepPressingUntilCaption(key, dialog, id, caption);
    }

    // Presses `key` until `caption` shows on button `id`, wherever the keyboard's focus is. Wine's
    // DirectInput starts seeing the keyboard a moment after it is first acquired, as the first
    // capture window opens; a key pressed sooner is lost, and the player, like this test, presses
    // it again.
    bool KeepPressingUntilCaption(const std::string& key, const WindowInfo& dialog, int id,
                                  const std::string& caption, Milliseconds hold = {}) {
        for (int attempt = 0; attempt < 10; ++attempt) {
            if (!(hold.count() > 0 ? HoldKey(key, hold) : PressKey(key)))
                return false;
            if (WaitUntil([&] { return ControlText(dialog, id) == caption; }, Milliseconds{2000}))
                return true;
        }
        return false;
    }

    // The dialog opened on `file`, with Left Shift captured for Jump; nothing when any step fails.
    std::optional<WindowInfo> OpenAndBindLeftShiftToJump(const Bytes& file) {
        if (!installation_->WriteSettings(file))
            return std::nullopt;
        const std::optional<WindowInfo> dialog = Open();
        if (!dialog || !Handled(driver_->Click(dialog->handle, IDC_BIND_JUMP)) ||
            !CaptureWindow(*dialog) ||
            !PressUntilCaption("Shift_L", *dialog, IDC_BIND_JUMP, "Left Shift")) {
            return std::nullopt;
        }
        return dialog;
    }

    // Restores the default bindings through the Defaults button, with Yes to its question.
    bool RestoreDefaults(const WindowInfo& dialog) {
        if (driver_->Click(dialog.handle, IDC_DEFAULTS).outcome != ActionOutcome::MessageBox)
            return false;
        const std::optional<MessageBoxInfo> question = driver_->FindMessageBox();
        return question && Handled(driver_->AnswerMessageBox(question->window.handle, kIdYes)) &&
               WaitUntil([&] { return Captions(dialog) == kKeyboardDefaults; });
    }
};

TEST_F(ControlSetupTest, FirstStartShowsTheKeyboardDefaultsWithoutCalibration) {
    const std::optional<WindowInfo> dialog = Open();
    ASSERT_TRUE(dialog) << driver_->LastError();
    EXPECT_EQ(Captions(*dialog), kKeyboardDefaults);
    EXPECT_FALSE(driver_->Control(dialog->handle, IDC_CALIBRATE)->enabled);
    const std::optional<ControlInfo> devices =
        driver_->Control(dialog->handle, IDC_CONTROLLER_LIST);
    ASSERT_TRUE(devices);
    EXPECT_EQ(devices->items, std::vector<std::string>{"Keyboard"});
    EXPECT_EQ(devices->selection, 0);
    EXPECT_EQ(ControlText(*dialog, IDC_FORWARD_LABEL), "Forward");  // the template says "Up"
}

// The rows bind their keys one after another in one dialog. The button is clicked with the mouse,
// so that it keeps the keyboard's focus as it does for a player. After the key, Q must find no
// capture waiting: a key that the button or the dialog manager acts on could otherwise have
// started another; a capture of B for Forward, started by a click afterwards, shows that Q has long
// been read by then.
TEST_F(ControlSetupTest, EachCaptureBindsTheKeyPressedToTheActionClicked) {
    const std::optional<WindowInfo> dialog = Open();
    ASSERT_TRUE(dialog) << driver_->LastError();
    for (const KeyBinding& row : kKeyBindings) {
        SCOPED_TRACE(row.description);
        const std::optional<std::string> before = ControlText(*dialog, row.button);
        ASSERT_TRUE(ClickWithPointer(*dialog, row.button));
        const std::optional<WindowInfo> capture = CaptureWindow(*dialog);
        ASSERT_TRUE(capture);
        EXPECT_EQ(ControlText(*capture, IDC_CAPTURE_PROMPT), "Press your desired key.");
        if (row.ignoredKey != nullptr) {
            ASSERT_TRUE(PressKey(row.ignoredKey));
            ASSERT_TRUE(PressKey(row.ignoredKey));
            EXPECT_EQ(ControlText(*dialog, row.button), before);
        }
        ASSERT_TRUE(KeepPressingUntilCaption(row.key, *dialog, row.button, row.caption,
                                             row.heldPastRepeat ? kPastRepeat : Milliseconds{}));

        ASSERT_TRUE(PressKey("q"));
        // Every capture has ended and hidden its window: the one for the key and any that the key
        // may have started.
        ASSERT_TRUE(WaitUntil([&] { return !ShownCaptureWindow(*dialog); }));
        ASSERT_TRUE(ClickWithPointer(*dialog, IDC_BIND_FORWARD));
        ASSERT_TRUE(KeepPressingUntilCaption("b", *dialog, IDC_BIND_FORWARD, "B"));
        EXPECT_EQ(Captions(*dialog), CaptionsAfter(row));
        EXPECT_TRUE(setup_->Running());
        ASSERT_TRUE(RestoreDefaults(*dialog));
    }

    // The close request Escape would make of a dialog is ignored as well.
    EXPECT_TRUE(driver_->PostCommand(dialog->handle, kIdCancel));
    EXPECT_TRUE(driver_->Redraw(dialog->handle));  // handled after the posted command
    EXPECT_TRUE(setup_->Running());
    EXPECT_EQ(driver_->WindowText(dialog->handle), kControlTitle);
}

// A key still held from the last capture, as a stuck key is, neither takes the next capture nor
// keeps it from starting.
TEST_F(ControlSetupTest, AKeyStillHeldNeitherBlocksNorTakesTheNextCapture) {
    const std::optional<WindowInfo> dialog = Open();
    ASSERT_TRUE(dialog) << driver_->LastError();
    // A first capture, so that DirectInput sees the keyboard from here on.
    ASSERT_TRUE(ClickWithPointer(*dialog, IDC_BIND_FORWARD));
    ASSERT_TRUE(KeepPressingUntilCaption("b", *dialog, IDC_BIND_FORWARD, "B"));
    ASSERT_TRUE(WaitUntil([&] { return !ShownCaptureWindow(*dialog); }));

    ASSERT_TRUE(ClickWithPointer(*dialog, IDC_BIND_JUMP));
    ASSERT_TRUE(CaptureWindow(*dialog));
    ASSERT_TRUE(KeyDown("Shift_L"));
    const bool jumpBound =
        WaitUntil([&] { return ControlText(*dialog, IDC_BIND_JUMP) == "Left Shift"; });
    // Still held: the next capture starts, and takes the key pressed now.
    const bool tavClicked = ClickWithPointer(*dialog, IDC_BIND_TAV);
    const bool tavBound = tavClicked && KeepPressingUntilCaption("x", *dialog, IDC_BIND_TAV, "X");
    ASSERT_TRUE(KeyUp("Shift_L"));
    ASSERT_TRUE(jumpBound);
    ASSERT_TRUE(tavClicked);
    ASSERT_TRUE(tavBound) << ControlText(*dialog, IDC_BIND_TAV).value_or("?") << " / "
                          << ControlText(*dialog, IDC_BIND_JUMP).value_or("?");
    EXPECT_EQ(ControlText(*dialog, IDC_BIND_SEARCH), "Undefined");      // Left Shift went to Jump
    EXPECT_EQ(ControlText(*dialog, IDC_BIND_TURN_RIGHT), "Undefined");  // X went to Tav
}

// A key without a name of its own shows what the keyboard layout types on it: on a German
// layout the key where a US keyboard has Y types Z, and the one of US Z types Y.
TEST_F(ControlSetupTest, KeysAreNamedByTheKeyboardLayout) {
    const KeyboardLayoutForTest german("de");
    ASSERT_TRUE(german.Set());
    Bytes file = DistinctSettingsBytes(0);
    std::fill(file.begin() + 64, file.begin() + 80, 0);  // the keyboard
    PutLittleEndian32(file, 80 + 4 * 4, 39 + 0x15);      // Jump, the file's fifth action
    PutLittleEndian32(file, 80 + 4 * 7, 39 + 0x2C);      // Turn Left, its eighth
    ASSERT_TRUE(installation_->WriteSettings(file));

    const std::optional<WindowInfo> dialog = Open();
    ASSERT_TRUE(dialog) << driver_->LastError();
    EXPECT_EQ(ControlText(*dialog, IDC_BIND_JUMP), "Z");
    EXPECT_EQ(ControlText(*dialog, IDC_BIND_TURN_LEFT), "Y");
}

// On a French keyboard the key left of "é" types "&". Its button shows it: prefix processing
// would take the "&" for a mnemonic's mark and draw nothing at all.
TEST_F(ControlSetupTest, AKeyThatTypesAnAmpersandShowsItOnItsButton) {
    const KeyboardLayoutForTest french("fr");
    ASSERT_TRUE(french.Set());
    ASSERT_TRUE(RemoveFile(installation_->ConfigFile("cbg.sar")));  // black text, plain face
    const std::optional<WindowInfo> dialog = Open();
    ASSERT_TRUE(dialog) << driver_->LastError();
    ASSERT_TRUE(ClickWithPointer(*dialog, IDC_BIND_JUMP));
    ASSERT_TRUE(CaptureWindow(*dialog));
    ASSERT_TRUE(KeepPressingUntilCaption("ampersand", *dialog, IDC_BIND_JUMP, "&"));
    ASSERT_TRUE(WaitUntil([&] { return !ShownCaptureWindow(*dialog); }));

    const std::optional<ControlInfo> jump = driver_->Control(dialog->handle, IDC_BIND_JUMP);
    ASSERT_TRUE(jump);
    const TemporaryFolder shots;
    const std::filesystem::path file = shots.Path() / "shot.bmp";
    // The black pixels of the button's text on the screen, once the button has been drawn anew.
    const auto textPixels = [&] {
        const std::optional<Picture> shot = driver_->SaveClientArea(dialog->handle, file)
                                                ? Picture::Load(file.string())
                                                : std::nullopt;
        int black = 0;
        for (int y = jump->area.top; shot && y < jump->area.top + jump->area.height; ++y) {
            for (int x = jump->area.left; x < jump->area.left + jump->area.width; ++x)
                black += shot->Pixel(x, y) == Colour{0, 0, 0};
        }
        return black;
    };
    EXPECT_TRUE(WaitUntil([&] { return textPixels() > 10; }));
}

TEST_F(ControlSetupTest, DefaultsAskFirstAndRestoreBothSetsOnYes) {
    Bytes custom = DistinctSettingsBytes(0);
    std::fill(custom.begin() + 64, custom.begin() + 80, 0);  // the keyboard
    for (int i = 0; i < 9; ++i) {
        PutLittleEndian32(custom, 80 + 4 * i, 39 + 16 + i);  // Q, W, E ... on the keyboard
        PutLittleEndian32(custom, 124 + 4 * i, 10 + i);      // buttons 10 to 18
    }
    ASSERT_TRUE(installation_->WriteSettings(custom));
    const std::optional<WindowInfo> dialog = Open();
    ASSERT_TRUE(dialog) << driver_->LastError();
    const std::vector<std::string> before = Captions(*dialog);
    ASSERT_NE(before, kKeyboardDefaults);

    const ActionResult ask = driver_->Click(dialog->handle, IDC_DEFAULTS);
    ASSERT_EQ(ask.outcome, ActionOutcome::MessageBox);
    const std::optional<MessageBoxInfo> question = driver_->FindMessageBox();
    ASSERT_TRUE(question);
    EXPECT_EQ(question->window.title, "Question");
    EXPECT_EQ(question->text, "Are you sure you want to restore the controls to their defaults?");
    EXPECT_TRUE(Handled(driver_->AnswerMessageBox(question->window.handle, kIdNo)));
    EXPECT_EQ(Captions(*dialog), before);

    EXPECT_TRUE(RestoreDefaults(*dialog));
    EXPECT_TRUE(Accept(*dialog));

    const std::optional<Bytes> after = installation_->Settings();
    ASSERT_TRUE(after);
    const std::uint32_t keyboard[] = {242, 244, 239, 247, 68, 81, 95, 83, 84};
    const std::uint32_t controller[] = {33, 33, 34, 34, 2, 3, 1, 4, 5};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(GetLittleEndian32(*after, 80 + 4 * i), keyboard[i]) << i;
        EXPECT_EQ(GetLittleEndian32(*after, 124 + 4 * i), controller[i]) << i;
    }
}

TEST_F(ControlSetupTest, OkWritesTheBindingsInFileOrderAndLeavesEveryOtherByte) {
    const Bytes before = DistinctSettingsBytes(0);
    const std::optional<WindowInfo> dialog = OpenAndBindLeftShiftToJump(before);
    ASSERT_TRUE(dialog) << driver_->LastError();
    EXPECT_TRUE(Accept(*dialog));

    Bytes expected = before;
    PutLittleEndian32(expected, 80 + 4 * 4, 39 + 0x2A);  // Jump, the file's fifth action
    PutLittleEndian32(expected, 116, 39);
    EXPECT_EQ(installation_->Settings(), expected);
}

TEST_F(ControlSetupTest, CancelWritesNothing) {
    const Bytes before = DistinctSettingsBytes(0);
    const std::optional<WindowInfo> dialog = OpenAndBindLeftShiftToJump(before);
    ASSERT_TRUE(dialog) << driver_->LastError();
    EXPECT_TRUE(Handled(driver_->Click(dialog->handle, IDC_CONTROL_CANCEL)));
    EXPECT_TRUE(Ended(*setup_));
    EXPECT_EQ(installation_->Settings(), before);
}

}  // namespace
}  // namespace e2e
