// The key capture's reading of the devices at each tick of its timer, with stand-in devices: what
// a lost or unplugged device costs, that a controller that cannot be read is reported, and that
// DirectInput's records reach the capture decision field by field.

#include <gtest/gtest.h>

#include <windows.h>
#include <dinput.h>

#include <optional>

#include "controls/capture.h"
#include "controls/win/capture_reading.h"
#include "fake_direct_input.h"

namespace {

// DirectInput scan codes of keys the tests press.
constexpr int kLeftShift = 0x2A;
constexpr int kZ = 0x2C;

// A layout in which only Z types a character.
char16_t OnlyZTypes(int scanCode) {
    return scanCode == kZ ? u'Z' : u'\0';
}

void PressKey(FakeDevice& keyboard, int scanCode) {
    keyboard.keys[static_cast<std::size_t>(scanCode)] = kPressedBit;
}

void PressButton(FakeDevice& controller, int number) {
    controller.joystick.rgbButtons[number - 1] = kPressedBit;
}

bool NoKeyDown(const KeyboardState& keys) {
    for (std::uint8_t key : keys) {
        if (key != 0)
            return false;
    }
    return true;
}

// ---- Acquiring again ----

TEST(ReacquireTest, GivesUpAfterAFewAttemptsWhileTheInputStaysLost) {
    FakeDevice unplugged;
    unplugged.acquireAnswer = DIERR_INPUTLOST;
    EXPECT_EQ(Reacquire(unplugged), DIERR_INPUTLOST);
    EXPECT_EQ(unplugged.acquireCalls, kReacquireAttempts);
}

TEST(ReacquireTest, StopsAtTheFirstAnswerThatIsNotInputLost) {
    FakeDevice regained;
    regained.acquireAnswers = {DIERR_INPUTLOST, DI_OK};
    EXPECT_EQ(Reacquire(regained), DI_OK);
    EXPECT_EQ(regained.acquireCalls, 2);

    FakeDevice refusing;
    refusing.acquireAnswer = DIERR_OTHERAPPHASPRIO;
    EXPECT_EQ(Reacquire(refusing), DIERR_OTHERAPPHASPRIO);
    EXPECT_EQ(refusing.acquireCalls, 1);
}

// ---- The keyboard ----

TEST(KeyboardReadingTest, HandsOnTheKeysAsRead) {
    FakeDevice keyboard;
    PressKey(keyboard, kLeftShift);
    const KeyboardState keys = ReadKeyboardState(keyboard);
    EXPECT_EQ(keys[kLeftShift], kPressedBit);
    EXPECT_EQ(keyboard.acquireCalls, 0);
}

TEST(KeyboardReadingTest, AFailedReadAcquiresAndShowsNoKeyForThisTick) {
    FakeDevice keyboard;  // not acquired yet: the first read fails
    keyboard.stateAnswer = DIERR_NOTACQUIRED;
    PressKey(keyboard, kLeftShift);
    // The fake also fills the buffer of a failed read with pressed keys.
    EXPECT_TRUE(NoKeyDown(ReadKeyboardState(keyboard)));
    EXPECT_EQ(keyboard.acquireCalls, 1);

    keyboard.stateAnswer = DI_OK;
    EXPECT_EQ(ReadKeyboardState(keyboard)[kLeftShift], kPressedBit);
}

TEST(KeyboardReadingTest, AnUnpluggedKeyboardCostsAFewAttemptsPerTickAndNeverHangs) {
    FakeDevice keyboard;
    keyboard.stateAnswer = DIERR_INPUTLOST;
    keyboard.acquireAnswer = DIERR_INPUTLOST;
    for (int tick = 1; tick <= 3; ++tick) {
        EXPECT_TRUE(NoKeyDown(ReadKeyboardState(keyboard)));
        EXPECT_EQ(keyboard.acquireCalls, tick * kReacquireAttempts);
    }
}

// ---- The controller ----

TEST(ControllerReadingTest, TakesTheFirst32ButtonsAndTheSixAxesFromTheJoystickRecord) {
    FakeDevice controller;
    PressButton(controller, 1);
    PressButton(controller, 32);
    controller.joystick.rgbButtons[32] = kPressedBit;  // button 33: beyond what a binding holds
    controller.joystick.lX = -1000;
    controller.joystick.lY = 901;
    controller.joystick.lZ = 3;
    controller.joystick.lRx = -4;
    controller.joystick.lRy = 5;
    controller.joystick.lRz = 1000;
    controller.joystick.rglSlider[0] = 777;  // sliders are not looked at

    ControllerState state;
    ASSERT_EQ(ReadControllerState(controller, state), DI_OK);
    EXPECT_EQ(state.buttons[0], kPressedBit);
    EXPECT_EQ(state.buttons[31], kPressedBit);
    for (int number = 2; number <= 31; ++number)
        EXPECT_EQ(state.buttons[number - 1], 0);
    EXPECT_EQ(state.axes, (std::array<std::int32_t, kAxisCount>{-1000, 901, 3, -4, 5, 1000}));
}

TEST(ControllerReadingTest, AcquiresThenPollsThenReads) {
    FakeDevice controller;
    ControllerState state;
    ASSERT_EQ(ReadControllerState(controller, state), DI_OK);
    EXPECT_EQ(controller.calls, (std::vector<std::string>{"Acquire", "Poll", "GetDeviceState"}));
}

TEST(ControllerReadingTest, AFailedPollAcquiresAgainBoundedBeforeTheRead) {
    FakeDevice controller;
    controller.pollAnswer = DIERR_NOTACQUIRED;
    controller.acquireAnswer = DIERR_INPUTLOST;
    ControllerState state;
    ReadControllerState(controller, state);
    // Once before polling, then the bounded attempts.
    EXPECT_EQ(controller.acquireCalls, 1 + kReacquireAttempts);
    EXPECT_EQ(controller.stateReads, 1);
}

TEST(ControllerReadingTest, AFailedReadIsAnsweredAndLeavesTheStateAsItWas) {
    FakeDevice controller;
    controller.stateAnswer = DIERR_INPUTLOST;
    ControllerState state;
    state.axes[1] = 123;
    EXPECT_EQ(ReadControllerState(controller, state), DIERR_INPUTLOST);
    EXPECT_EQ(state.axes[1], 123);
    EXPECT_EQ(state.buttons[0], 0);
}

// ---- One tick of a capture ----

class CaptureTickTest : public ::testing::Test {
  protected:
    std::optional<CapturedInput> Tick(CaptureSession& session, const CaptureDevices& devices,
                                      HRESULT expected = S_OK) {
        std::optional<CapturedInput> captured = CapturedInput{-1, u"left over"};
        EXPECT_EQ(ReadCapturedInput(devices, session, captured), expected);
        return captured;
    }

