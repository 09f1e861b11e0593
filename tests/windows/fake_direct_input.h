#pragma once
// Stand-ins for DirectInput 8, for the paths the test machines cannot take for real: under Wine
// there is a keyboard but no game controller. A FakeDevice answers as its test tells it and
// records what was asked of it; a FakeDirectInput lists and creates FakeDevices, and its test
// plugs controllers in and pulls them out.
//
// Both count references but never delete themselves: the test owns them, and a reference count
// back at 1 shows that the code under test released everything it took.

#include <windows.h>
#include <dinput.h>

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

// COM objects end through Release, never through a pointer to their interface, which has no
// virtual destructor by design.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

// Every method DirectInput's device interface has, answering E_NOTIMPL unless a test overrides
// it, and the reference count.
class DeviceStub : public IDirectInputDevice8A {
  public:
    virtual ~DeviceStub() = default;
    ULONG References() const { return references_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }

    HRESULT STDMETHODCALLTYPE GetCapabilities(LPDIDEVCAPS) override;
    HRESULT STDMETHODCALLTYPE EnumObjects(LPDIENUMDEVICEOBJECTSCALLBACKA, LPVOID, DWORD) override;
    HRESULT STDMETHODCALLTYPE GetProperty(REFGUID, LPDIPROPHEADER) override;
    HRESULT STDMETHODCALLTYPE SetProperty(REFGUID, LPCDIPROPHEADER) override;
    HRESULT STDMETHODCALLTYPE Acquire() override;
    HRESULT STDMETHODCALLTYPE Unacquire() override;
    HRESULT STDMETHODCALLTYPE GetDeviceState(DWORD, LPVOID) override;
    HRESULT STDMETHODCALLTYPE GetDeviceData(DWORD, LPDIDEVICEOBJECTDATA, LPDWORD, DWORD) override;
    HRESULT STDMETHODCALLTYPE SetDataFormat(LPCDIDATAFORMAT) override;
    HRESULT STDMETHODCALLTYPE SetEventNotification(HANDLE) override;
    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND, DWORD) override;
    HRESULT STDMETHODCALLTYPE GetObjectInfo(LPDIDEVICEOBJECTINSTANCEA, DWORD, DWORD) override;
    HRESULT STDMETHODCALLTYPE GetDeviceInfo(LPDIDEVICEINSTANCEA) override;
    HRESULT STDMETHODCALLTYPE RunControlPanel(HWND, DWORD) override;
    HRESULT STDMETHODCALLTYPE Initialize(HINSTANCE, DWORD, REFGUID) override;
    HRESULT STDMETHODCALLTYPE CreateEffect(REFGUID, LPCDIEFFECT, LPDIRECTINPUTEFFECT*,
                                           LPUNKNOWN) override;
    HRESULT STDMETHODCALLTYPE EnumEffects(LPDIENUMEFFECTSCALLBACKA, LPVOID, DWORD) override;
    HRESULT STDMETHODCALLTYPE GetEffectInfo(LPDIEFFECTINFOA, REFGUID) override;
    HRESULT STDMETHODCALLTYPE GetForceFeedbackState(LPDWORD) override;
    HRESULT STDMETHODCALLTYPE SendForceFeedbackCommand(DWORD) override;
    HRESULT STDMETHODCALLTYPE EnumCreatedEffectObjects(LPDIENUMCREATEDEFFECTOBJECTSCALLBACK, LPVOID,
                                                       DWORD) override;
    HRESULT STDMETHODCALLTYPE Escape(LPDIEFFESCAPE) override;
    HRESULT STDMETHODCALLTYPE Poll() override;
    HRESULT STDMETHODCALLTYPE SendDeviceData(DWORD, LPCDIDEVICEOBJECTDATA, LPDWORD, DWORD) override;
    HRESULT STDMETHODCALLTYPE EnumEffectsInFile(LPCSTR, LPDIENUMEFFECTSINFILECALLBACK, LPVOID,
                                                DWORD) override;
    HRESULT STDMETHODCALLTYPE WriteEffectToFile(LPCSTR, DWORD, LPDIFILEEFFECT, DWORD) override;
    HRESULT STDMETHODCALLTYPE BuildActionMap(LPDIACTIONFORMATA, LPCSTR, DWORD) override;
    HRESULT STDMETHODCALLTYPE SetActionMap(LPDIACTIONFORMATA, LPCSTR, DWORD) override;
    HRESULT STDMETHODCALLTYPE GetImageInfo(LPDIDEVICEIMAGEINFOHEADERA) override;

  private:
    ULONG references_ = 1;  // the test's own
};

// A keyboard or game controller whose answers a test sets.
class FakeDevice : public DeviceStub {
  public:
    // ---- What it answers ----

