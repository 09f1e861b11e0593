#include "setup/win/graphics_setup_dialog.h"

#include "texts/graphics_texts.h"
#include "texts/local_text.h"
#include "texts/messages.h"
#include "base/win/combo_box.h"
#include "base/win/startup_log.h"
#include "base/win/ui_text.h"
#include "resources/resource_ids.h"
#include "settings/win/settings_readers.h"
#include "skin/win/skin_painting.h"

namespace text = texts::graphics;

namespace {

UINT CheckStateOf(std::int32_t stored) {
    return stored != 0 ? BST_CHECKED : BST_UNCHECKED;
}

std::int32_t StoredCheckOf(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0;
}

}  // namespace

const MessageMap<GraphicsSetupDialog> GraphicsSetupDialog::kMessageMap = {
    OnInitDialog(&GraphicsSetupDialog::Initialise),
    OnCommand(IDC_GRAPHICS_DRIVER_LIST, CBN_SELCHANGE, &GraphicsSetupDialog::DriverChanged),
    OnCommand(IDC_RESOLUTION_LIST, CBN_SELCHANGE, &GraphicsSetupDialog::TakeResolution),
    OnCommand(IDOK, BN_CLICKED, &GraphicsSetupDialog::SaveGraphicsSettings),
    OnCommand(IDCANCEL, BN_CLICKED, &GraphicsSetupDialog::Cancel),
    OnMessage(WM_PAINT, &GraphicsSetupDialog::Relabel),
    OnMessage(kAfterFirstPaint, &GraphicsSetupDialog::FinishOpening),
    OnMessage(WM_DESTROY, &GraphicsSetupDialog::Destroyed),
    OnMessage(WM_CTLCOLORBTN, &GraphicsSetupDialog::ColourControls),
    OnMessage(WM_CTLCOLORSTATIC, &GraphicsSetupDialog::ColourControls),
    ChainMessageMap<SkinnedDialog>(),
};

GraphicsSetupDialog::GraphicsSetupDialog() : MappedDialog(IDD_GRAPHICS_SETUP) {}

HandlerResult GraphicsSetupDialog::Initialise(const Message&) {
    SetFocus(Window());
    CheckDlgButton(Window(), IDC_COMPATIBILITY_MODE, BST_UNCHECKED);
    CheckDlgButton(Window(), IDC_HIGH_DETAIL, BST_CHECKED);
    ReadSavedChoice();
    // The texts in place before the window shows: its first paint then finds nothing to change,
    // and the dialog is painted once instead of twice.
    Relabel({});

    // Direct3D takes long to make, a third of a second under Wine, and the tooltips show only
    // under a resting pointer: the player sees the dialog first.
    EnableWindow(Item(IDOK), FALSE);
    RunAfterFirstPaint();
    return TRUE;
}

HandlerResult GraphicsSetupDialog::FinishOpening(const Message&) {
    AddTooltips();
    FillLists();
    return 0;
}

void GraphicsSetupDialog::AddTooltips() {
    tooltips_.Create(Window());
    tooltips_.Add(IDOK, Localise(text::kOkTip));
    tooltips_.Add(IDCANCEL, Localise(text::kCancelTip));
    tooltips_.Add(IDC_GRAPHICS_DRIVER_LIST, Localise(text::kDriverTip));
    tooltips_.Add(IDC_RESOLUTION_LIST, Localise(text::kResolutionTip));
    tooltips_.Add(IDC_COMPATIBILITY_MODE, Localise(text::kCompatibilityMode));
    tooltips_.Add(IDC_HIGH_DETAIL, Localise(text::kHighDetail));
    tooltips_.Activate();
}

void GraphicsSetupDialog::FillLists() {
    bool created = false;
    {
        const StartupStep step("direct3d");
        created = direct3d_.Create();
    }
    if (!created) {
        ShowMessage(Window(), Localise(texts::messages::kDirect3DError),
                    Localise(texts::messages::kErrorCaption), MB_OKCANCEL);
        End(0);
        return;
    }
    {
        const StartupStep step("direct3d adapters");
        ListAdapters();
    }
    {
        const StartupStep step("direct3d display modes");
        BuildModeList();
    }
    TakeResolution();
    listsFilled_ = true;
    EnableWindow(Item(IDOK), TRUE);
    StartupMark("ready");
}

void GraphicsSetupDialog::ReadSavedChoice() {
    // A file of another version, or one that never had graphics settings saved, leaves the
    // fallbacks: 640 x 480 at 32 bits, not windowed, no adapter, the check boxes as they are.
    if (ReadSettingsForDialog(Window(), record_, kSharedReadWrite) != SettingsReadOutcome::Valid) {
        return;
    }
    if (record_.displayAdapter.IsZero())
        return;
    savedAdapter_ = record_.displayAdapter;
    savedMode_ = {record_.displayWidth, record_.displayHeight, record_.colourBits,
                  record_.depthBits};
    windowedChosen_ = record_.windowed != 0;
    CheckDlgButton(Window(), IDC_COMPATIBILITY_MODE, CheckStateOf(record_.compatibilityMode));
    CheckDlgButton(Window(), IDC_HIGH_DETAIL, CheckStateOf(record_.highDetail));
}

