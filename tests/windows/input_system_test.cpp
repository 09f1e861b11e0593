// DirectInput for the controls setup. The real DirectInput opens the keyboard and lists the
// attached controllers; under Wine on a virtual X screen that is a keyboard and no controller.
// Listing and readying controllers are checked with stand-ins (fake_direct_input.h): how many
// are listed, which are left out, and what DirectInput is asked.

#include <gtest/gtest.h>

#include <windows.h>
#include <dinput.h>

#include <chrono>
#include <vector>

#include "controls/capture.h"
#include "controls/win/capture_reading.h"
#include "controls/win/input_system.h"
#include "controls/win/keyboard_layout.h"
#include "failing_allocations.h"
#include "fake_direct_input.h"
#include "settings/win/guid_win.h"

namespace {

using namespace std::chrono_literals;

constexpr int kLeftShift = 0x2A;  // DirectInput scan code

// A hidden top-level window of this process, as DirectInput's cooperative level wants one.
class TopLevelWindow {
  public:
    TopLevelWindow()
        : window_(CreateWindowExW(0, L"STATIC", L"input test", WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr)) {}
    ~TopLevelWindow() { DestroyWindow(window_); }
    TopLevelWindow(const TopLevelWindow&) = delete;
    TopLevelWindow& operator=(const TopLevelWindow&) = delete;
    HWND Get() const { return window_; }

  private:
    HWND window_;
};

bool RunningUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// A key held down through the system's input queue, as the player's keyboard would; let go when
// the object goes.
class HeldKey {
  public:
    HeldKey(WORD virtualKey, int scanCode) : virtualKey_(virtualKey), scanCode_(scanCode) {
        Send(0);
    }
    ~HeldKey() { Send(KEYEVENTF_KEYUP); }
    HeldKey(const HeldKey&) = delete;
    HeldKey& operator=(const HeldKey&) = delete;

  private:
    void Send(DWORD flags) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey_;
        input.ki.wScan = static_cast<WORD>(scanCode_);
        input.ki.dwFlags = flags;
        SendInput(1, &input, sizeof input);
    }

    WORD virtualKey_;
    int scanCode_;
};

// ---- The real DirectInput ----

class DirectInputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(window.Get(), nullptr);
        ASSERT_EQ(OpenInputSystem(window.Get(), input), DI_OK);
    }

    TopLevelWindow window;
    InputSystem input;
};

TEST_F(DirectInputTest, OpensTheKeyboardAndListsTheAttachedControllers) {
    ASSERT_NE(input.Keyboard(), nullptr);
    EXPECT_EQ(input.Controller(), nullptr);  // none is opened until one is chosen
    EXPECT_LE(input.Controllers().size(), kMaxListedControllers);
    for (const AttachedController& controller : input.Controllers()) {
        EXPECT_FALSE(controller.instance.IsZero());
        EXPECT_FALSE(controller.name.empty());
    }
    if (RunningUnderWine()) {
        EXPECT_TRUE(input.Controllers().empty()) << "Wine here has no game controller";
    }
}

TEST_F(DirectInputTest, AControllerThatIsNotListedCannotBeOpened) {
    const int pastTheLast = static_cast<int>(input.Controllers().size()) + 1;
    EXPECT_TRUE(FAILED(input.OpenController(pastTheLast)));
    EXPECT_TRUE(FAILED(input.OpenController(0)));  // item 0 is the keyboard
    EXPECT_EQ(input.Controller(), nullptr);
    input.RunControlPanel(window.Get());  // with no controller open: nothing to show
}

TEST_F(DirectInputTest, KeyboardReadsAfterItIsAcquired) {
    IDirectInputDevice8A& keyboard = *input.Keyboard();
    ASSERT_TRUE(SUCCEEDED(keyboard.Acquire()));
    std::uint8_t keys[256] = {};
    EXPECT_EQ(keyboard.GetDeviceState(sizeof keys, keys), DI_OK);
    keyboard.Unacquire();
}