    CaptureDevices KeyboardSelected() { return {&keyboard, &controller, false}; }
    CaptureDevices ControllerSelected() { return {&keyboard, &controller, true}; }

    FakeDevice keyboard;
    FakeDevice controller;
};

TEST_F(CaptureTickTest, KeyboardSelectedTakesANamedKeyOrACharacterKey) {
    CaptureSession jump(ControlAction::Jump, OnlyZTypes);
    EXPECT_EQ(Tick(jump, KeyboardSelected()), std::nullopt);

    PressKey(keyboard, kZ);
    EXPECT_EQ(Tick(jump, KeyboardSelected()), (CapturedInput{KeyCode(kZ), u"Z"}));
    PressKey(keyboard, kLeftShift);  // the lower scan code wins
    EXPECT_EQ(Tick(jump, KeyboardSelected()), (CapturedInput{81, u"Left Shift"}));
    EXPECT_EQ(controller.calls.size(), 0u);
}

TEST_F(CaptureTickTest, KeyboardThatCannotBeReadCapturesNothingAndIsNoFailure) {
    CaptureSession jump(ControlAction::Jump, OnlyZTypes);
    keyboard.stateAnswer = DIERR_INPUTLOST;
    keyboard.acquireAnswer = DIERR_INPUTLOST;
    PressKey(keyboard, kLeftShift);
    EXPECT_EQ(Tick(jump, KeyboardSelected()), std::nullopt);
}

TEST_F(CaptureTickTest, ControllerSelectedTakesAButtonAndNeverLooksAtTheKeyboard) {
    CaptureSession tav(ControlAction::Tav, OnlyZTypes);
    PressKey(keyboard, kLeftShift);
    EXPECT_EQ(Tick(tav, ControllerSelected()), std::nullopt);
    PressButton(controller, 9);
    EXPECT_EQ(Tick(tav, ControllerSelected()), (CapturedInput{9, u"Button 09"}));
    EXPECT_EQ(keyboard.stateReads, 0);
}

TEST_F(CaptureTickTest, ControllerSelectedTakesAnAxisMovedAcrossTheThreshold) {
    CaptureSession left(ControlAction::Left, OnlyZTypes);
    EXPECT_EQ(Tick(left, ControllerSelected()), std::nullopt);  // every axis at rest
    controller.joystick.lY = -1000;
    EXPECT_EQ(Tick(left, ControllerSelected()), (CapturedInput{34, u"Y Axis"}));
}

TEST_F(CaptureTickTest, AControllerThatCannotBeReadIsAFailureWithNothingCaptured) {
    CaptureSession tav(ControlAction::Tav, OnlyZTypes);
    controller.stateAnswer = DIERR_UNPLUGGED;
    EXPECT_EQ(Tick(tav, ControllerSelected(), DIERR_UNPLUGGED), std::nullopt);
}

TEST_F(CaptureTickTest, ControllerSelectedButNoneOpenWaitsQuietly) {
    CaptureSession tav(ControlAction::Tav, OnlyZTypes);
    PressKey(keyboard, kLeftShift);
    EXPECT_EQ(Tick(tav, {&keyboard, nullptr, true}), std::nullopt);
    EXPECT_EQ(keyboard.stateReads, 0);
}

TEST_F(CaptureTickTest, NoDeviceAtAllCapturesNothing) {
    CaptureSession tav(ControlAction::Tav, OnlyZTypes);
    EXPECT_EQ(Tick(tav, {nullptr, nullptr, false}), std::nullopt);
}

}  // namespace
