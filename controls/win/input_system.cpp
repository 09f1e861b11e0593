#include "controls/win/input_system.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <iterator>

#include "base/win/catch_to_result.h"
#include "base/win/startup_log.h"
#include "settings/win/guid_win.h"

using Microsoft::WRL::ComPtr;

namespace {

// The DirectInput version the controls setup is written for.
constexpr DWORD kDirectInputVersion = 0x0800;

using DirectInput8CreateFunction = HRESULT(WINAPI*)(HINSTANCE instance, DWORD version,
                                                    REFIID interfaceId, void** object,
                                                    IUnknown* outer);

HRESULT CreateDirectInput(DirectInput8CreateFunction create, ComPtr<IDirectInput8A>& directInput) {
    return create(GetModuleHandleA(nullptr), kDirectInputVersion, IID_IDirectInput8A,
                  reinterpret_cast<void**>(directInput.ReleaseAndGetAddressOf()), nullptr);
}

// The failure of LoadLibrary or GetProcAddress, as an HRESULT.
HRESULT LastErrorResult() {
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

std::wstring WideFromAnsi(const char* text, std::size_t capacity) {
    const int length = static_cast<int>(strnlen(text, capacity));
    if (length == 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    const int converted = MultiByteToWideChar(CP_ACP, 0, text, length, wide.data(), length);
    wide.resize(static_cast<std::size_t>(converted > 0 ? converted : 0));
    return wide;
}

// The name the player knows the controller by. DirectInput keeps it in UTF-16; the enumeration's
// ANSI copy stands in when the device will not give it.
std::wstring InstanceName(IDirectInputDevice8A& device, const DIDEVICEINSTANCEA& instance) {
    DIPROPSTRING property = {};
    property.diph.dwSize = sizeof property;
    property.diph.dwHeaderSize = sizeof property.diph;
    property.diph.dwObj = 0;
    property.diph.dwHow = DIPH_DEVICE;
    if (SUCCEEDED(device.GetProperty(DIPROP_INSTANCENAME, &property.diph))) {
        return std::wstring(property.wsz, wcsnlen(property.wsz, std::size(property.wsz)));
    }
    return WideFromAnsi(instance.tszInstanceName, std::size(instance.tszInstanceName));
}

struct Listing {
    IDirectInput8A& directInput;
    std::vector<AttachedController>& controllers;
    HRESULT result = DI_OK;
};

void ListController(Listing& listing, const DIDEVICEINSTANCEA& instance) {
    // A tenth and later controllers are left out; the list has no room for them.
    if (listing.controllers.size() >= kMaxListedControllers)
        return;
    ComPtr<IDirectInputDevice8A> device;
    if (FAILED(listing.directInput.CreateDevice(instance.guidInstance, device.GetAddressOf(),
                                                nullptr))) {
        return;
    }
    listing.controllers.push_back(
        {FromWindowsGuid(instance.guidInstance), InstanceName(*device.Get(), instance)});
}

// DirectInput calls this from its own C code: nothing may unwind through it.
BOOL CALLBACK ListControllerCallback(const DIDEVICEINSTANCEA* instance, void* context) noexcept {
    auto& listing = *static_cast<Listing*>(context);
    listing.result = CatchToResult([&] { ListController(listing, *instance); });
    // Once a controller could not be kept, the listing has failed: the rest need not be looked at.
    return SUCCEEDED(listing.result) ? DIENUM_CONTINUE : DIENUM_STOP;
}

// DirectInput calls this from its own C code; nothing in it throws.
BOOL CALLBACK SetAxisRange(const DIDEVICEOBJECTINSTANCEA* object, void* context) noexcept {
    auto& device = *static_cast<IDirectInputDevice8A*>(context);
    DIPROPRANGE range = {};
    range.diph.dwSize = sizeof range;
    range.diph.dwHeaderSize = sizeof range.diph;
    range.diph.dwObj = object->dwType;
    range.diph.dwHow = DIPH_BYID;
    range.lMin = kAxisMinimum;
    range.lMax = kAxisMaximum;
    return SUCCEEDED(device.SetProperty(DIPROP_RANGE, &range.diph)) ? DIENUM_CONTINUE : DIENUM_STOP;
}

// The listed controller with GUID `instance`, or nullptr.
const AttachedController* FindController(const std::vector<AttachedController>& controllers,
                                         const Guid& instance) {
    const auto found = std::find_if(
        controllers.begin(), controllers.end(),
        [&](const AttachedController& controller) { return controller.instance == instance; });
    return found != controllers.end() ? &*found : nullptr;
}

}  // namespace

HRESULT ListControllers(IDirectInput8A& directInput, std::vector<AttachedController>& controllers) {
    controllers.clear();
    Listing listing = {directInput, controllers};
    HRESULT result = directInput.EnumDevices(DI8DEVCLASS_GAMECTRL, ListControllerCallback, &listing,
                                             DIEDFL_ATTACHEDONLY);
    // A controller that could not be kept stopped the enumeration, which DirectInput answers as
    // a success.
    if (SUCCEEDED(result))
        result = listing.result;
    if (FAILED(result))
        controllers.clear();
    return result;
}

int PreselectedItem(const std::vector<AttachedController>& controllers, const Guid& stored) {
    for (std::size_t index = 0; index < controllers.size(); ++index) {
        if (controllers[index].instance == stored)
            return static_cast<int>(index) + 1;
    }
    return 0;
}

HRESULT PrepareController(IDirectInputDevice8A& device, HWND window) {
    HRESULT result = device.SetDataFormat(&c_dfDIJoystick2);
    if (FAILED(result))
        return result;
    result = device.SetCooperativeLevel(window, kInputCooperativeLevel);
    if (FAILED(result))
        return result;
    DIDEVCAPS capabilities = {};
    capabilities.dwSize = sizeof capabilities;
    result = device.GetCapabilities(&capabilities);
    if (FAILED(result))
        return result;
    // An axis that refuses the range keeps the device's own scale, which only makes the capture's
    // threshold mean something else for it: no reason to refuse the whole controller.
    device.EnumObjects(SetAxisRange, &device, DIDFT_AXIS);
    return DI_OK;
}

void InputSystem::Release() {
    controller_.Reset();
    keyboard_.Reset();
    keyboardInput_.Reset();
    controllerInput_.Reset();
    controllers_.clear();
    library_.Reset();
    window_ = nullptr;
}

HRESULT InputSystem::Relist(const Guid& selected) {
    if (controllerInput_ == nullptr)
        return E_POINTER;
    std::vector<AttachedController> attached;
    const HRESULT result = ListControllers(*controllerInput_.Get(), attached);
    if (FAILED(result))
        return result;
    // The player's choice and its bindings stay while the controller is away: it is likely to
    // come back, and the game will look for it.
    const AttachedController* away = nullptr;
    if (!selected.IsZero() && FindController(attached, selected) == nullptr)
        away = FindController(controllers_, selected);
    if (away != nullptr) {
        if (attached.size() >= kMaxListedControllers)
            attached.resize(kMaxListedControllers - 1);
        attached.push_back(*away);
        attached.back().connected = false;
    }
    controllers_ = std::move(attached);
    return DI_OK;
}

HRESULT InputSystem::OpenController(int item) {
    controller_.Reset();
    if (controllerInput_ == nullptr || item < 1 ||
        static_cast<std::size_t>(item) > controllers_.size()) {
        return E_INVALIDARG;
    }
    const AttachedController& listed = controllers_[static_cast<std::size_t>(item) - 1];
    if (!listed.connected)
        return DIERR_UNPLUGGED;
    const GUID instance = ToWindowsGuid(listed.instance);
    ComPtr<IDirectInputDevice8A> device;
    HRESULT result = controllerInput_->CreateDevice(instance, device.GetAddressOf(), nullptr);
    if (FAILED(result))
        return result;
    result = PrepareController(*device.Get(), window_);
    if (FAILED(result))
        return result;
    controller_ = device;
    return DI_OK;
}

void InputSystem::RunControlPanel(HWND owner) const {
    if (controller_ != nullptr)
        controller_->RunControlPanel(owner, 0);
}

HRESULT OpenInputSystem(HWND window, InputSystem& system, const DirectInputFactory& create) {
    system.Release();
    system.window_ = window;
    DirectInputFactory createDirectInput = create;
    if (!createDirectInput) {
        system.library_ = LoadedLibrary(L"dinput8.dll");
        const auto function =
            system.library_.Find<DirectInput8CreateFunction>("DirectInput8Create");
        if (function == nullptr)
            return LastErrorResult();
        createDirectInput = [function](ComPtr<IDirectInput8A>& directInput) {
            return CreateDirectInput(function, directInput);
        };
    }
    HRESULT result = createDirectInput(system.controllerInput_);
    if (FAILED(result))
        return result;
    result = createDirectInput(system.keyboardInput_);
    if (FAILED(result))
        return result;

    result = system.keyboardInput_->CreateDevice(GUID_SysKeyboard, system.keyboard_.GetAddressOf(),
                                                 nullptr);
    if (FAILED(result))
        return result;
    result = system.keyboard_->SetDataFormat(&c_dfDIKeyboard);
    if (FAILED(result))
        return result;
    result = system.keyboard_->SetCooperativeLevel(window, kInputCooperativeLevel);
    if (FAILED(result))
        return result;

    const StartupStep step("directinput controller enumeration");
    return ListControllers(*system.controllerInput_.Get(), system.controllers_);
}
