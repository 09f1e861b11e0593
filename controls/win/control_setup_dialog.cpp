#include "controls/win/control_setup_dialog.h"

#include <dbt.h>

#include <optional>
#include <string>
#include <utility>

#include "texts/control_texts.h"
#include "texts/key_names.h"
#include "texts/local_text.h"
#include "texts/messages.h"
#include "base/win/combo_box.h"
#include "base/win/startup_log.h"
#include "base/win/ui_text.h"
#include "controls/capture.h"
#include "controls/win/capture_reading.h"
#include "controls/win/keyboard_layout.h"
#include "resources/resource_ids.h"
#include "settings/win/settings_readers.h"

namespace text = texts::controls;

namespace {

// Plugging a controller in or pulling it out brings several notifications in quick succession:
// the list is made again once they have stopped for this long.
constexpr UINT_PTR kDeviceChangeTimer = 1;
constexpr UINT kDeviceChangeQuietMilliseconds = 300;

}  // namespace

const MessageMap<ControlSetupDialog> ControlSetupDialog::kMessageMap = {
    OnInitDialog(&ControlSetupDialog::Initialise),
    OnCommandRange(IDC_BIND_LEFT, IDC_BIND_TURN_RIGHT, BN_CLICKED,
                   &ControlSetupDialog::BindingClicked),
    OnCommand(IDC_CONTROLLER_LIST, CBN_SELCHANGE, &ControlSetupDialog::ControllerChanged),
    OnCommand(IDC_DEFAULTS, BN_CLICKED, &ControlSetupDialog::RestoreDefaults),
    OnCommand(IDC_CALIBRATE, BN_CLICKED, &ControlSetupDialog::Calibrate),
    OnCommand(IDOK, BN_CLICKED, &ControlSetupDialog::Accept),
    OnCommand(IDC_CONTROL_CANCEL, BN_CLICKED, &ControlSetupDialog::Cancel),
    OnCommand(IDCANCEL, BN_CLICKED, &ControlSetupDialog::IgnoreCancelCommand),
    OnMessage(WM_PAINT, &ControlSetupDialog::Relabel),
    OnMessage(WM_DEVICECHANGE, &ControlSetupDialog::DeviceChanged),
    OnMessage(WM_TIMER, &ControlSetupDialog::TimerElapsed),
    OnMessage(kAfterFirstPaint, &ControlSetupDialog::FinishOpening),
    OnMessage(WM_DESTROY, &ControlSetupDialog::Destroyed),
    ChainMessageMap<SkinnedDialog>(),
};

ControlSetupDialog::ControlSetupDialog(DirectInputFactory directInput)
    : MappedDialog(IDD_CONTROL_SETUP), directInput_(std::move(directInput)) {}

HandlerResult ControlSetupDialog::Initialise(const Message&) {
    bindings_.keyboardSet = {};
    bindings_.controllerSet = {};
    bindings_.selectedController = 0;
    // The control setup shares the file with nobody while it reads or writes it.
    const SettingsReadOutcome outcome =
        ReadSettingsForDialog(Window(), record_, kExclusiveReadWrite);
    const bool defaultsRestored = bindings_.LoadAtStart(outcome != SettingsReadOutcome::Missing,
                                                        outcome == SettingsReadOutcome::Valid);
    RefreshCaptions();
    if (defaultsRestored)
        InvalidateRect(Window(), nullptr, TRUE);

    // Registered before the controllers are listed, so that none that comes meanwhile is missed.
    deviceNotification_ = RegisterHidNotification(Window());
    // The texts in place before the window shows: its first paint then finds nothing to change,
    // and the dialog is painted once instead of twice.
    Relabel({});
    // DirectInput takes its time to open and to list the controllers, and the tooltips show only
    // under a resting pointer: the player sees the dialog first.
    EnableWindow(Item(IDOK), FALSE);
    RunAfterFirstPaint();
    return TRUE;
}