void GraphicsSetupDialog::ListAdapters() {
    const HWND combo = Item(IDC_GRAPHICS_DRIVER_LIST);
    adapters_ = direct3d_.Adapters();
    std::optional<std::size_t> saved;
    for (std::size_t index = 0; index < adapters_.size(); ++index) {
        const Direct3DAdapter& adapter = adapters_[index];
        if (!AddComboEntry(combo, adapter.description, index))
            continue;
        // An adapter without an identifier cannot be told from another one: never pre-selected.
        // Of two with the same identifier, the later one is.
        if (!adapter.deviceIdentifier.IsZero() && adapter.deviceIdentifier == savedAdapter_)
            saved = index;
    }
    if (!saved || !SelectComboIndex(combo, *saved))
        SendMessageW(combo, CB_SETCURSEL, 0, 0);  // an empty list stays without a selection
}

const Direct3DAdapter* GraphicsSetupDialog::SelectedAdapter() const {
    const std::optional<std::size_t> index = SelectedComboIndex(Item(IDC_GRAPHICS_DRIVER_LIST));
    if (!index || *index >= adapters_.size())
        return nullptr;
    return &adapters_[*index];
}

void GraphicsSetupDialog::BuildModeList() {
    const HWND combo = Item(IDC_RESOLUTION_LIST);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);

    std::vector<AdapterMode> modes;
    DepthCheck depthWorks = [](int, DepthFormat) { return false; };
    if (const Direct3DAdapter* adapter = SelectedAdapter()) {
        modes = direct3d_.Modes(adapter->ordinal);
        depthWorks = direct3d_.DepthCheckFor(adapter->ordinal);
    }
    const ModeList list =
        ComposeModeList(modes, depthWorks, savedMode_, windowedChosen_, Localise(text::kWindowed));

    // The combo box sorts by its own rules: the pre-selection is found by the index its entry
    // carries, wherever the box has put it.
    modeEntries_ = list.entries;
    for (std::size_t index = 0; index < modeEntries_.size(); ++index)
        AddComboEntry(combo, WideFromCodePage1252(modeEntries_[index].c_str()), index);
    if (list.selected)
        SelectComboIndex(combo, *list.selected);
    // A list left without a selection stands for the last mode built: OK stores that one.
    if (list.lastLabel)
        modeText_ = *list.lastLabel;
    InvalidateRect(Window(), nullptr, TRUE);
}

void GraphicsSetupDialog::DriverChanged() {
    BuildModeList();
    // The build leaves the last mode it composed in the mode text, which is not necessarily the
    // entry it pre-selected: OK must store what the list shows.
    TakeResolution();
}

void GraphicsSetupDialog::TakeResolution() {
    const std::optional<std::size_t> index = SelectedComboIndex(Item(IDC_RESOLUTION_LIST));
    if (index && *index < modeEntries_.size())
        modeText_ = modeEntries_[*index];
    windowedChosen_ = IsWindowedLabel(modeText_);
    InvalidateRect(Window(), nullptr, TRUE);
}

void GraphicsSetupDialog::SaveGraphicsSettings() {
    if (!listsFilled_)
        return;
    // A mode text that is no label (the resolution list never had an entry) names no mode: the
    // display fields then go back as they were read, like every field this dialog does not own.
    if (const std::optional<ModeChoice> mode = ModeToSave(modeText_, windowedChosen_)) {
        record_.displayWidth = mode->width;
        record_.displayHeight = mode->height;
        record_.colourBits = mode->colourBits;
        record_.depthBits = mode->depthBits;
        record_.windowed = windowedChosen_ ? 1 : 0;
    }
    // Without an adapter there is no identifier to store: the one read stays.
    if (const Direct3DAdapter* adapter = SelectedAdapter()) {
        record_.displayAdapter = adapter->deviceIdentifier;
    }
    record_.compatibilityMode = StoredCheckOf(Window(), IDC_COMPATIBILITY_MODE);
    record_.highDetail = StoredCheckOf(Window(), IDC_HIGH_DETAIL);
    // Whether or not the file could be written, the dialog is done.
    WriteSettingsOrReport(Window(), record_, kSharedReadWrite);
    End(IDOK);
}

void GraphicsSetupDialog::Cancel() {
    End(IDCANCEL);
}

HandlerResult GraphicsSetupDialog::Relabel(const Message&) {
    TakeLanguageFromSettingsFile();
    bool changed = SetItemTextIfChanged(Window(), IDOK, Localise(text::kOk));
    changed |= SetItemTextIfChanged(Window(), IDCANCEL, Localise(text::kCancel));
    changed |=
        SetItemTextIfChanged(Window(), IDC_GRAPHICS_DRIVER_LABEL, Localise(text::kDriverLabel));
    changed |=
        SetItemTextIfChanged(Window(), IDC_RESOLUTION_LABEL, Localise(text::kResolutionLabel));
    changed |=
        SetItemTextIfChanged(Window(), IDC_COMPATIBILITY_MODE, Localise(text::kCompatibilityMode));
    changed |= SetItemTextIfChanged(Window(), IDC_HIGH_DETAIL, Localise(text::kHighDetail));
    changed |= SetWindowTextIfChanged(Window(), Localise(text::kTitle));
    // New texts are drawn transparently: the picture must be drawn again beneath them.
    if (changed)
        InvalidateRect(Window(), nullptr, TRUE);
    return std::nullopt;  // the system does the painting itself
}

HandlerResult GraphicsSetupDialog::ColourControls(const Message& message) {
    const HBRUSH brush =
        GraphicsSkinControlColor(reinterpret_cast<HDC>(message.wParam),
                                 reinterpret_cast<HWND>(message.lParam), ControlTypeOf(message.id));
    if (brush == nullptr)
        return std::nullopt;
    return reinterpret_cast<INT_PTR>(brush);
}

HandlerResult GraphicsSetupDialog::Destroyed(const Message&) {
    tooltips_.Destroy();
    direct3d_.Release();  // the object, then d3d8.dll
    return std::nullopt;
}