TEST_F(DirectInputTest, ReadingAcquiresTheKeyboardAtItsFirstTick) {
    IDirectInputDevice8A& keyboard = *input.Keyboard();
    ReadKeyboardState(keyboard);  // fails unacquired, and acquires
    std::uint8_t keys[256] = {};
    EXPECT_EQ(keyboard.GetDeviceState(sizeof keys, keys), DI_OK);
}

TEST_F(DirectInputTest, CapturesAKeyPressedOnTheKeyboard) {
    CaptureSession jump(ControlAction::Jump, LayoutKeyCharacter());
    const CaptureDevices devices = {input.Keyboard(), nullptr, false};
    std::optional<CapturedInput> captured;
    ASSERT_EQ(ReadCapturedInput(devices, jump, captured), S_OK);
    ASSERT_EQ(captured, std::nullopt) << "a key is down before any was pressed";

    const HeldKey shift(VK_LSHIFT, kLeftShift);
    // DirectInput learns of the key on a thread of its own; give it a generous while.
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!captured && std::chrono::steady_clock::now() < deadline) {
        Sleep(10);  // the capture window's timer period
        ASSERT_EQ(ReadCapturedInput(devices, jump, captured), S_OK);
    }
    EXPECT_EQ(captured, (CapturedInput{81, u"Left Shift"}));
}

TEST_F(DirectInputTest, ReleasingForgetsEveryDevice) {
    input.Release();
    EXPECT_EQ(input.Keyboard(), nullptr);
    EXPECT_EQ(input.Controller(), nullptr);
    EXPECT_TRUE(input.Controllers().empty());
    EXPECT_TRUE(FAILED(input.OpenController(1)));
}

TEST(KeyboardLayoutTest, KeysThatTypeNothingHaveNoCharacter) {
    EXPECT_EQ(LayoutCharacter(0x3B), '\0');  // F1
    EXPECT_EQ(LayoutCharacter(0x39), ' ');   // the space bar, on every layout
    // Whatever letter the layout puts on this key, it comes as a capital.
    const char letter = LayoutCharacter(0x1E);
    EXPECT_TRUE(letter >= 'A' && letter <= 'Z') << static_cast<int>(letter);
}

// ---- Listing controllers ----

TEST(ListControllersTest, ListsAtMostNineInEnumerationOrderLeavingOutThoseThatWillNotOpen) {
    FakeDirectInput directInput;
    for (int number = 1; number <= 11; ++number)
        directInput.Attach(number);
    directInput.attached[2].creatable = false;  // Pad 3

    std::vector<AttachedController> controllers;
    ASSERT_EQ(ListControllers(directInput, controllers), DI_OK);
    EXPECT_EQ(directInput.enumeratedClass, static_cast<DWORD>(DI8DEVCLASS_GAMECTRL));
    EXPECT_EQ(directInput.enumerationFlags, static_cast<DWORD>(DIEDFL_ATTACHEDONLY));

    const std::vector<int> listed = {1, 2, 4, 5, 6, 7, 8, 9, 10};
    ASSERT_EQ(controllers.size(), listed.size());
    for (std::size_t index = 0; index < listed.size(); ++index) {
        EXPECT_EQ(controllers[index].instance, FromWindowsGuid(FakeInstance(listed[index])));
        EXPECT_EQ(controllers[index].name, L"Pad " + std::to_wstring(listed[index]));
    }
    // The devices made for reading the names are let go again.
    for (const FakeController& controller : directInput.attached) {
        EXPECT_EQ(controller.device->References(), 1u) << controller.enumeratedName;
    }
    EXPECT_EQ(directInput.References(), 1u);
}

