#pragma once
// DirectInput 8 for the controls setup: the keyboard, the attached game controllers and the one
// controller in use. The dialog asks this for plain records (the controllers found, each with its
// instance GUID and name) and fills its list from them; the capture reads the devices it opens
// here (capture_reading.h).
//
// Each step is written against DirectInput's own interfaces, so a test can hand it a stand-in
// controller: the machines the tests run on have a keyboard but rarely a game controller.
//
// dinput8.dll is loaded when the system is opened rather than linked: without it the program
// still starts, the other dialogs work, and this dialog says that DirectInput is missing.
//
//     InputSystem input;
//     if (FAILED(OpenInputSystem(dialogWindow, input))) ...   // the DirectInput message
//     for (const AttachedController& controller : input.Controllers()) ... // list items 1 ... 9
//     input.OpenController(item);                            // on a change of the list
//     input.Relist(selectedInstance);                        // when devices come or go
//     input.Release();                                       // when the dialog goes

#include <windows.h>
#include <dinput.h>
#include <wrl/client.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "base/win/loaded_library.h"
#include "settings/settings_file.h"

// DISCL_NONEXCLUSIVE | DISCL_BACKGROUND: the dialog never takes a device away from another
// program, and the capture reads it whichever window has the focus.
inline constexpr DWORD kInputCooperativeLevel = DISCL_NONEXCLUSIVE | DISCL_BACKGROUND;

// The controller list holds the keyboard and at most nine controllers; later ones are left out.
inline constexpr std::size_t kMaxListedControllers = 9;

// Every controller axis is scaled to this range, which the capture's threshold relies on.
inline constexpr LONG kAxisMinimum = -1000;
inline constexpr LONG kAxisMaximum = 1000;

// Makes one DirectInput 8 interface (ANSI, version 0x0800). The system's comes from dinput8.dll;
// a test hands in its own stand-in.
using DirectInputFactory = std::function<HRESULT(Microsoft::WRL::ComPtr<IDirectInput8A>&)>;

// An attached game controller as DirectInput lists it.
struct AttachedController {
    Guid instance;      // what the settings file stores as controllerDevice
    std::wstring name;  // its instance name, as the list shows it
    // False only for the selected controller while it is unplugged: the list keeps it, with its
    // bindings, until it comes back (InputSystem::Relist).
    bool connected = true;
};

// The attached game controllers in DirectInput's enumeration order, at most nine. A controller
// whose device cannot be created is left out. Fails when the enumeration fails, or with
// E_OUTOFMEMORY when the controllers could not all be kept; then none is listed.
HRESULT ListControllers(IDirectInput8A& directInput, std::vector<AttachedController>& controllers);

// The list item to select at the start: the item (1 ... 9) of the controller the settings file
// names when it is attached, else 0, the keyboard.
int PreselectedItem(const std::vector<AttachedController>& controllers, const Guid& stored);

// Readies a controller device for reading by `window`: the DIJOYSTATE2 format, the cooperative
// level, its capabilities, then every axis scaled to -1000 ... +1000 (an axis that refuses the
// range ends the scaling; the device is still usable). The first failure of the other steps is
// answered and the device must not be used.
HRESULT PrepareController(IDirectInputDevice8A& device, HWND window);

// The DirectInput state of one controls setup dialog: created when it opens, released when its
// window is destroyed.
class InputSystem {
  public:
    InputSystem() = default;
    ~InputSystem() { Release(); }
    InputSystem(const InputSystem&) = delete;
    InputSystem& operator=(const InputSystem&) = delete;

    // The devices, then both DirectInput interfaces, then the library they run on.
    void Release();

    // The controllers found when the system was opened or last relisted; item n of the list is
    // entry n - 1.
    const std::vector<AttachedController>& Controllers() const { return controllers_; }

    // Lists the attached controllers anew, as they are now, at most nine. The controller the
    // player has selected (`selected`; the zero GUID for the keyboard) keeps a place when it is
    // no longer attached: it comes last, not connected, and the attached ones share the other
    // eight places. The open controller device is left as it is. A failed enumeration is
    // answered and changes nothing.
    HRESULT Relist(const Guid& selected);

    // The keyboard device; nullptr until opened.
    IDirectInputDevice8A* Keyboard() const { return keyboard_.Get(); }
    // The controller opened last; nullptr when none is open.
    IDirectInputDevice8A* Controller() const { return controller_.Get(); }

    // Opens the controller of list item `item` (1 ... 9), replacing the one open before. On a
    // failure no controller is open afterwards; one that is not connected cannot be opened.
    HRESULT OpenController(int item);
    // Lets go of the open controller device, if any: its controller has gone.
    void CloseController() { controller_.Reset(); }

    // The operating system's calibration page for the open controller, owned by `owner`;
    // nothing when no controller is open.
    void RunControlPanel(HWND owner) const;

  private:
    friend HRESULT OpenInputSystem(HWND window, InputSystem& system,
                                   const DirectInputFactory& create);

    HWND window_ = nullptr;
    // Declared before everything made from its code, so that it outlives it.
    LoadedLibrary library_;
    // The first interface lists and opens the controllers, the second opens the keyboard.
    // Declared before the devices, so that the devices are released first.
    Microsoft::WRL::ComPtr<IDirectInput8A> controllerInput_;
    Microsoft::WRL::ComPtr<IDirectInput8A> keyboardInput_;
    Microsoft::WRL::ComPtr<IDirectInputDevice8A> keyboard_;
    Microsoft::WRL::ComPtr<IDirectInputDevice8A> controller_;
    std::vector<AttachedController> controllers_;
};

// Creates both DirectInput 8 interfaces, through `create` or, when it is empty, from dinput8.dll
// loaded now, then the keyboard device for `window`, and lists the attached controllers,
// replacing whatever `system` held. Answers the first failure (a missing library or
// DirectInput8Create as the system's error for it); then the system must not be used (Release
// it).
HRESULT OpenInputSystem(HWND window, InputSystem& system, const DirectInputFactory& create = {});
