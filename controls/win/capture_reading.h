#pragma once
// One tick of the key capture window: read the selected device through DirectInput and let the
// capture session (controls/capture.h) decide whether the player has chosen an input.
//
// A device that has lost its input is acquired again, but only a few times per tick: an unplugged
// controller may answer DIERR_INPUTLOST for ever, and the window polls again 10 ms later anyway.

#include <windows.h>
#include <dinput.h>

#include <optional>

#include "controls/capture.h"

// How often one tick acquires a device that answers DIERR_INPUTLOST.
inline constexpr int kReacquireAttempts = 3;

// Acquires `device`, again while it answers DIERR_INPUTLOST, at most kReacquireAttempts times in
// all. Answers the last answer.
HRESULT Reacquire(IDirectInputDevice8A& device);

// The keyboard's 256 key bytes. A read that fails acquires the keyboard again and gives a state
// with no key down for this tick.
KeyboardState ReadKeyboardState(IDirectInputDevice8A& keyboard);

// The controller's buttons and axes: acquire, poll (acquiring again when polling fails), read
// the DIJOYSTATE2 record. A failed read is answered and leaves `state` as it was.
HRESULT ReadControllerState(IDirectInputDevice8A& controller, ControllerState& state);

// The devices a capture reads, fixed when its binding button is clicked.
struct CaptureDevices {
    IDirectInputDevice8A* keyboard = nullptr;
    IDirectInputDevice8A* controller = nullptr;  // nullptr when no controller is open
    bool controllerSelected = false;             // the list shows a controller, not the keyboard
    bool controllerUnplugged = false;            // ... which is not connected now
};

// Acquires the device a capture reads, as its window opens: a device reports only what happens
// after it is acquired, and the player may press the key at once.
void AcquireCaptureDevice(const CaptureDevices& devices);

// One tick: with a controller selected only the controller is read, and only when one is open;
// with the keyboard selected only the keyboard. Answers a failure when the controller's state
// cannot be read, an unplugged one's never, and success otherwise, with `captured` set when the
// session took an input.
HRESULT ReadCapturedInput(const CaptureDevices& devices, CaptureSession& session,
                          std::optional<CapturedInput>& captured);

// After a capture of a key: whether that key (`code`) is still down. A keyboard that cannot be
// read counts as let go, as there is nothing left to wait for.
bool CapturedKeyHeld(const CaptureDevices& devices, InputCode code);