HandlerResult ControlSetupDialog::FinishOpening(const Message&) {
    tooltips_.Create(Window());
    tooltips_.Add(IDOK, Localise(text::kOkTip));
    tooltips_.Add(IDC_CONTROL_CANCEL, Localise(text::kCancelTip));
    tooltips_.Add(IDC_BIND_LEFT, Localise(text::kLeftTip));
    tooltips_.Add(IDC_BIND_RIGHT, Localise(text::kRightTip));
    tooltips_.Add(IDC_BIND_FORWARD, Localise(text::kForwardTip));
    tooltips_.Add(IDC_BIND_BACKWARD, Localise(text::kBackwardTip));
    tooltips_.Add(IDC_BIND_TAV, Localise(text::kTavTip));
    tooltips_.Add(IDC_BIND_JUMP, Localise(text::kJumpTip));
    tooltips_.Add(IDC_BIND_SEARCH, Localise(text::kSearchTip));
    tooltips_.Add(IDC_BIND_TURN_LEFT, Localise(text::kTurnLeftTip));
    tooltips_.Add(IDC_BIND_TURN_RIGHT, Localise(text::kTurnRightTip));
    tooltips_.Add(IDC_DEFAULTS, Localise(text::kDefaultsTip));
    tooltips_.Add(IDC_CALIBRATE, Localise(text::kCalibrateTip));
    tooltips_.Add(IDC_CONTROLLER_LIST, Localise(text::kControllerTip));
    tooltips_.Activate();
    OpenInput();
    return 0;
}

void ControlSetupDialog::OpenInput() {
    HRESULT opened = E_FAIL;
    {
        const StartupStep step("directinput");
        opened = OpenInputSystem(Window(), input_, directInput_);
    }
    if (FAILED(opened)) {
        input_.Release();
        ShowMessage(Window(), Localise(texts::messages::kDirectInputError),
                    Localise(texts::messages::kErrorCaption), MB_OK | MB_ICONSTOP);
        End(0);
        return;
    }
    inputOpen_ = true;
    FillControllerList();
    bindings_.LoadSets();
    RefreshCaptions();
    EnableWindow(Item(IDOK), TRUE);
    StartupMark("ready");
}

void ControlSetupDialog::FillControllerList() {
    bindings_.selectedController = PreselectedItem(input_.Controllers(), record_.controllerDevice);
    ShowControllerList();
    // With a controller attached, the start goes through a change of the selection: the file is
    // written and the selected controller opened, or the record told that the keyboard is used.
    if (!input_.Controllers().empty())
        ControllerChanged();
}

void ControlSetupDialog::ShowControllerList() {
    // Each entry carries its item: 0 for the keyboard, n for the controller n - 1.
    const HWND list = Item(IDC_CONTROLLER_LIST);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    AddComboEntry(list, WideFromCodePage1252(Localise(texts::keys::kKeyboard)), 0);
    const std::vector<AttachedController>& controllers = input_.Controllers();
    for (std::size_t index = 0; index < controllers.size(); ++index) {
        std::wstring name = controllers[index].name;
        if (!controllers[index].connected)
            name += L" " + WideFromCodePage1252(Localise(text::kNotConnected));
        AddComboEntry(list, name, index + 1);
    }
    SelectComboIndex(list, static_cast<std::size_t>(bindings_.selectedController));
}

Guid ControlSetupDialog::SelectedInstance() const {
    const int item = bindings_.selectedController;
    const std::vector<AttachedController>& controllers = input_.Controllers();
    if (item < 1 || static_cast<std::size_t>(item) > controllers.size())
        return Guid{};
    return controllers[static_cast<std::size_t>(item) - 1].instance;
}

bool ControlSetupDialog::SelectedControllerAway() const {
    const int item = bindings_.selectedController;
    const std::vector<AttachedController>& controllers = input_.Controllers();
    return item >= 1 && static_cast<std::size_t>(item) <= controllers.size() &&
           !controllers[static_cast<std::size_t>(item) - 1].connected;
}

HandlerResult ControlSetupDialog::DeviceChanged(const Message& message) {
    switch (message.wParam) {
        case DBT_DEVNODES_CHANGED:
        case DBT_DEVICEARRIVAL:
        case DBT_DEVICEREMOVECOMPLETE:
            // Each notification of a burst starts the wait anew: one listing for the burst.
            SetTimer(Window(), kDeviceChangeTimer, kDeviceChangeQuietMilliseconds, nullptr);
            break;
        default:
            break;
    }
    return std::nullopt;  // the system's answer to the others: removal may go ahead
}