TEST(ListControllersTest, NameComesFromTheEnumerationWhenTheDeviceKeepsItsOwn) {
    FakeDirectInput directInput;
    FakeController& pad = directInput.Attach(1);
    pad.device->instanceNameAnswer = DIERR_UNSUPPORTED;
    pad.enumeratedName = "Gamepad \xE9";  // the ANSI code page's letter, as DirectInput gives it

    std::vector<AttachedController> controllers;
    ASSERT_EQ(ListControllers(directInput, controllers), DI_OK);
    ASSERT_EQ(controllers.size(), 1u);
    EXPECT_EQ(controllers[0].name.substr(0, 8), L"Gamepad ");
    EXPECT_EQ(controllers[0].name.size(), 9u);
}

TEST(ListControllersTest, AFailedEnumerationIsAnsweredWithNothingListed) {
    FakeDirectInput directInput;
    directInput.Attach(1);
    directInput.enumerationAnswer = DIERR_NOTINITIALIZED;
    std::vector<AttachedController> controllers = {{Guid{}, L"left over"}};
    EXPECT_EQ(ListControllers(directInput, controllers), DIERR_NOTINITIALIZED);
    EXPECT_TRUE(controllers.empty());
}

TEST(ListControllersTest, MemoryRunningOutWhileListingIsAnsweredWithNothingListed) {
    FakeDirectInput directInput;
    directInput.Attach(1);
    FakeController& pad = directInput.Attach(2);
    // The stand-in notes each call; room made now keeps its notes from needing memory.
    pad.device->calls.reserve(8);
    directInput.Controller(1).device->calls.reserve(8);
    std::vector<AttachedController> controllers;
    HRESULT result = DI_OK;
    {
        const FailingAllocations failing;
        result = ListControllers(directInput, controllers);
    }
    EXPECT_EQ(result, E_OUTOFMEMORY);
    EXPECT_TRUE(controllers.empty());
    EXPECT_EQ(pad.device->calls.size(), 0u) << "the enumeration went on after the failure";
}

TEST(PreselectedItemTest, TheStoredControllerIsSelectedOnlyWhenAttached) {
    std::vector<AttachedController> controllers = {
        {FromWindowsGuid(FakeInstance(7)), L"Pad 7"},
        {FromWindowsGuid(FakeInstance(8)), L"Pad 8"},
    };
    EXPECT_EQ(PreselectedItem(controllers, FromWindowsGuid(FakeInstance(8))), 2);
    EXPECT_EQ(PreselectedItem(controllers, FromWindowsGuid(FakeInstance(7))), 1);
    EXPECT_EQ(PreselectedItem(controllers, FromWindowsGuid(FakeInstance(9))), 0);
    EXPECT_EQ(PreselectedItem(controllers, Guid{}), 0);  // the keyboard
    EXPECT_EQ(PreselectedItem({}, FromWindowsGuid(FakeInstance(7))), 0);
}

// ---- Listing again while the dialog is open ----

TEST(RelistTest, TheSelectedControllerKeepsOneOfTheNinePlacesWhileItIsAway) {
    TopLevelWindow window;
    FakeDirectInput directInput;
    for (int number = 1; number <= 10; ++number)
        directInput.Attach(number);
    InputSystem input;
    const auto fake = [&](Microsoft::WRL::ComPtr<IDirectInput8A>& created) {
        created = &directInput;
        return DI_OK;
    };
    ASSERT_EQ(OpenInputSystem(window.Get(), input, fake), DI_OK);
    const Guid pad2 = FromWindowsGuid(FakeInstance(2));

    directInput.Unplug(2);
    ASSERT_EQ(input.Relist(pad2), DI_OK);
    const std::vector<int> listed = {1, 3, 4, 5, 6, 7, 8, 9, 2};
    ASSERT_EQ(input.Controllers().size(), listed.size());
    for (std::size_t index = 0; index < listed.size(); ++index) {
        const AttachedController& controller = input.Controllers()[index];
        EXPECT_EQ(controller.instance, FromWindowsGuid(FakeInstance(listed[index])));
        EXPECT_EQ(controller.connected, listed[index] != 2) << listed[index];
    }
    EXPECT_EQ(input.OpenController(9), DIERR_UNPLUGGED);
    EXPECT_EQ(input.Controller(), nullptr);

    // A listing that fails keeps the list; once the keyboard is chosen, the absent one goes.
    directInput.enumerationAnswer = DIERR_NOTINITIALIZED;
    EXPECT_EQ(input.Relist(Guid{}), DIERR_NOTINITIALIZED);
    EXPECT_EQ(input.Controllers().size(), 9u);
    directInput.enumerationAnswer = DI_OK;
    ASSERT_EQ(input.Relist(Guid{}), DI_OK);
    ASSERT_EQ(input.Controllers().size(), 9u);
    EXPECT_EQ(input.Controllers().back().instance, FromWindowsGuid(FakeInstance(10)));
    for (const AttachedController& controller : input.Controllers())
        EXPECT_TRUE(controller.connected);
}

