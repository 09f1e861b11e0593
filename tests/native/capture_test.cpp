// The key capture's decision, tick by tick: which key, button or axis it takes, in which order of
// precedence, and how an axis must cross the threshold during the capture to count.

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <utility>

#include "texts/local_text.h"
#include "controls/capture.h"
#include "controls/control_actions.h"
#include "controls/input_code.h"

namespace {

using A = ControlAction;

// DirectInput scan codes (DIK_*).
constexpr int kScanEscape = 0x01;
constexpr int kScanLeftCtrl = 0x1D;
constexpr int kScanZ = 0x2C;
constexpr int kScanF1 = 0x3B;
constexpr int kScanRightCtrl = 0x9D;

char16_t EnglishLayout(int scanCode) {
    return scanCode == kScanZ ? u'Z' : u'\0';  // F1 and most others type nothing here
}
const KeyCharacter kEnglishLayout = EnglishLayout;

// The keyboard state with exactly these keys down (state byte 0x80).
KeyboardState KeysDown(std::initializer_list<int> scanCodes) {
    KeyboardState keys{};
    for (int scanCode : scanCodes)
        keys[static_cast<std::size_t>(scanCode)] = 0x80;
    return keys;
}

// A controller with every axis centred and no button down, and ways to change that.
ControllerState Centred() {
    return {};
}
ControllerState With(ControllerState state, Axis axis, std::int32_t value) {
    state.axes[static_cast<std::size_t>(axis)] = value;
    return state;
}
ControllerState WithButton(ControllerState state, int number) {
    state.buttons[static_cast<std::size_t>(number - 1)] = 0x80;
    return state;
}

CapturedInput Input(InputCode code, const char16_t* name) {
    return {code, name};
}

// A keyboard capture that has seen every key up, as one does once a tick has passed.
CaptureSession KeyboardSession(ControlAction action, KeyCharacter layout = kEnglishLayout) {
    CaptureSession session(action, std::move(layout));
    session.ReadKeyboard(KeysDown({}));
    return session;
}

// A controller capture that has seen every button up and every axis centred.
CaptureSession ControllerSession(ControlAction action) {
    CaptureSession session(action, kEnglishLayout);
    session.ReadController(Centred());
    return session;
}

// ---- Keyboard ----

TEST(KeyboardCapture, TakesAKeyTheMomentItIsPressed) {
    CaptureSession session(A::Jump, kEnglishLayout);
    EXPECT_EQ(session.ReadKeyboard(KeysDown({})), std::nullopt);
    EXPECT_EQ(session.ReadKeyboard(KeysDown({kScanLeftCtrl})), Input(68, u"Left Ctrl"));
}

// A stuck key, a toggle switch that reports itself as held, or the key that clicked the binding
// button: held when the capture starts, it waits until it is let go and pressed again, and what
// the player presses meanwhile is taken.
TEST(Capture, WhatIsHeldWhenTheCaptureStartsCountsOnlyOnceLetGo) {
    CaptureSession keyboard(A::Jump, kEnglishLayout);
    EXPECT_EQ(keyboard.ReadKeyboard(KeysDown({kScanLeftCtrl})), std::nullopt);
    EXPECT_EQ(keyboard.ReadKeyboard(KeysDown({kScanLeftCtrl})), std::nullopt);
    EXPECT_EQ(keyboard.ReadKeyboard(KeysDown({kScanLeftCtrl, kScanZ})), Input(83, u"Z"));
    CaptureSession again(A::Jump, kEnglishLayout);
    EXPECT_EQ(again.ReadKeyboard(KeysDown({kScanLeftCtrl})), std::nullopt);
    EXPECT_EQ(again.ReadKeyboard(KeysDown({})), std::nullopt);
    EXPECT_EQ(again.ReadKeyboard(KeysDown({kScanLeftCtrl})), Input(68, u"Left Ctrl"));

    const ControllerState toggled = WithButton(Centred(), 1);
    CaptureSession controller(A::Tav, kEnglishLayout);
    EXPECT_EQ(controller.ReadController(toggled), std::nullopt);
    EXPECT_EQ(controller.ReadController(toggled), std::nullopt);
    EXPECT_EQ(controller.ReadController(WithButton(toggled, 7)), Input(7, u"Button 07"));
}

TEST(KeyboardCapture, EscapeIsAKeyLikeAnyOther) {
    CaptureSession session = KeyboardSession(A::Tav);
    EXPECT_EQ(session.ReadKeyboard(KeysDown({kScanEscape})), Input(40, u"Escape"));
}

TEST(KeyboardCapture, KeysWithoutANameShowTheirCharacter) {
    CaptureSession session = KeyboardSession(A::TurnLeft);
    EXPECT_EQ(session.ReadKeyboard(KeysDown({kScanZ})), Input(83, u"Z"));
}

TEST(KeyboardCapture, NamesComeInTheLanguageOfTheMoment) {
    CaptureSession session = KeyboardSession(A::Jump);
    EXPECT_EQ(session.ReadKeyboard(KeysDown({kScanLeftCtrl}), kGerman), Input(68, u"Strg links"));
    SetCurrentLanguage(kItalian);
    CaptureSession italian = KeyboardSession(A::Jump);
    EXPECT_EQ(italian.ReadKeyboard(KeysDown({kScanLeftCtrl})), Input(68, u"Ctrl sx"));
    SetCurrentLanguage(kEnglish);
}

TEST(KeyboardCapture, AKeyThatTypesNothingIsIgnoredAndTheCaptureWaits) {
    CaptureSession session = KeyboardSession(A::Search);
    EXPECT_EQ(session.ReadKeyboard(KeysDown({kScanF1})), std::nullopt);
    EXPECT_EQ(session.ReadKeyboard(KeysDown({kScanF1})), std::nullopt);
    EXPECT_EQ(session.ReadKeyboard(KeysDown({kScanZ})), Input(83, u"Z"));
}

TEST(KeyboardCapture, OnlyTheLowestKeyDownIsConsidered) {
    CaptureSession session = KeyboardSession(A::Search);
    // Z (44) is lower than Right Ctrl (157).
    EXPECT_EQ(session.ReadKeyboard(KeysDown({kScanRightCtrl, kScanZ})), Input(83, u"Z"));
    // F1 (59) is lower than Right Ctrl and types nothing: nothing is taken while it is held.
    session = KeyboardSession(A::Search);
    EXPECT_EQ(session.ReadKeyboard(KeysDown({kScanF1, kScanRightCtrl})), std::nullopt);
    EXPECT_EQ(session.ReadKeyboard(KeysDown({kScanRightCtrl})), Input(196, u"Right Ctrl"));
}

TEST(KeyboardCapture, OnlyTheTopBitMeansDown) {
    KeyboardState keys{};
    keys[kScanEscape] = 0x7F;
    keys[kScanZ] = 0x81;
    EXPECT_EQ(DecideKeyboardCapture(keys, kEnglishLayout), Input(83, u"Z"));
}

TEST(KeyboardCapture, WithoutALayoutOnlyNamedKeysCanBeTaken) {
    CaptureSession session = KeyboardSession(A::Left, KeyCharacter{});
    EXPECT_EQ(session.ReadKeyboard(KeysDown({kScanZ})), std::nullopt);
    EXPECT_EQ(session.ReadKeyboard(KeysDown({0xCB})), Input(242, u"Left Cursor"));
}

// ---- Controller buttons ----

TEST(ControllerCapture, NothingPressedTakesNothing) {
    CaptureSession session(A::Left, kEnglishLayout);
    for (int tick = 0; tick < 5; ++tick)
        EXPECT_EQ(session.ReadController(Centred()), std::nullopt);
}

TEST(ControllerCapture, ButtonsAreTakenAtOnceAndNamedWithTwoDigits) {
    CaptureSession session = ControllerSession(A::Jump);
    EXPECT_EQ(session.ReadController(WithButton(Centred(), 9)), Input(9, u"Button 09"));
    CaptureSession last = ControllerSession(A::Tav);
    EXPECT_EQ(last.ReadController(WithButton(Centred(), 32), kFrench), Input(32, u"Bouton 32"));
}

TEST(ControllerCapture, TheLowestButtonWinsAndOnlyTheTopBitCounts) {
    ControllerState state = Centred();
    state.buttons[1] = 0x7F;  // button 2: not down
    state = WithButton(WithButton(state, 12), 5);
    CaptureSession session = ControllerSession(A::Search);
    EXPECT_EQ(session.ReadController(state), Input(5, u"Button 05"));
}

// ---- Controller axes ----

TEST(ControllerCapture, AStickMovedFromItsCentreIsTaken) {
    CaptureSession session(A::Forward, kEnglishLayout);
    EXPECT_EQ(session.ReadController(Centred()), std::nullopt);
    EXPECT_EQ(session.ReadController(With(Centred(), Axis::Y, 400)), std::nullopt);
    EXPECT_EQ(session.ReadController(With(Centred(), Axis::Y, 950)), Input(34, u"Y Axis"));
}

TEST(ControllerCapture, BothDirectionsCountButNotExactlyTheThreshold) {
    CaptureSession session(A::Left, kEnglishLayout);
    EXPECT_EQ(session.ReadController(Centred()), std::nullopt);
    EXPECT_EQ(session.ReadController(With(Centred(), Axis::X, 900)), std::nullopt);
    EXPECT_EQ(session.ReadController(With(Centred(), Axis::X, -900)), std::nullopt);
    EXPECT_EQ(session.ReadController(With(Centred(), Axis::X, 901)), Input(33, u"X Axis"));

    CaptureSession other(A::Right, kEnglishLayout);
    EXPECT_EQ(other.ReadController(Centred()), std::nullopt);
    EXPECT_EQ(other.ReadController(With(Centred(), Axis::ZRotation, -901)), Input(38, u"Z Rot"));
}

TEST(ControllerCapture, AnAxisRestingAtAnEndOfItsRangeIsNotTaken) {
    // A trigger that reads -1000 at rest, from the very first tick.
    const ControllerState resting = With(Centred(), Axis::Z, -1000);
    CaptureSession session(A::TurnLeft, kEnglishLayout);
    for (int tick = 0; tick < 10; ++tick)
        EXPECT_EQ(session.ReadController(resting), std::nullopt);
    // So the player can still choose a button.
    EXPECT_EQ(session.ReadController(WithButton(resting, 3)), Input(3, u"Button 03"));
}

TEST(ControllerCapture, AnAxisRestingAtAnEndCountsOnceItCrossesBack) {
    CaptureSession session(A::TurnLeft, kEnglishLayout);
    EXPECT_EQ(session.ReadController(With(Centred(), Axis::Z, -1000)), std::nullopt);
    EXPECT_EQ(session.ReadController(With(Centred(), Axis::Z, -1000)), std::nullopt);
    EXPECT_EQ(session.ReadController(With(Centred(), Axis::Z, -500)), std::nullopt);
    EXPECT_EQ(session.ReadController(With(Centred(), Axis::Z, -1000)), Input(35, u"Z Axis"));
}

TEST(ControllerCapture, ARestingAxisDoesNotHideALaterOneThatCrosses) {
    // Y rests beyond the threshold; Z rotation comes after it in order and is moved.
    const ControllerState resting = With(Centred(), Axis::Y, 1000);
    CaptureSession session(A::Backward, kEnglishLayout);
    EXPECT_EQ(session.ReadController(resting), std::nullopt);
    EXPECT_EQ(session.ReadController(With(resting, Axis::ZRotation, 1000), kSpanish),
              Input(38, u"Rot Z"));
}

TEST(ControllerCapture, TheFirstAxisInOrderWins) {
    CaptureSession session(A::Left, kEnglishLayout);
    EXPECT_EQ(session.ReadController(Centred()), std::nullopt);
    const ControllerState both = With(With(Centred(), Axis::YRotation, -1000), Axis::X, 1000);
    EXPECT_EQ(session.ReadController(both), Input(33, u"X Axis"));
}

TEST(ControllerCapture, ButtonOneWinsOverAnAxisAndAnAxisOverTheOtherButtons) {
    const ControllerState deflected = With(Centred(), Axis::X, 1000);

    CaptureSession first(A::Left, kEnglishLayout);
    first.ReadController(Centred());
    EXPECT_EQ(first.ReadController(WithButton(deflected, 1)), Input(1, u"Button 01"));

    CaptureSession second(A::Left, kEnglishLayout);
    second.ReadController(Centred());
    EXPECT_EQ(second.ReadController(WithButton(deflected, 2)), Input(33, u"X Axis"));
}

TEST(ControllerCapture, TavJumpAndSearchTakeButtonsOnly) {
    for (ControlAction action : {A::Tav, A::Jump, A::Search}) {
        CaptureSession session(action, kEnglishLayout);
        EXPECT_EQ(session.ReadController(Centred()), std::nullopt);
        const ControllerState deflected = With(Centred(), Axis::X, 1000);
        EXPECT_EQ(session.ReadController(deflected), std::nullopt);
        EXPECT_EQ(session.ReadController(deflected), std::nullopt);
        EXPECT_EQ(session.ReadController(WithButton(deflected, 4)), Input(4, u"Button 04"));
    }
}

// ---- After the capture ----

// The capture window waits for the key it took to be let go: only that key counts.
TEST(CapturedInput, IsHeldUntilItsKeyIsLetGo) {
    const InputCode leftCtrl = KeyCode(kScanLeftCtrl);
    EXPECT_TRUE(IsHeld(leftCtrl, KeysDown({kScanLeftCtrl})));
    EXPECT_FALSE(IsHeld(leftCtrl, KeysDown({kScanZ})));
    EXPECT_FALSE(IsHeld(ButtonCode(3), KeysDown({kScanLeftCtrl})));
}

}  // namespace
