#pragma once
// The key capture window's decision: which input, if any, the player has chosen, given the state
// of the selected device at one tick of its 10 ms timer. Reading the devices is the window's
// business; it hands each state read here and binds what comes back (bindings.h). There is no
// time-out and no cancel key: Escape is a key like any other.
//
//     CaptureSession session(request.action, keyCharacter);   // at the binding-button click
//     // every tick, from the device of the selected controller list item:
//     std::optional<CapturedInput> captured = keyboardSelected ? session.ReadKeyboard(keys)
//                                                              : session.ReadController(state);
//     if (captured) { bindings.ApplyBinding(request, captured->code); ... close the window }
//
// An input counts only once it is pressed during the capture: a key or button must have been seen
// up, and an axis within ±900, at an earlier tick. What is held when the capture starts is
// ignored by it until it is let go: a stuck key, a toggle switch that reports itself as held, or
// an axis that rests at one end of its range (triggers, throttles) would otherwise be taken at the
// very first tick of every capture, so that nothing else could ever be bound. A key, button or
// stick pressed during the capture is taken the moment it is down or passes the threshold.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "texts/local_text.h"
#include "controls/control_actions.h"
#include "controls/input_code.h"

// The keyboard state as DirectInput reads it (c_dfDIKeyboard): one byte per scan code.
using KeyboardState = std::array<std::uint8_t, kScanCodeCount>;

// The top bit of a key's or button's state byte says that it is down.
inline constexpr std::uint8_t kPressedBit = 0x80;

// The part of the DirectInput joystick state (DIJOYSTATE2) a capture looks at.
struct ControllerState {
    // rgbButtons[0 ... 31]: the state of buttons 1 ... 32.
    std::array<std::uint8_t, kButtonCount> buttons{};
    // lX, lY, lZ, lRx, lRy, lRz, in the order of Axis; the controller is opened with every axis
    // scaled to -1000 ... +1000.
    std::array<std::int32_t, kAxisCount> axes{};
};

// An axis is deflected beyond this in either direction; exactly ±900 is not.
inline constexpr std::int32_t kAxisThreshold = 900;

// The input a capture took: its code, and its name in the language of the moment, which is what
// the binding button then shows.
struct CapturedInput {
    InputCode code = kUnbound;
    std::u16string name;

    friend bool operator==(const CapturedInput&, const CapturedInput&) = default;
};

// The keyboard's part of the decision, over the keys that count. The lowest scan code that is
// down is the candidate; it is taken when it has a name of its own or a character (KeyName), and
// otherwise nothing is taken at this tick, even when a higher key with a name is down as well:
// keys that type nothing (the function keys, for example) cannot be bound, and holding one blocks
// the keys above it.
std::optional<CapturedInput> DecideKeyboardCapture(const KeyboardState& keys,
                                                   const KeyCharacter& keyCharacter,
                                                   int language = CurrentLanguage());

// Whether the key a capture took is still down. The capture window keeps the keyboard to itself
// until it is let go, so that its repeats and its release reach nothing else: Space would click
// the focused button, Enter press OK.
bool IsHeld(InputCode code, const KeyboardState& keys);

// One capture, from the click on a binding button to the input it takes. It remembers which
// keys, buttons and axes it has seen at rest, so it belongs to one capture of one device: a new
// capture, or a capture whose controller is exchanged while it waits, needs a new session.
class CaptureSession {
  public:
    CaptureSession(ControlAction action, KeyCharacter keyCharacter);

    ControlAction Action() const { return action_; }

    // One tick with the keyboard selected: DecideKeyboardCapture over the keys seen up before.
    std::optional<CapturedInput> ReadKeyboard(const KeyboardState& keys,
                                              int language = CurrentLanguage());

    // One tick with a controller selected, over the buttons seen up and the axes seen near their
    // centre before. In this order: button 1; then, for the six directional actions only, the
    // first of the axes X, Y, Z, X rotation, Y rotation, Z rotation that has crossed the
    // threshold; then buttons 2 ... 32. So button 1 wins over an axis and an axis over the other
    // buttons. Tav, Jump and Search take buttons only.
    std::optional<CapturedInput> ReadController(const ControllerState& state,
                                                int language = CurrentLanguage());

  private:
    ControlAction action_;
    KeyCharacter keyCharacter_;
    // Per scan code, button and axis: seen up (within ±900) at some tick of this capture.
    std::array<bool, kScanCodeCount> keySeenUp_{};
    std::array<bool, kButtonCount> buttonSeenUp_{};
    std::array<bool, kAxisCount> axisSeenNearCentre_{};
};