// ---- Readying a controller ----

class PrepareControllerTest : public ::testing::Test {
  protected:
    TopLevelWindow window;
    FakeDevice pad;
};

TEST_F(PrepareControllerTest, SetsTheJoystickFormatAndLevelThenScalesEveryAxisById) {
    pad.axes = {0x00000102, 0x00000202, 0x00000502};  // X, Y and X rotation, absolute axes
    ASSERT_EQ(PrepareController(pad, window.Get()), DI_OK);

    EXPECT_EQ(pad.format, &c_dfDIJoystick2);
    EXPECT_EQ(pad.cooperativeWindow, window.Get());
    EXPECT_EQ(pad.cooperativeFlags, 10u);  // DISCL_NONEXCLUSIVE | DISCL_BACKGROUND
    EXPECT_EQ(pad.capabilitiesSize, sizeof(DIDEVCAPS));
    EXPECT_EQ(pad.enumeratedTypes, static_cast<DWORD>(DIDFT_AXIS));
    ASSERT_EQ(pad.ranges.size(), pad.axes.size());
    for (std::size_t index = 0; index < pad.axes.size(); ++index) {
        const DIPROPRANGE& range = pad.ranges[index];
        EXPECT_EQ(range.diph.dwSize, 24u);
        EXPECT_EQ(range.diph.dwHeaderSize, 16u);
        EXPECT_EQ(range.diph.dwObj, pad.axes[index]);
        EXPECT_EQ(range.diph.dwHow, static_cast<DWORD>(DIPH_BYID));
        EXPECT_EQ(range.lMin, -1000);
        EXPECT_EQ(range.lMax, 1000);
    }
}

TEST_F(PrepareControllerTest, AnAxisThatRefusesItsRangeEndsTheScalingButNotTheController) {
    pad.axes = {0x00000102, 0x00000202, 0x00000302};
    pad.rangeAnswers = {DI_OK, DIERR_INVALIDPARAM};
    EXPECT_EQ(PrepareController(pad, window.Get()), DI_OK);
    EXPECT_EQ(pad.ranges.size(), 2u);
}

TEST_F(PrepareControllerTest, AFailingStepIsAnsweredAndNothingAfterItIsAsked) {
    pad.cooperativeAnswer = DIERR_INVALIDPARAM;
    EXPECT_EQ(PrepareController(pad, window.Get()), DIERR_INVALIDPARAM);
    EXPECT_EQ(pad.calls, (std::vector<std::string>{"SetDataFormat", "SetCooperativeLevel"}));

    FakeDevice noFormat;
    noFormat.formatAnswer = DIERR_ACQUIRED;
    EXPECT_EQ(PrepareController(noFormat, window.Get()), DIERR_ACQUIRED);
    EXPECT_EQ(noFormat.calls, (std::vector<std::string>{"SetDataFormat"}));

    FakeDevice noCapabilities;
    noCapabilities.capabilitiesAnswer = DIERR_NOTINITIALIZED;
    EXPECT_EQ(PrepareController(noCapabilities, window.Get()), DIERR_NOTINITIALIZED);
    EXPECT_TRUE(noCapabilities.ranges.empty());
}

}  // namespace