HandlerResult ControlSetupDialog::TimerElapsed(const Message& message) {
    if (message.wParam != kDeviceChangeTimer)
        return std::nullopt;
    // A message box of this dialog disables it while it is open, and the code that opened it
    // goes on with the list it knew when the box closes: the listing waits, the timer runs on.
    // So does a change that comes before the controllers were first listed.
    if (!IsWindowEnabled(Window()) || !inputOpen_)
        return 0;
    KillTimer(Window(), kDeviceChangeTimer);
    FollowAttachedControllers();
    return 0;
}

void ControlSetupDialog::FollowAttachedControllers() {
    const Guid selected = SelectedInstance();
    const bool wasAway = SelectedControllerAway();
    if (FAILED(input_.Relist(selected)))
        return;  // the list stays as it was; the next change tries again
    bindings_.selectedController = PreselectedItem(input_.Controllers(), selected);
    const bool away = SelectedControllerAway();

    // A capture reads the selected controller's device, which goes now or was gone: it ends
    // before the device is let go, and one still waiting says so (below, last).
    std::unique_ptr<KeyCaptureDialog> ending;
    if (away != wasAway && bindings_.selectedController != 0)
        ending = std::move(capture_);
    if (away)
        input_.CloseController();
    else if (wasAway)
        input_.OpenController(bindings_.selectedController);  // back: the same entry again

    ShowControllerList();
    RefreshCaptions();
    if (ending)
        ending->DeviceGone();
}

void ControlSetupDialog::ControllerChanged() {
    // A capture waiting now was aimed at the bindings of the device selected before: it would
    // write a key into the controller's bindings, or a button into the keyboard's.
    capture_.reset();
    // The record still names the device selected before the change.
    WriteSettings();

    const std::optional<std::size_t> selected = SelectedComboIndex(Item(IDC_CONTROLLER_LIST));
    if (!selected || *selected > input_.Controllers().size())
        return;
    const int item = static_cast<int>(*selected);
    bindings_.selectedController = item;
    if (item == 0) {
        record_.controllerDevice = Guid{};
    } else if (SelectedControllerAway()) {
        // Chosen again while unplugged: its bindings are shown, and it opens when it comes back.
        input_.CloseController();
        record_.controllerDevice = SelectedInstance();
    } else {
        // A controller that cannot be opened keeps the captions of the device selected before.
        if (FAILED(input_.OpenController(item)))
            return;
        record_.controllerDevice =
            input_.Controllers()[static_cast<std::size_t>(item) - 1].instance;
    }
    bindings_.LoadSets();
    RefreshCaptions();
    InvalidateRect(Window(), nullptr, TRUE);
}

void ControlSetupDialog::BindingClicked(int buttonId) {
    // A capture reads the devices, which are not open yet.
    if (!inputOpen_)
        return;
    if (const std::optional<ControlAction> action = ActionOfButton(buttonId))
        StartCapture(*action);
}

void ControlSetupDialog::StartCapture(ControlAction action) {
    // A capture still waiting is abandoned: only one window waits at a time. An input the last
    // one took and that is still held is ignored by the new one until it is let go.
    capture_.reset();
    const CaptureRequest request = bindings_.StartCapture(action);
    const CaptureDevices devices = {input_.Keyboard(), input_.Controller(),
                                    bindings_.selectedController != 0, SelectedControllerAway()};
    capture_ = std::make_unique<KeyCaptureDialog>(
        devices, CaptureSession(action, LayoutKeyCharacter()),
        [this, request](InputCode code) { BindCaptured(request, code); });
    if (!capture_->Show(Window()))
        capture_.reset();
}

void ControlSetupDialog::BindCaptured(const CaptureRequest& request, InputCode code) {
    for (ControlAction changed : bindings_.ApplyBinding(request, code))
        SetCaption(changed);
}

