// The control setup's nine actions and its bindings: the two orders of the actions, loading and
// restoring the bindings, the start-up decision for defaults, and the binding of a captured input
// with the conflicts it resolves.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "controls/bindings.h"
#include "controls/control_actions.h"
#include "controls/input_code.h"
#include "settings/settings_file.h"
#include "support/settings_builder.h"

namespace {

using A = ControlAction;
using Actions = std::vector<ControlAction>;

// DirectInput scan codes (DIK_*) and the codes the tests bind.
constexpr int kScanQ = 0x10;
constexpr int kScanZ = 0x2C;
constexpr InputCode kLeftShift = 81;  // Search's keyboard default
constexpr InputCode kKeyQ = KeyCode(kScanQ);
constexpr InputCode kXAxis = 33;
constexpr InputCode kYAxis = 34;
constexpr InputCode kZAxis = 35;

char16_t EnglishLayout(int scanCode) {
    switch (scanCode) {
        case kScanQ:
            return u'Q';
        case kScanZ:
            return u'Z';
        case 0x2D:
            return u'X';
        default:
            return u'\0';
    }
}
const KeyCharacter kEnglishLayout = EnglishLayout;

SettingsFile RecordFrom(const std::vector<std::uint8_t>& bytes) {
    SettingsFile record;
    OverlaySettings(record, bytes.data(), bytes.size());
    return record;
}

std::vector<std::uint8_t> BytesOf(const SettingsFile& record) {
    const SettingsBytes bytes = EncodeSettings(record);
    return {bytes.begin(), bytes.end()};
}

// A record as the tool writes it after the defaults: version 2.1, both default binding arrays.
SettingsFile FreshDefaults() {
    SettingsFile record;
    ApplyDefaultBindings(record);
    return record;
}

// A controller's GUID whose first half is set.
Guid SomeController() {
    Guid guid;
    guid.bytes = {0x6F, 0x1D, 0x2B, 0x61, 0xD5, 0xA0, 0x11, 0xCF,
                  0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00};
    return guid;
}

std::vector<std::u16string> Captions(const ControlBindings& bindings, int language = kEnglish) {
    std::vector<std::u16string> captions;
    for (ControlAction action : kControlActions)
        captions.push_back(bindings.Caption(action, kEnglishLayout, language));
    return captions;
}

// Bindings over `record` with the keyboard (item 0) or the first controller (item 1) selected.
struct Dialog {
    explicit Dialog(SettingsFile start, int selected = 0) : record(start), bindings(record) {
        bindings.selectedController = selected;
        bindings.LoadSets();
    }
    // The whole effect of one capture: the click, then the input.
    Actions Capture(ControlAction action, InputCode code) {
        return bindings.ApplyBinding(bindings.StartCapture(action), code);
    }

