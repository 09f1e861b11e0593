#include "fake_direct_input.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// What a real device answers for a call it does not support.
constexpr HRESULT kUnsupported = E_NOTIMPL;

HRESULT Next(std::deque<HRESULT>& answers, HRESULT otherwise) {
    if (answers.empty())
        return otherwise;
    const HRESULT answer = answers.front();
    answers.pop_front();
    return answer;
}

}  // namespace

// ---- DeviceStub ----

HRESULT DeviceStub::QueryInterface(REFIID, void** object) {
    *object = nullptr;
    return E_NOINTERFACE;
}
HRESULT DeviceStub::GetCapabilities(LPDIDEVCAPS) {
    return kUnsupported;
}
HRESULT DeviceStub::EnumObjects(LPDIENUMDEVICEOBJECTSCALLBACKA, LPVOID, DWORD) {
    return kUnsupported;
}
HRESULT DeviceStub::GetProperty(REFGUID, LPDIPROPHEADER) {
    return kUnsupported;
}
HRESULT DeviceStub::SetProperty(REFGUID, LPCDIPROPHEADER) {
    return kUnsupported;
}
HRESULT DeviceStub::Acquire() {
    return kUnsupported;
}
HRESULT DeviceStub::Unacquire() {
    return kUnsupported;
}
HRESULT DeviceStub::GetDeviceState(DWORD, LPVOID) {
    return kUnsupported;
}
HRESULT DeviceStub::GetDeviceData(DWORD, LPDIDEVICEOBJECTDATA, LPDWORD, DWORD) {
    return kUnsupported;
}
HRESULT DeviceStub::SetDataFormat(LPCDIDATAFORMAT) {
    return kUnsupported;
}
HRESULT DeviceStub::SetEventNotification(HANDLE) {
    return kUnsupported;
}
HRESULT DeviceStub::SetCooperativeLevel(HWND, DWORD) {
    return kUnsupported;
}
HRESULT DeviceStub::GetObjectInfo(LPDIDEVICEOBJECTINSTANCEA, DWORD, DWORD) {
    return kUnsupported;
}
HRESULT DeviceStub::GetDeviceInfo(LPDIDEVICEINSTANCEA) {
    return kUnsupported;
}
HRESULT DeviceStub::RunControlPanel(HWND, DWORD) {
    return kUnsupported;
}
HRESULT DeviceStub::Initialize(HINSTANCE, DWORD, REFGUID) {
    return kUnsupported;
}
HRESULT DeviceStub::CreateEffect(REFGUID, LPCDIEFFECT, LPDIRECTINPUTEFFECT*, LPUNKNOWN) {
    return kUnsupported;
}
HRESULT DeviceStub::EnumEffects(LPDIENUMEFFECTSCALLBACKA, LPVOID, DWORD) {
    return kUnsupported;
}
HRESULT DeviceStub::GetEffectInfo(LPDIEFFECTINFOA, REFGUID) {
    return kUnsupported;
}
HRESULT DeviceStub::GetForceFeedbackState(LPDWORD) {
    return kUnsupported;
}
HRESULT DeviceStub::SendForceFeedbackCommand(DWORD) {
    return kUnsupported;
}
HRESULT DeviceStub::EnumCreatedEffectObjects(LPDIENUMCREATEDEFFECTOBJECTSCALLBACK, LPVOID, DWORD) {
    return kUnsupported;
}
HRESULT DeviceStub::Escape(LPDIEFFESCAPE) {
    return kUnsupported;
}
HRESULT DeviceStub::Poll() {
    return kUnsupported;
}
HRESULT DeviceStub::SendDeviceData(DWORD, LPCDIDEVICEOBJECTDATA, LPDWORD, DWORD) {
    return kUnsupported;
}
HRESULT DeviceStub::EnumEffectsInFile(LPCSTR, LPDIENUMEFFECTSINFILECALLBACK, LPVOID, DWORD) {
    return kUnsupported;
}
HRESULT DeviceStub::WriteEffectToFile(LPCSTR, DWORD, LPDIFILEEFFECT, DWORD) {
    return kUnsupported;
}
HRESULT DeviceStub::BuildActionMap(LPDIACTIONFORMATA, LPCSTR, DWORD) {
    return kUnsupported;
}
HRESULT DeviceStub::SetActionMap(LPDIACTIONFORMATA, LPCSTR, DWORD) {
    return kUnsupported;
}
HRESULT DeviceStub::GetImageInfo(LPDIDEVICEIMAGEINFOHEADERA) {
    return kUnsupported;
}

// ---- FakeDevice ----

HRESULT FakeDevice::GetCapabilities(LPDIDEVCAPS capabilities) {
    calls.push_back("GetCapabilities");
    capabilitiesSize = capabilities->dwSize;
    if (capabilities->dwSize != sizeof(DIDEVCAPS))
        return DIERR_INVALIDPARAM;
    return capabilitiesAnswer;
}

HRESULT FakeDevice::EnumObjects(LPDIENUMDEVICEOBJECTSCALLBACKA callback, LPVOID context,
                                DWORD flags) {
    calls.push_back("EnumObjects");
    enumeratedTypes = flags;
    for (DWORD type : axes) {
        DIDEVICEOBJECTINSTANCEA object = {};
        object.dwSize = sizeof object;
        object.dwType = type;
        if (callback(&object, context) == DIENUM_STOP)
            break;
    }
    return DI_OK;
}