void ControlSetupDialog::RestoreDefaults() {
    if (ShowMessage(Window(), Localise(texts::messages::kRestoreDefaultsQuestion),
                    Localise(texts::messages::kQuestionCaption),
                    MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return;
    }
    bindings_.RestoreDefaults();
    RefreshCaptions();
    InvalidateRect(Window(), nullptr, TRUE);
}

void ControlSetupDialog::Calibrate() {
    input_.RunControlPanel(Window());
}

void ControlSetupDialog::Accept() {
    if (!inputOpen_)
        return;
    WriteSettings();
    End(IDOK);
}

void ControlSetupDialog::Cancel() {
    End(IDCANCEL);
}

// Escape and the close request: the dialog stays, so that Escape can be captured as a key.
void ControlSetupDialog::IgnoreCancelCommand() {}

void ControlSetupDialog::WriteSettings() {
    record_.controlsConstant = kControlsConstant;
    WriteSettingsOrReport(Window(), record_, kExclusiveReadWrite);
}

void ControlSetupDialog::RefreshCaptions() {
    for (ControlAction action : kCaptionRefreshOrder)
        SetCaption(action);
    const bool calibrate = bindings_.CalibrateEnabled() && !SelectedControllerAway();
    EnableWindow(Item(IDC_CALIBRATE), calibrate ? TRUE : FALSE);
}

void ControlSetupDialog::SetCaption(ControlAction action) {
    const int id = BindingButtonId(action);
    const std::u16string caption = bindings_.Caption(action, LayoutKeyCharacter());
    // The button draws its text over the picture: it must be drawn whole again, not just the
    // new text over the old one.
    if (SetItemTextIfChanged(Window(), id, caption))
        InvalidateRect(Item(id), nullptr, TRUE);
}

HandlerResult ControlSetupDialog::Relabel(const Message&) {
    TakeLanguageFromSettingsFile();
    bool changed = SetWindowTextIfChanged(Window(), Localise(text::kTitle));
    changed |= SetItemTextIfChanged(Window(), IDOK, Localise(text::kOk));
    changed |= SetItemTextIfChanged(Window(), IDC_CONTROL_CANCEL, Localise(text::kCancel));
    changed |= SetItemTextIfChanged(Window(), IDC_FORWARD_LABEL, Localise(text::kForwardLabel));
    changed |= SetItemTextIfChanged(Window(), IDC_BACKWARD_LABEL, Localise(text::kBackwardLabel));
    changed |= SetItemTextIfChanged(Window(), IDC_LEFT_LABEL, Localise(text::kLeftLabel));
    changed |= SetItemTextIfChanged(Window(), IDC_RIGHT_LABEL, Localise(text::kRightLabel));
    changed |= SetItemTextIfChanged(Window(), IDC_TAV_LABEL, Localise(text::kTavLabel));
    changed |= SetItemTextIfChanged(Window(), IDC_JUMP_LABEL, Localise(text::kJumpLabel));
    changed |= SetItemTextIfChanged(Window(), IDC_SEARCH_LABEL, Localise(text::kSearchLabel));
    changed |=
        SetItemTextIfChanged(Window(), IDC_TURN_RIGHT_LABEL, Localise(text::kTurnRightLabel));
    changed |= SetItemTextIfChanged(Window(), IDC_TURN_LEFT_LABEL, Localise(text::kTurnLeftLabel));
    changed |=
        SetItemTextIfChanged(Window(), IDC_CONTROLLER_LABEL, Localise(text::kControllerLabel));
    changed |= SetItemTextIfChanged(Window(), IDC_DEFAULTS, Localise(text::kDefaults));
    changed |= SetItemTextIfChanged(Window(), IDC_CALIBRATE, Localise(text::kCalibrate));
    changed |=
        SetItemTextIfChanged(Window(), IDC_PLAYER_CONTROLS_LABEL, Localise(text::kPlayerControls));
    // New texts are drawn transparently: the picture must be drawn again beneath them. The
    // binding captions stay in the language they were set in until they are set again.
    if (changed)
        InvalidateRect(Window(), nullptr, TRUE);
    return std::nullopt;  // the system does the painting itself
}

HandlerResult ControlSetupDialog::Destroyed(const Message&) {
    KillTimer(Window(), kDeviceChangeTimer);
    deviceNotification_.Reset();
    tooltips_.Destroy();
    // The capture reads the devices: it goes before them.
    capture_.reset();
    input_.Release();
    return std::nullopt;
}