    // Acquire answers these in turn, then `acquireAnswer` for ever.
    std::deque<HRESULT> acquireAnswers;
    HRESULT acquireAnswer = DI_OK;
    // A device that needs no polling answers DI_NOEFFECT.
    HRESULT pollAnswer = DI_NOEFFECT;
    // A failed read still scribbles over the caller's buffer, as a broken driver might.
    HRESULT stateAnswer = DI_OK;
    std::array<std::uint8_t, 256> keys{};  // for a 256-byte read
    DIJOYSTATE2 joystick{};                // for a DIJOYSTATE2 read
    HRESULT formatAnswer = DI_OK;
    HRESULT cooperativeAnswer = DI_OK;
    HRESULT capabilitiesAnswer = DI_OK;
    // The type ids of the axes EnumObjects reports.
    std::vector<DWORD> axes;
    // SetProperty(DIPROP_RANGE) answers these in turn, then DI_OK.
    std::deque<HRESULT> rangeAnswers;
    // DIPROP_INSTANCENAME; a failing answer leaves the name unread.
    std::wstring instanceName;
    HRESULT instanceNameAnswer = DI_OK;
    // Pulled out: Acquire answers DIERR_UNPLUGGED, Poll and GetDeviceState DIERR_INPUTLOST, as a
    // real device's interface does once its controller has gone.
    bool unplugged = false;

    // ---- What it was asked ----

    int acquireCalls = 0;
    int pollCalls = 0;
    int stateReads = 0;
    const DIDATAFORMAT* format = nullptr;
    HWND cooperativeWindow = nullptr;
    DWORD cooperativeFlags = 0;
    DWORD capabilitiesSize = 0;
    DWORD enumeratedTypes = 0;  // EnumObjects' flags
    std::vector<DIPROPRANGE> ranges;
    HWND controlPanelOwner = nullptr;
    // The methods in the order they were called, by name.
    std::vector<std::string> calls;

    HRESULT STDMETHODCALLTYPE GetCapabilities(LPDIDEVCAPS capabilities) override;
    HRESULT STDMETHODCALLTYPE EnumObjects(LPDIENUMDEVICEOBJECTSCALLBACKA callback, LPVOID context,
                                          DWORD flags) override;
    HRESULT STDMETHODCALLTYPE GetProperty(REFGUID property, LPDIPROPHEADER header) override;
    HRESULT STDMETHODCALLTYPE SetProperty(REFGUID property, LPCDIPROPHEADER header) override;
    HRESULT STDMETHODCALLTYPE Acquire() override;
    HRESULT STDMETHODCALLTYPE GetDeviceState(DWORD size, LPVOID data) override;
    HRESULT STDMETHODCALLTYPE SetDataFormat(LPCDIDATAFORMAT dataFormat) override;
    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE RunControlPanel(HWND owner, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Poll() override;
};

// One controller of a FakeDirectInput.
struct FakeController {
    GUID instance;
    std::string enumeratedName;  // the ANSI name the enumeration reports
    bool creatable = true;       // false: CreateDevice refuses it
    bool plugged = true;         // false: neither listed nor created
    std::unique_ptr<FakeDevice> device = std::make_unique<FakeDevice>();
};

// DirectInput with a list of controllers, and the system keyboard.
class FakeDirectInput : public IDirectInput8A {
  public:
    // In enumeration order; those pulled out stay here, unlisted, with their devices.
    std::vector<FakeController> attached;
    FakeDevice keyboard;
    HRESULT enumerationAnswer = DI_OK;
    // What EnumDevices was asked for, and how often.
    DWORD enumeratedClass = 0;
    DWORD enumerationFlags = 0;
    int enumerations = 0;

    // A controller with GUID {n, 0, 0, ...} and the name "Pad n" in both of its forms, listed
    // last, or at `position` of the enumeration order.
    FakeController& Attach(int number, std::size_t position = SIZE_MAX);
    // Pulls the controller out: no longer listed or created, and its device answers as an
    // unplugged one. Plugging it back in makes it the same controller again.
    void Unplug(int number);
    void PlugBackIn(int number);
    FakeController& Controller(int number);
    ULONG References() const { return references_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }
    HRESULT STDMETHODCALLTYPE CreateDevice(REFGUID instance, LPDIRECTINPUTDEVICE8A* device,
                                           LPUNKNOWN outer) override;
    HRESULT STDMETHODCALLTYPE EnumDevices(DWORD deviceClass, LPDIENUMDEVICESCALLBACKA callback,
                                          LPVOID context, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE GetDeviceStatus(REFGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RunControlPanel(HWND, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Initialize(HINSTANCE, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindDevice(REFGUID, LPCSTR, LPGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDevicesBySemantics(LPCSTR, LPDIACTIONFORMATA,
                                                     LPDIENUMDEVICESBYSEMANTICSCBA, LPVOID,
                                                     DWORD) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ConfigureDevices(LPDICONFIGUREDEVICESCALLBACK,
                                               LPDICONFIGUREDEVICESPARAMSA, DWORD,
                                               LPVOID) override {
        return E_NOTIMPL;
    }

  private:
    ULONG references_ = 1;
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

// The GUID {number, 0, 0, 0...} of a fake controller.
GUID FakeInstance(int number);
