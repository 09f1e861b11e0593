#include "controls/win/capture_reading.h"

#include <algorithm>

HRESULT Reacquire(IDirectInputDevice8A& device) {
    HRESULT result = device.Acquire();
    for (int attempt = 1; result == DIERR_INPUTLOST && attempt < kReacquireAttempts; ++attempt) {
        result = device.Acquire();
    }
    return result;
}

KeyboardState ReadKeyboardState(IDirectInputDevice8A& keyboard) {
    KeyboardState keys{};
    if (SUCCEEDED(keyboard.GetDeviceState(static_cast<DWORD>(keys.size()), keys.data()))) {
        return keys;
    }
    Reacquire(keyboard);
    // A failed read may have written part of the buffer: nothing of it counts.
    return KeyboardState{};
}

HRESULT ReadControllerState(IDirectInputDevice8A& controller, ControllerState& state) {
    // Acquiring an acquired device does no harm; the answer shows in the read below.
    controller.Acquire();
    if (FAILED(controller.Poll()))
        Reacquire(controller);
    DIJOYSTATE2 joystick = {};
    const HRESULT result = controller.GetDeviceState(sizeof joystick, &joystick);
    if (FAILED(result))
        return result;
    std::copy_n(joystick.rgbButtons, state.buttons.size(), state.buttons.begin());
    state.axes = {joystick.lX, joystick.lY, joystick.lZ, joystick.lRx, joystick.lRy, joystick.lRz};
    return result;
}

void AcquireCaptureDevice(const CaptureDevices& devices) {
    IDirectInputDevice8A* device =
        devices.controllerSelected ? devices.controller : devices.keyboard;
    if (device != nullptr)
        Reacquire(*device);
}

HRESULT ReadCapturedInput(const CaptureDevices& devices, CaptureSession& session,
                          std::optional<CapturedInput>& captured) {
    captured.reset();
    if (devices.controllerSelected) {
        // Nothing can come from a controller that is not there: waiting for it would never end.
        if (devices.controllerUnplugged)
            return DIERR_UNPLUGGED;
        // The keyboard is not looked at while a controller is selected, not even when that
        // controller could not be opened.
        if (devices.controller == nullptr)
            return S_OK;
        ControllerState state;
        const HRESULT result = ReadControllerState(*devices.controller, state);
        if (FAILED(result))
            return result;
        captured = session.ReadController(state);
        return S_OK;
    }
    if (devices.keyboard == nullptr)
        return S_OK;
    captured = session.ReadKeyboard(ReadKeyboardState(*devices.keyboard));
    return S_OK;
}

bool CapturedKeyHeld(const CaptureDevices& devices, InputCode code) {
    return devices.keyboard != nullptr && IsHeld(code, ReadKeyboardState(*devices.keyboard));
}