    SettingsFile record;
    ControlBindings bindings;
};

// ---- The nine actions ----

TEST(ControlActions, DialogOrderButtonsAndFileIndices) {
    const int buttons[] = {1033, 1034, 1035, 1036, 1037, 1038, 1040, 1041, 1042};
    // Tav, Jump and Search are 4, 5, 6 in the dialog but 6, 4, 5 in the file.
    const int fileIndices[] = {0, 1, 2, 3, 6, 4, 5, 7, 8};
    for (int index = 0; index < kControlActionCount; ++index) {
        const ControlAction action = kControlActions[index];
        EXPECT_EQ(DialogIndexOf(action), index);
        EXPECT_EQ(BindingButtonId(action), buttons[index]) << index;
        EXPECT_EQ(ActionOfButton(buttons[index]), action) << index;
        EXPECT_EQ(static_cast<int>(FileActionOf(action)), fileIndices[index]) << index;
        EXPECT_EQ(ControlActionOf(FileActionOf(action)), action) << index;
    }
    EXPECT_EQ(FileActionOf(A::Tav), SettingsAction::Tav);
    EXPECT_EQ(FileActionOf(A::Jump), SettingsAction::Jump);
    EXPECT_EQ(ActionOfButton(1039), std::nullopt);  // no button between Jump and Search
    EXPECT_EQ(ActionOfButton(1), std::nullopt);
}

TEST(ControlActions, PairsAndTheActionsThatAcceptAxes) {
    EXPECT_EQ(PartnerOf(A::Left), A::Right);
    EXPECT_EQ(PartnerOf(A::Right), A::Left);
    EXPECT_EQ(PartnerOf(A::Forward), A::Backward);
    EXPECT_EQ(PartnerOf(A::Backward), A::Forward);
    EXPECT_EQ(PartnerOf(A::TurnLeft), A::TurnRight);
    EXPECT_EQ(PartnerOf(A::TurnRight), A::TurnLeft);
    for (ControlAction unpaired : {A::Tav, A::Jump, A::Search}) {
        EXPECT_EQ(PartnerOf(unpaired), std::nullopt);
        EXPECT_FALSE(IsDirectional(unpaired));
    }
    EXPECT_TRUE(IsDirectional(A::Left));
    EXPECT_TRUE(IsDirectional(A::TurnRight));
}

TEST(ControlActions, CaptionsAreSetInTheirOwnOrder) {
    std::vector<int> ids;
    for (ControlAction action : kCaptionRefreshOrder)
        ids.push_back(BindingButtonId(action));
    EXPECT_EQ(ids, (std::vector<int>{1033, 1034, 1035, 1036, 1038, 1040, 1037, 1041, 1042}));
}

// ---- Loading, defaults and the start ----

TEST(ControlBindings, LoadingTranslatesFileOrderIntoDialogOrder) {
    std::vector<std::uint8_t> bytes = DistinctSettingsBytes();
    for (int file = 0; file < kActionCount; ++file) {
        PutLittleEndian32(bytes, 80 + 4 * file, 100 + file);   // keyboardBindings
        PutLittleEndian32(bytes, 124 + 4 * file, 200 + file);  // controllerBindings
    }
    Dialog dialog(RecordFrom(bytes));
    EXPECT_EQ(dialog.bindings.keyboardSet.codes,
              (std::array<InputCode, 9>{100, 101, 102, 103, 106, 104, 105, 107, 108}));
    EXPECT_EQ(dialog.bindings.controllerSet.codes,
              (std::array<InputCode, 9>{200, 201, 202, 203, 206, 204, 205, 207, 208}));
    EXPECT_EQ(BytesOf(dialog.record), bytes);  // loading reads only
}

TEST(ControlBindings, DefaultsFillBothSetsAndTouchOnlyTheBindingFieldsOfTheRecord) {
    std::vector<std::uint8_t> bytes = DistinctSettingsBytes(3);
    PutLittleEndian32(bytes, 0, 0x40000000);  // version 2.0
    Dialog dialog(RecordFrom(bytes), 1);
    dialog.bindings.RestoreDefaults();

    // Dialog order: Left, Right, Forward, Backward, Tav, Jump, Search, Turn Left, Turn Right.
    EXPECT_EQ(dialog.bindings.keyboardSet.codes,
              (std::array<InputCode, 9>{242, 244, 239, 247, 95, 68, 81, 83, 84}));
    EXPECT_EQ(dialog.bindings.controllerSet.codes,
              (std::array<InputCode, 9>{33, 33, 34, 34, 1, 2, 3, 4, 5}));

    SettingsFile expected = RecordFrom(bytes);
    ApplyDefaultBindings(expected);
    EXPECT_EQ(BytesOf(dialog.record), BytesOf(expected));
    EXPECT_EQ(GetLittleEndian32(BytesOf(dialog.record), 0), 0x40066666u);
    EXPECT_EQ(GetLittleEndian32(BytesOf(dialog.record), 116), 39u);
    EXPECT_EQ(dialog.record.controllerDevice, RecordFrom(bytes).controllerDevice);
}

TEST(ControlBindings, TheSetThatMustBeBoundDependsOnTheFirstHalfOfTheControllerGuid) {
    SettingsFile record = FreshDefaults();
    record.keyboardBindings = {};
    Dialog keyboardUnbound(record);
    EXPECT_TRUE(keyboardUnbound.bindings.AllUnbound());

    // A controller named: only its set counts, and it is bound.
    record.controllerDevice = SomeController();
    Dialog controllerNamed(record);
    EXPECT_FALSE(controllerNamed.bindings.AllUnbound());

    // Bytes 8 to 15 alone do not name a controller.
    record.controllerDevice = Guid{};
    record.controllerDevice.bytes[8] = 1;
    record.controllerDevice.bytes[15] = 1;
    Dialog secondHalfOnly(record);
    EXPECT_TRUE(secondHalfOnly.bindings.AllUnbound());

    // One binding anywhere in the set is enough.
    record.keyboardBindings[static_cast<int>(SettingsAction::TurnRight)] = 84;
    Dialog oneBound(record);
    EXPECT_FALSE(oneBound.bindings.AllUnbound());
}

TEST(ControlBindings, StartWithoutAFileShowsTheKeyboardDefaults) {
    SettingsFile record;  // nothing was read
    ControlBindings bindings(record);
    EXPECT_TRUE(bindings.LoadAtStart(/*fileOpened=*/false, /*versionPasses=*/false));

    EXPECT_EQ(Captions(bindings), (std::vector<std::u16string>{
                                      u"Left Cursor", u"Right Cursor", u"Up Cursor", u"Down Cursor",
                                      u"Left Alt", u"Left Ctrl", u"Left Shift", u"Z", u"X"}));
    EXPECT_FALSE(bindings.CalibrateEnabled());
    EXPECT_EQ(BytesOf(record), BytesOf(FreshDefaults()));  // nothing but the binding defaults
}

TEST(ControlBindings, StartWithAValidBoundFileKeepsIt) {
    std::vector<std::uint8_t> bytes = DistinctSettingsBytes();
    PutLittleEndian32(bytes, 80 + 4 * 6, static_cast<std::uint32_t>(kKeyQ));  // Tav on Q
    SettingsFile record = RecordFrom(bytes);
    ControlBindings bindings(record);
    EXPECT_FALSE(bindings.LoadAtStart(true, true));
    EXPECT_EQ(bindings.keyboardSet[A::Tav], kKeyQ);
    EXPECT_EQ(BytesOf(record), bytes);
}

TEST(ControlBindings, StartWithAnOutdatedFileRestoresDefaultsOverWhatItRead) {
    std::vector<std::uint8_t> bytes = DistinctSettingsBytes(2);
    PutLittleEndian32(bytes, 0, 0x400CCCCD);  // version 2.2
    SettingsFile record = RecordFrom(bytes);
    ControlBindings bindings(record);
    EXPECT_TRUE(bindings.LoadAtStart(true, false));

    SettingsFile expected = RecordFrom(bytes);
    ApplyDefaultBindings(expected);
    EXPECT_EQ(BytesOf(record), BytesOf(expected));  // the rest of what was read stays
    EXPECT_EQ(bindings.keyboardSet[A::Left], 242);
}

TEST(ControlBindings, StartWithANamedControllerButNoControllerBindingsRestoresDefaults) {
    SettingsFile record = FreshDefaults();
    record.controllerDevice = SomeController();
    record.controllerBindings = {};
    record.keyboardBindings[0] = kKeyQ;  // the keyboard set does not count now
    ControlBindings bindings(record);
    EXPECT_TRUE(bindings.LoadAtStart(true, true));
    EXPECT_EQ(record.controllerBindings, kDefaultControllerBindings);
    EXPECT_EQ(record.keyboardBindings, kDefaultKeyboardBindings);
    EXPECT_EQ(record.controllerDevice, SomeController());
}

TEST(ControlBindings, CaptionsFollowTheSelectedDevice) {
    Dialog dialog(FreshDefaults());
    dialog.bindings.selectedController = 1;
    EXPECT_TRUE(dialog.bindings.CalibrateEnabled());
    EXPECT_EQ(
        Captions(dialog.bindings),
        (std::vector<std::u16string>{u"X Axis", u"X Axis", u"Y Axis", u"Y Axis", u"Button 01",
                                     u"Button 02", u"Button 03", u"Button 04", u"Button 05"}));
    EXPECT_EQ(dialog.bindings.Caption(A::Forward, kEnglishLayout, kGerman), u"Y-Achse");

    dialog.bindings.selectedController = 0;
    EXPECT_FALSE(dialog.bindings.CalibrateEnabled());
    EXPECT_EQ(dialog.bindings.Caption(A::Tav, kEnglishLayout, kFrench), u"Alt gauche");
}

// ---- The capture's target ----

TEST(ControlBindings, ACaptureWritesIntoTheArrayOfTheDeviceSelectedAtTheClick) {
    Dialog dialog(FreshDefaults(), 1);
    const CaptureRequest request = dialog.bindings.StartCapture(A::Jump);
    EXPECT_EQ(request.target, BindingDevice::Controller);
    EXPECT_EQ(request.ButtonId(), 1038);
    EXPECT_EQ(&dialog.bindings.TargetField(request),
              &dialog.record.controllerBindings[static_cast<int>(SettingsAction::Jump)]);

    // The player turns to the keyboard while the capture window waits: the target stays.
    dialog.bindings.selectedController = 0;
    EXPECT_EQ(&dialog.bindings.TargetField(request),
              &dialog.record.controllerBindings[static_cast<int>(SettingsAction::Jump)]);
    EXPECT_EQ(dialog.bindings.StartCapture(A::Jump).target, BindingDevice::Keyboard);
}

// The dialog abandons a waiting capture when the device changes. Should one finish all the same,
// its input belongs to the other device: it is refused, and the shown sets and the record stay
// as they were and agree.
TEST(ControlBindings, ACaptureFinishedAfterTheDeviceChangedIsRefused) {
    const SettingsFile untouched = FreshDefaults();
    const Dialog expected(untouched);

    Dialog dialog(untouched, 1);
    const CaptureRequest jump = dialog.bindings.StartCapture(A::Jump);
    dialog.bindings.selectedController = 0;  // the keyboard, while the capture window waits
    EXPECT_EQ(dialog.bindings.ApplyBinding(jump, kKeyQ), Actions{});

    Dialog other(untouched, 0);
    const CaptureRequest left = other.bindings.StartCapture(A::Left);
    other.bindings.selectedController = 1;  // a controller, the other way round
    EXPECT_EQ(other.bindings.ApplyBinding(left, kYAxis), Actions{});

    for (const Dialog* changed : {&dialog, &other}) {
        EXPECT_EQ(BytesOf(changed->record), BytesOf(untouched));
        EXPECT_EQ(changed->bindings.keyboardSet, expected.bindings.keyboardSet);
        EXPECT_EQ(changed->bindings.controllerSet, expected.bindings.controllerSet);
    }
}

// ---- Binding a captured input ----

// One capture on a fresh file, after the captures `before`: what it answers as changed, and both
// binding arrays of the record afterwards, in file order (Left, Right, Forward, Backward, Jump,
// Search, Tav, Turn Left, Turn Right). On a fresh file the keyboard holds the arrows, 68, Left
// Shift (81), 95, 83 and 84; the controller the X axis (33) on Left and Right, the Y axis (34) on
// Forward and Backward, and buttons 2, 3, 1, 4 and 5.
struct CaptureCase {
    const char* what;
    int selected;  // 0 the keyboard, 1 the first controller
    std::vector<std::pair<ControlAction, InputCode>> before;
    ControlAction action;
    InputCode code;
    Actions changed;
    Bindings keyboard;
    Bindings controller;
    std::u16string caption = {};  // the captured action's caption; empty: not checked
    // Captures on the other device before `before`.
    std::vector<std::pair<ControlAction, InputCode>> otherDeviceBefore = {};
};

const CaptureCase kCaptureCases[] = {
    {"a key moves from the action that had it",
     0,
     {},
     A::Jump,
     kLeftShift,
     {A::Jump, A::Search},
     {242, 244, 239, 247, 81, 0, 95, 83, 84},
     kDefaultControllerBindings,
     u"Left Shift"},
    {"keys have no pairs: the other arrow is left unbound",
     0,
     {},
     A::Left,
     244,
     {A::Left, A::Right},
     {244, 0, 239, 247, 68, 81, 95, 83, 84},
     kDefaultControllerBindings},
    {"a key taken from half a pair leaves the other half",
     0,
     {},
     A::Jump,
     242,
     {A::Left, A::Jump},
     {0, 244, 239, 247, 242, 81, 95, 83, 84},
     kDefaultControllerBindings},
    {"an unused key changes only its action",
     0,
     {},
     A::TurnLeft,
     kKeyQ,
     {A::TurnLeft},
     {242, 244, 239, 247, 68, 81, 95, kKeyQ, 84},
     kDefaultControllerBindings,
     u"Q"},
    {"the same key again keeps it",
     0,
     {},
     A::Tav,
     95,
     {A::Tav},
     kDefaultKeyboardBindings,
     kDefaultControllerBindings},
    {"the same axis again keeps it on both halves",
     1,
     {},
     A::Right,
     kXAxis,
     {A::Left, A::Right},
     kDefaultKeyboardBindings,
     kDefaultControllerBindings},
    {"an axis takes the whole pair from the actions that had it",
     1,
     {},
     A::Left,
     kYAxis,
     {A::Left, A::Right, A::Forward, A::Backward},
     kDefaultKeyboardBindings,
     {34, 34, 0, 0, 2, 3, 1, 4, 5},
     u"Y Axis"},
    {"an axis new to the pairs binds both halves",
     1,
     {},
     A::TurnRight,
     kZAxis,
     {A::TurnLeft, A::TurnRight},
     kDefaultKeyboardBindings,
     {33, 33, 34, 34, 2, 3, 1, 35, 35}},
    {"a button on half an axis pair frees the other half",
     1,
     {},
     A::Right,
     9,
     {A::Left, A::Right},
     kDefaultKeyboardBindings,
     {0, 9, 34, 34, 2, 3, 1, 4, 5},
     u"Button 09"},
    {"a button taken from another action onto half an axis pair",
     1,
     {},
     A::Right,
     3,
     {A::Left, A::Right, A::Search},
     kDefaultKeyboardBindings,
     {0, 3, 34, 34, 2, 0, 1, 4, 5}},
    {"a button leaves a partner that is on a button",
     1,
     {{A::Right, 9}, {A::Left, 7}},
     A::Right,
     8,
     {A::Right},
     kDefaultKeyboardBindings,
     {7, 8, 34, 34, 2, 3, 1, 4, 5}},
    {"a button taken from half a pair leaves the other half",
     1,
     {{A::Right, 9}, {A::Left, 7}},
     A::Tav,
     7,
     {A::Left, A::Tav},
     kDefaultKeyboardBindings,
     {0, 9, 34, 34, 2, 3, 7, 4, 5}},
    {"a button of an unpaired action touches no pair",
     1,
     {},
     A::Tav,
     2,
     {A::Tav, A::Jump},
     kDefaultKeyboardBindings,
     {33, 33, 34, 34, 0, 3, 2, 4, 5}},
    {"unbinding an action takes nothing from the other unbound actions of either device",
     0,
     {{A::Search, kUnbound}},
     A::Jump,
     kUnbound,
     {A::Jump},
     {242, 244, 239, 247, 0, 0, 95, 83, 84},
     {33, 33, 34, 34, 2, 3, 0, 4, 5},
     {},
     {{A::Tav, kUnbound}}},
    {"an axis taken back from a pair whose other half is on a button",
     1,
     {{A::TurnLeft, kZAxis}, {A::TurnRight, 4}},
     A::TurnLeft,
     kZAxis,
     {A::TurnLeft, A::TurnRight},
     kDefaultKeyboardBindings,
     {33, 33, 34, 34, 2, 3, 1, 35, 35}},
};

TEST(ApplyBinding, EachCaptureChangesWhatItAnswersAndNothingElse) {
    for (const CaptureCase& row : kCaptureCases) {
        SCOPED_TRACE(row.what);
        Dialog dialog(FreshDefaults(), row.selected == 0 ? 1 : 0);
        for (const auto& [action, code] : row.otherDeviceBefore)
            dialog.Capture(action, code);
        dialog.bindings.selectedController = row.selected;
        for (const auto& [action, code] : row.before)
            dialog.Capture(action, code);

        EXPECT_EQ(dialog.Capture(row.action, row.code), row.changed);
        EXPECT_EQ(dialog.record.keyboardBindings, row.keyboard);
        EXPECT_EQ(dialog.record.controllerBindings, row.controller);
        // The sets the dialog shows are the ones the record gives back.
        ControlBindings reloaded(dialog.record);
        reloaded.LoadSets();
        EXPECT_EQ(dialog.bindings.keyboardSet, reloaded.keyboardSet);
        EXPECT_EQ(dialog.bindings.controllerSet, reloaded.controllerSet);
        if (!row.caption.empty()) {
            EXPECT_EQ(dialog.bindings.Caption(row.action, kEnglishLayout), row.caption);
        }
    }
}

TEST(ApplyBinding, TheSetsAndTheRecordStayInStep) {
    Dialog dialog(FreshDefaults(), 1);
    struct Step {
        ControlAction action;
        InputCode code;
    };
    const Step sequence[] = {
        {A::Left, kYAxis},     {A::Forward, kXAxis}, {A::Backward, 7}, {A::Tav, 4},
        {A::TurnLeft, kYAxis}, {A::Jump, 1},         {A::Search, 32},  {A::Right, 38},
    };
    for (const Step& step : sequence) {
        dialog.Capture(step.action, step.code);
        // Reloading the sets from the record gives exactly the sets the dialog holds.
        ControlBindings reloaded(dialog.record);
        reloaded.LoadSets();
        EXPECT_EQ(reloaded.controllerSet, dialog.bindings.controllerSet);
        EXPECT_EQ(reloaded.keyboardSet, dialog.bindings.keyboardSet);
        // No input is bound to two actions, except an axis to both halves of one pair.
        for (ControlAction a : kControlActions) {
            for (ControlAction b : kControlActions) {
                const InputCode code = dialog.bindings.controllerSet[a];
                if (a == b || code == kUnbound || code != dialog.bindings.controllerSet[b])
                    continue;
                EXPECT_TRUE(IsAxis(code) && PartnerOf(a) == b)
                    << DialogIndexOf(a) << " and " << DialogIndexOf(b) << " share " << code;
            }
        }
    }
}

}  // namespace
