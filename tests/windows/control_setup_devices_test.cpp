// The control setup dialog while game controllers are plugged in and pulled out: the real dialog
// from its template, in this process, over a stand-in DirectInput (fake_direct_input.h) whose
// controllers the tests plug in and pull out, told of it as the system tells it, by
// WM_DEVICECHANGE. The settings file lives in a scratch install folder; it is removed once the
// dialog has opened, so that any later write shows as the file being there again.

#include <gtest/gtest.h>

#include <windows.h>
#include <dbt.h>
#include <dinput.h>
#include <wrl/client.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "texts/local_text.h"
#include "controls/win/control_setup_dialog.h"
#include "dialog_driver.h"
#include "fake_direct_input.h"
#include "game_registry.h"
#include "resources/resource_ids.h"
#include "settings/settings_file.h"
#include "settings/win/guid_win.h"

namespace {

using Microsoft::WRL::ComPtr;
using Items = std::vector<std::wstring>;

const std::wstring kReadError = L"Error Reading Input State";

class ControlSetupDevicesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetCurrentLanguage(kEnglish);
        registry.SetLocation(folder.Path());
    }

    void TearDown() override {
        if (dialog && dialog->Window() != nullptr)
            DestroyWindow(dialog->Window());
        dialog.reset();
        // Every interface and device the dialog took is given back.
        EXPECT_EQ(directInput.References(), 1u);
        EXPECT_EQ(directInput.keyboard.References(), 1u);
        for (const FakeController& controller : directInput.attached)
            EXPECT_EQ(controller.device->References(), 1u) << controller.enumeratedName;
    }

    // A settings file naming controller `pad` (none: 0), with the default bindings but Jump on
    // the controller's button 7.
    void WriteSettingsFile(int pad) {
        SettingsFile record;
        ApplyDefaultBindings(record);
        if (pad != 0)
            record.controllerDevice = FromWindowsGuid(FakeInstance(pad));
        record.ControllerBinding(SettingsAction::Jump) = 7;
        const SettingsBytes bytes = EncodeSettings(record);
        std::ofstream(SettingsPath(), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }

    // Opens the dialog and waits until it has listed the controllers, which it does once its
    // window has been shown and painted (OK is enabled then); then removes the settings file it
    // may have written while opening.
    void Open() {
        dialog = std::make_unique<ControlSetupDialog>([this](ComPtr<IDirectInput8A>& created) {
            created = &directInput;
            return DI_OK;
        });
        ASSERT_TRUE(dialog->CreateModeless(nullptr));
        ShowWindow(dialog->Window(), SW_SHOWNA);
        ASSERT_TRUE(
            PumpMessagesUntil([&] { return IsWindowEnabled(dialog->Item(IDOK)) != FALSE; }));
        std::filesystem::remove(SettingsPath());
    }

    bool SettingsWritten() const { return std::filesystem::exists(SettingsPath()); }

    // What the system sends when a device comes or goes.
    void Notify(WPARAM event) {
        DEV_BROADCAST_DEVICEINTERFACE_W broadcast = {};
        broadcast.dbcc_size = sizeof broadcast;
        broadcast.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
        const LPARAM data =
            event == DBT_DEVNODES_CHANGED ? 0 : reinterpret_cast<LPARAM>(&broadcast);
        SendMessageW(dialog->Window(), WM_DEVICECHANGE, event, data);
    }

    Items ListedItems() const {
        const HWND list = dialog->Item(IDC_CONTROLLER_LIST);
        Items items;
        const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
        for (LRESULT item = 0; item < count; ++item) {
            std::wstring text(
                static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXTLEN, item, 0)) + 1, L'\0');
            SendMessageW(list, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text.data()));
            text.resize(text.size() - 1);
            items.push_back(text);
        }
        return items;
    }

    // Waits for the list to show `items`, as it does once the notifications have been taken.
    ::testing::AssertionResult ListShows(const Items& items) {
        if (PumpMessagesUntil([&] { return ListedItems() == items; }))
            return ::testing::AssertionSuccess();
        ::testing::AssertionResult failure = ::testing::AssertionFailure() << "the list shows";
        for (const std::wstring& item : ListedItems())
            failure << " \"" << std::string(item.begin(), item.end()) << "\"";
        return failure;
    }

    LRESULT SelectedItem() const {
        return SendMessageW(dialog->Item(IDC_CONTROLLER_LIST), CB_GETCURSEL, 0, 0);
    }

    // The player's own choice in the list.
    void Choose(int item) {
        const HWND list = dialog->Item(IDC_CONTROLLER_LIST);
        SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
        SendMessageW(dialog->Window(), WM_COMMAND, MAKEWPARAM(IDC_CONTROLLER_LIST, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    }

    // A click on the Jump button, which starts a capture.
    void CaptureJump() {
        SendMessageW(dialog->Window(), WM_COMMAND, MAKEWPARAM(IDC_BIND_JUMP, BN_CLICKED),
                     reinterpret_cast<LPARAM>(dialog->Item(IDC_BIND_JUMP)));
    }

    std::wstring JumpCaption() const {
        wchar_t text[64] = {};
        GetDlgItemTextW(dialog->Window(), IDC_BIND_JUMP, text, 64);
        return text;
    }

    bool CalibrateEnabled() const { return IsWindowEnabled(dialog->Item(IDC_CALIBRATE)) != FALSE; }

    // Whether the dialog holds the controller's device open.
    bool DeviceOpen(int pad) { return directInput.Controller(pad).device->References() > 1; }

    std::string SettingsPath() const { return folder.File(kSettingsFileName); }

    GameRegistry registry;
    ScratchFolder folder;
    FakeDirectInput directInput;
    MessageBoxAnswerer boxes;
    std::unique_ptr<ControlSetupDialog> dialog;
};

TEST_F(ControlSetupDevicesTest, APlugInAddsItsEntryAndTheSelectionStaysWithoutAWrite) {
    Open();  // no controller: the keyboard only
    ASSERT_EQ(ListedItems(), (Items{L"Keyboard"}));

    directInput.Attach(1);
    Notify(DBT_DEVICEARRIVAL);
    ASSERT_TRUE(ListShows({L"Keyboard", L"Pad 1"}));
    EXPECT_EQ(SelectedItem(), 0);
    EXPECT_FALSE(CalibrateEnabled());

    Choose(1);  // the player's own change writes, as ever
    EXPECT_TRUE(SettingsWritten());
    std::filesystem::remove(SettingsPath());
    EXPECT_TRUE(CalibrateEnabled());

    directInput.Attach(2, 0);  // listed before the first
    Notify(DBT_DEVICEARRIVAL);
    ASSERT_TRUE(ListShows({L"Keyboard", L"Pad 2", L"Pad 1"}));
    EXPECT_EQ(SelectedItem(), 2);
    EXPECT_TRUE(DeviceOpen(1));
    EXPECT_FALSE(DeviceOpen(2));
    EXPECT_FALSE(SettingsWritten());
}

TEST_F(ControlSetupDevicesTest, RemovingAnotherControllerKeepsTheSelection) {
    directInput.Attach(1);
    directInput.Attach(2);
    WriteSettingsFile(2);
    Open();
    ASSERT_EQ(SelectedItem(), 2);

    directInput.Unplug(1);
    Notify(DBT_DEVICEREMOVECOMPLETE);
    ASSERT_TRUE(ListShows({L"Keyboard", L"Pad 2"}));
    EXPECT_EQ(SelectedItem(), 1);
    EXPECT_EQ(JumpCaption(), L"Button 07");
    EXPECT_TRUE(CalibrateEnabled());
    EXPECT_TRUE(DeviceOpen(2));
    EXPECT_FALSE(SettingsWritten());
}

TEST_F(ControlSetupDevicesTest, TheSelectedControllerPulledOutKeepsItsBindingsUntilItComesBack) {
    directInput.Attach(1);
    directInput.Attach(2);
    WriteSettingsFile(1);
    Open();
    ASSERT_EQ(SelectedItem(), 1);

    directInput.Unplug(1);
    Notify(DBT_DEVICEREMOVECOMPLETE);
    ASSERT_TRUE(ListShows({L"Keyboard", L"Pad 2", L"Pad 1 (not connected)"}));
    EXPECT_EQ(SelectedItem(), 2);
    EXPECT_EQ(JumpCaption(), L"Button 07");
    EXPECT_FALSE(CalibrateEnabled());
    EXPECT_FALSE(DeviceOpen(1));

    // The player may leave it and choose it again while it is away (each choice writes).
    Choose(0);
    EXPECT_EQ(JumpCaption(), L"Left Ctrl");
    Choose(2);
    EXPECT_EQ(JumpCaption(), L"Button 07");
    EXPECT_FALSE(CalibrateEnabled());
    std::filesystem::remove(SettingsPath());

    directInput.PlugBackIn(1);
    Notify(DBT_DEVICEARRIVAL);
    ASSERT_TRUE(ListShows({L"Keyboard", L"Pad 1", L"Pad 2"}));
    EXPECT_EQ(SelectedItem(), 1);
    EXPECT_EQ(JumpCaption(), L"Button 07");
    EXPECT_TRUE(CalibrateEnabled());
    EXPECT_TRUE(DeviceOpen(1));
    EXPECT_FALSE(SettingsWritten());
}

TEST_F(ControlSetupDevicesTest, ACaptureOnAControllerThatGoesEndsWithTheReadErrorAndBindsNothing) {
    directInput.Attach(1);
    WriteSettingsFile(1);
    Open();
    FakeDevice& pad = *directInput.Controller(1).device;

    // Pulled out while the capture waits: its next read fails.
    CaptureJump();
    ASSERT_TRUE(PumpMessagesUntil([&] { return pad.stateReads > 0; }));
    directInput.Unplug(1);
    Notify(DBT_DEVICEREMOVECOMPLETE);
    ASSERT_TRUE(ListShows({L"Keyboard", L"Pad 1 (not connected)"}));
    EXPECT_EQ(boxes.Seen().size(), 1u);

    // Started while it is away.
    CaptureJump();
    ASSERT_TRUE(PumpMessagesUntil([&] { return boxes.Seen().size() == 2; }));

    // Pulled out while the capture waits, from a driver that goes on answering: the listing
    // is the first to see it.
    directInput.PlugBackIn(1);
    Notify(DBT_DEVICEARRIVAL);
    ASSERT_TRUE(ListShows({L"Keyboard", L"Pad 1"}));
    CaptureJump();
    const int readsBefore = pad.stateReads;
    ASSERT_TRUE(PumpMessagesUntil([&] { return pad.stateReads > readsBefore; }));
    directInput.Unplug(1);
    pad.unplugged = false;
    Notify(DBT_DEVICEREMOVECOMPLETE);
    ASSERT_TRUE(PumpMessagesUntil([&] { return boxes.Seen().size() == 3; }));
    EXPECT_FALSE(DeviceOpen(1));

    for (const SeenMessageBox& box : boxes.Seen()) {
        EXPECT_EQ(box.caption, L"Tavrin Error");
        EXPECT_EQ(box.text, kReadError);
    }
    EXPECT_EQ(JumpCaption(), L"Button 07");
    EXPECT_FALSE(SettingsWritten());
}

TEST_F(ControlSetupDevicesTest, ABurstOfNotificationsListsTheControllersOnce) {
    directInput.Attach(1);
    Open();
    const int atOpening = directInput.enumerations;

    directInput.Attach(2);
    for (WPARAM event : {DBT_DEVNODES_CHANGED, DBT_DEVICEARRIVAL, DBT_DEVNODES_CHANGED,
                         DBT_DEVICEARRIVAL, DBT_DEVNODES_CHANGED}) {
        Notify(event);
    }
    ASSERT_TRUE(ListShows({L"Keyboard", L"Pad 1", L"Pad 2"}));
    EXPECT_EQ(directInput.enumerations, atOpening + 1);

    directInput.Unplug(2);
    for (WPARAM event : {DBT_DEVNODES_CHANGED, DBT_DEVICEREMOVECOMPLETE, DBT_DEVNODES_CHANGED}) {
        Notify(event);
    }
    ASSERT_TRUE(ListShows({L"Keyboard", L"Pad 1"}));
    EXPECT_EQ(directInput.enumerations, atOpening + 2);
}

// Keys seen by this thread before they reach any window: the observer is called first, as the
// hook installed last, and passes every key on.
class KeyObserver {
  public:
    KeyObserver() {
        observer = this;
        hook_ = SetWindowsHookExW(WH_KEYBOARD, Observe, nullptr, GetCurrentThreadId());
    }
    ~KeyObserver() {
        UnhookWindowsHookEx(hook_);
        observer = nullptr;
    }
    int KeyUps() const { return keyUps_; }

  private:
    static LRESULT CALLBACK Observe(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HC_ACTION && (lParam & (LPARAM{1} << 31)) != 0)
            ++observer->keyUps_;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline KeyObserver* observer = nullptr;
    HHOOK hook_ = nullptr;
    int keyUps_ = 0;
};

// The player opened the controller list, then clicked a binding button: the arrow key that the
// capture takes must not also change the device.
TEST_F(ControlSetupDevicesTest, KeysPressedWhileACaptureWaitsReachNoControlOfTheDialog) {
    directInput.Attach(1);
    Open();
    ASSERT_EQ(SelectedItem(), 0);
    SetForegroundWindow(dialog->Window());
    SetFocus(dialog->Item(IDC_CONTROLLER_LIST));
    CaptureJump();

    const KeyObserver observer;
    INPUT keys[2] = {};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = VK_DOWN;
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(SendInput(2, keys, sizeof(INPUT)), 2u);
    ASSERT_TRUE(PumpMessagesUntil([&] { return observer.KeyUps() > 0; }));
    EXPECT_EQ(SelectedItem(), 0);
    EXPECT_FALSE(SettingsWritten());
}

// Watches the messages of this thread while a message box of the dialog is open (the box is then
// the active window): once the box's loop has taken a tick of the dialog's timer and a message
// after it, it notes what the list shows and answers the box No.
class TimerTickUnderABox {
  public:
    explicit TimerTickUnderABox(std::function<Items()> listed) : listed_(std::move(listed)) {
        watcher = this;
        hook_ = SetWindowsHookExW(WH_GETMESSAGE, Watch, nullptr, GetCurrentThreadId());
    }
    ~TimerTickUnderABox() {
        UnhookWindowsHookEx(hook_);
        watcher = nullptr;
    }
    const Items& ListedWithTheBoxOpen() const { return listedWithTheBoxOpen_; }

  private:
    static constexpr UINT kAfterTheTick = WM_APP + 7;

    static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
        const MSG& message = *reinterpret_cast<const MSG*>(lParam);
        const HWND box = GetActiveWindow();
        if (code == HC_ACTION && wParam == PM_REMOVE && box != nullptr) {
            if (message.message == WM_TIMER && message.hwnd == GetWindow(box, GW_OWNER)) {
                PostMessageW(box, kAfterTheTick, 0, 0);  // taken once the tick is dispatched
            } else if (message.message == kAfterTheTick) {
                watcher->listedWithTheBoxOpen_ = watcher->listed_();
                PostMessageW(box, WM_COMMAND, IDNO, 0);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline TimerTickUnderABox* watcher = nullptr;
    std::function<Items()> listed_;
    HHOOK hook_ = nullptr;
    Items listedWithTheBoxOpen_;
};

// A message box of the dialog keeps it on the list it knew; a device change meanwhile is taken
// once the box has closed.
TEST_F(ControlSetupDevicesTest, ControllersComingWhileAMessageBoxIsOpenAreListedWhenItCloses) {
    Open();
    boxes.Pause();
    directInput.Attach(1);
    Notify(DBT_DEVICEARRIVAL);
    {
        const TimerTickUnderABox tick([this] { return ListedItems(); });
        // Defaults asks first; the question's loop runs until the watcher answers it.
        SendMessageW(dialog->Window(), WM_COMMAND, MAKEWPARAM(IDC_DEFAULTS, BN_CLICKED),
                     reinterpret_cast<LPARAM>(dialog->Item(IDC_DEFAULTS)));
        EXPECT_EQ(tick.ListedWithTheBoxOpen(), (Items{L"Keyboard"}));
    }
    EXPECT_TRUE(ListShows({L"Keyboard", L"Pad 1"}));
}

}  // namespace