HRESULT FakeDevice::GetProperty(REFGUID property, LPDIPROPHEADER header) {
    calls.push_back("GetProperty");
    if (&property != &DIPROP_INSTANCENAME)
        return DIERR_UNSUPPORTED;
    if (header->dwSize != sizeof(DIPROPSTRING) || header->dwHeaderSize != sizeof(DIPROPHEADER) ||
        header->dwHow != DIPH_DEVICE || header->dwObj != 0) {
        return DIERR_INVALIDPARAM;
    }
    if (FAILED(instanceNameAnswer))
        return instanceNameAnswer;
    auto& text = *reinterpret_cast<DIPROPSTRING*>(header);
    const std::size_t length = std::min(instanceName.size(), std::size(text.wsz) - 1);
    std::copy_n(instanceName.begin(), length, text.wsz);
    text.wsz[length] = L'\0';
    return DI_OK;
}

HRESULT FakeDevice::SetProperty(REFGUID property, LPCDIPROPHEADER header) {
    calls.push_back("SetProperty");
    if (&property != &DIPROP_RANGE || header->dwSize != sizeof(DIPROPRANGE)) {
        return DIERR_UNSUPPORTED;
    }
    ranges.push_back(*reinterpret_cast<const DIPROPRANGE*>(header));
    return Next(rangeAnswers, DI_OK);
}

HRESULT FakeDevice::Acquire() {
    calls.push_back("Acquire");
    ++acquireCalls;
    if (unplugged)
        return DIERR_UNPLUGGED;
    return Next(acquireAnswers, acquireAnswer);
}

HRESULT FakeDevice::GetDeviceState(DWORD size, LPVOID data) {
    calls.push_back("GetDeviceState");
    ++stateReads;
    const HRESULT answer = unplugged ? DIERR_INPUTLOST : stateAnswer;
    if (FAILED(answer)) {
        std::memset(data, 0x80, size);
        return answer;
    }
    if (size == keys.size()) {
        std::memcpy(data, keys.data(), size);
    } else if (size == sizeof joystick) {
        std::memcpy(data, &joystick, size);
    } else {
        return DIERR_INVALIDPARAM;
    }
    return stateAnswer;
}

HRESULT FakeDevice::SetDataFormat(LPCDIDATAFORMAT dataFormat) {
    calls.push_back("SetDataFormat");
    format = dataFormat;
    return formatAnswer;
}

HRESULT FakeDevice::SetCooperativeLevel(HWND window, DWORD flags) {
    calls.push_back("SetCooperativeLevel");
    cooperativeWindow = window;
    cooperativeFlags = flags;
    return cooperativeAnswer;
}

HRESULT FakeDevice::RunControlPanel(HWND owner, DWORD flags) {
    calls.push_back("RunControlPanel");
    controlPanelOwner = owner;
    return flags == 0 ? DI_OK : DIERR_INVALIDPARAM;
}

HRESULT FakeDevice::Poll() {
    calls.push_back("Poll");
    ++pollCalls;
    return unplugged ? DIERR_INPUTLOST : pollAnswer;
}

// ---- FakeDirectInput ----

GUID FakeInstance(int number) {
    GUID guid = {};
    guid.Data1 = static_cast<unsigned long>(number);
    return guid;
}

FakeController& FakeDirectInput::Attach(int number, std::size_t position) {
    FakeController controller;
    controller.instance = FakeInstance(number);
    controller.enumeratedName = "Pad " + std::to_string(number);
    controller.device->instanceName = L"Pad " + std::to_wstring(number);
    const auto at =
        attached.begin() + static_cast<std::ptrdiff_t>(std::min(position, attached.size()));
    return *attached.insert(at, std::move(controller));
}

FakeController& FakeDirectInput::Controller(int number) {
    const auto found = std::find_if(attached.begin(), attached.end(), [&](const FakeController& c) {
        return IsEqualGUID(c.instance, FakeInstance(number));
    });
    if (found == attached.end())
        std::abort();  // a test's own mistake
    return *found;
}

void FakeDirectInput::Unplug(int number) {
    FakeController& controller = Controller(number);
    controller.plugged = false;
    controller.device->unplugged = true;
}

void FakeDirectInput::PlugBackIn(int number) {
    FakeController& controller = Controller(number);
    controller.plugged = true;
    controller.device->unplugged = false;
}

HRESULT FakeDirectInput::QueryInterface(REFIID, void** object) {
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT FakeDirectInput::CreateDevice(REFGUID instance, LPDIRECTINPUTDEVICE8A* device, LPUNKNOWN) {
    *device = nullptr;
    if (IsEqualGUID(instance, GUID_SysKeyboard)) {
        keyboard.AddRef();
        *device = &keyboard;
        return DI_OK;
    }
    for (FakeController& controller : attached) {
        if (!IsEqualGUID(controller.instance, instance))
            continue;
        if (!controller.creatable || !controller.plugged)
            return DIERR_DEVICENOTREG;
        controller.device->AddRef();
        *device = controller.device.get();
        return DI_OK;
    }
    return DIERR_DEVICENOTREG;
}

HRESULT FakeDirectInput::EnumDevices(DWORD deviceClass, LPDIENUMDEVICESCALLBACKA callback,
                                     LPVOID context, DWORD flags) {
    enumeratedClass = deviceClass;
    enumerationFlags = flags;
    ++enumerations;
    if (FAILED(enumerationAnswer))
        return enumerationAnswer;
    for (const FakeController& controller : attached) {
        if (!controller.plugged)
            continue;
        DIDEVICEINSTANCEA instance = {};
        instance.dwSize = sizeof instance;
        instance.guidInstance = controller.instance;
        std::strncpy(instance.tszInstanceName, controller.enumeratedName.c_str(),
                     sizeof instance.tszInstanceName - 1);
        if (callback(&instance, context) == DIENUM_STOP)
            break;
    }
    return DI_OK;
}
