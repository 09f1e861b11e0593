#include "setup/win/audio_setup_dialog.h"

#include "texts/audio_texts.h"
#include "texts/local_text.h"
#include "texts/messages.h"
#include "base/win/combo_box.h"
#include "base/win/startup_log.h"
#include "base/win/ui_text.h"
#include "resources/resource_ids.h"
#include "settings/win/guid_win.h"
#include "settings/win/install_folder_win.h"
#include "settings/win/settings_readers.h"
#include "setup/sound_devices.h"
#include "setup/win/test_sound.h"

namespace text = texts::audio;
using Microsoft::WRL::ComPtr;

const MessageMap<AudioSetupDialog> AudioSetupDialog::kMessageMap = {
    OnInitDialog(&AudioSetupDialog::Initialise),
    OnCommand(IDC_SOUND_DRIVER_LIST, CBN_SELCHANGE, &AudioSetupDialog::SelectionChanged),
    OnCommand(IDC_TEST_SOUND, BN_CLICKED, &AudioSetupDialog::PlayTestSound),
    OnCommand(IDOK, BN_CLICKED, &AudioSetupDialog::SaveAudioSettings),
    OnCommand(IDCANCEL, BN_CLICKED, &AudioSetupDialog::Cancel),
    OnMessage(WM_PAINT, &AudioSetupDialog::Relabel),
    OnMessage(kAfterFirstPaint, &AudioSetupDialog::FinishOpening),
    OnMessage(WM_DESTROY, &AudioSetupDialog::Destroyed),
    ChainMessageMap<SkinnedDialog>(),
};

AudioSetupDialog::AudioSetupDialog() : MappedDialog(IDD_AUDIO_SETUP) {}

HandlerResult AudioSetupDialog::Initialise(const Message&) {
    // The saved device counts whether or not the file passes the version test: an unread record
    // holds zeros, which match no device.
    ReadSettingsForDialog(Window(), record_, kSharedReadWrite);
    // The texts in place before the window shows: its first paint then finds nothing to change,
    // and the dialog is painted once instead of twice.
    Relabel({});
    // DirectSound takes long to list its devices under Wine, a sixth of a second, and the
    // tooltips show only under a resting pointer: the player sees the dialog first.
    EnableWindow(Item(IDOK), FALSE);
    EnableWindow(Item(IDC_TEST_SOUND), FALSE);
    RunAfterFirstPaint();
    return TRUE;
}

HandlerResult AudioSetupDialog::FinishOpening(const Message&) {
    tooltips_.Create(Window());
    tooltips_.Add(IDOK, Localise(text::kOkTip));
    tooltips_.Add(IDCANCEL, Localise(text::kCancelTip));
    tooltips_.Add(IDC_TEST_SOUND, Localise(text::kTestTip));
    tooltips_.Add(IDC_SOUND_DRIVER_LIST, Localise(text::kDriverTip));
    tooltips_.Activate();

    // Without DirectSound nothing is listed and nothing can play: the Test button says so.
    {
        const StartupStep step("directsound enumeration");
        directSoundLibrary_.Load();
        ListDevices();
    }
    {
        const StartupStep step("test sound");
        LoadTestSound();
    }
    devicesListed_ = true;
    EnableWindow(Item(IDOK), TRUE);
    EnableWindow(Item(IDC_TEST_SOUND), TRUE);
    StartupMark("ready");
    return 0;
}

void AudioSetupDialog::ListDevices() {
    // A failed enumeration leaves no device: nothing is listed, as without DirectSound.
    directSoundLibrary_.Enumerate(devices_);
    std::vector<std::optional<Guid>> guids;
    for (const SoundDevice& device : devices_)
        guids.push_back(device.guid);
    const SoundDeviceList list = ListSoundDevices(guids, record_.soundDevice);

    const HWND combo = Item(IDC_SOUND_DRIVER_LIST);
    for (std::size_t index : list.listed)
        AddComboEntry(combo, devices_[index].description, index);
    if (!list.listed.empty())
        SelectComboIndex(combo, list.listed[list.preselected]);
    TakeSelectedDevice();
}

void AudioSetupDialog::TakeSelectedDevice() {
    selectedSoundDevice_.reset();
    const std::optional<std::size_t> index = SelectedComboIndex(Item(IDC_SOUND_DRIVER_LIST));
    if (index && *index < devices_.size())
        selectedSoundDevice_ = devices_[*index].guid;
}

void AudioSetupDialog::SelectionChanged() {
    // The test sound keeps playing through the device it was prepared on; the choice reaches the
    // file on OK, and the test device changes only when a lost buffer has to be rebuilt.
    TakeSelectedDevice();
    InvalidateRect(Window(), nullptr, TRUE);
}

bool AudioSetupDialog::LoadTestSound() {
    testBuffer_.Reset();
    directSound_.Reset();
    const InstallFolder folder = ReadInstallFolder();
    if (folder.Found())
        testSoundPath_ = folder.path + "\\Config Files\\tavrin.wav";

    const GUID device = ToWindowsGuid(selectedSoundDevice_.value_or(Guid{}));
    {
        const StartupStep step("directsound device");
        ComPtr<IDirectSound> directSound;
        if (directSoundLibrary_.Create(selectedSoundDevice_ ? &device : nullptr, directSound) !=
            DS_OK) {
            return false;
        }
        if (directSound->SetCooperativeLevel(Window(), DSSCL_PRIORITY) != DS_OK)
            return false;
        directSound_ = directSound;
    }

    testBuffer_ = LoadTestSoundBuffer(*directSound_.Get(), testSoundPath_.c_str());
    return testBuffer_ != nullptr;
}

void AudioSetupDialog::PlayTestSound() {
    if (!devicesListed_)
        return;
    if (!testBuffer_) {
        ShowMessage(Window(), Localise(texts::messages::kTestSoundError),
                    Localise(texts::messages::kErrorCaption), MB_OK | MB_ICONERROR);
        return;
    }
    DWORD status = 0;
    testBuffer_->GetStatus(&status);
    if ((status & DSBSTATUS_BUFFERLOST) != 0 && testBuffer_->Restore() == DS_OK) {
        // The sound is prepared anew, on the device selected now.
        LoadTestSound();
        if (!testBuffer_)
            return;
    }
    PlayUnlessPlaying(*testBuffer_.Get(), status);
}

void AudioSetupDialog::SaveAudioSettings() {
    if (!devicesListed_)
        return;
    // Only the device and the version change; every other field goes back as it was read. With
    // nothing listed (no DirectSound, no sound card) the player has chosen nothing: the saved
    // device stays, for the day it can be listed again.
    if (SendMessageW(Item(IDC_SOUND_DRIVER_LIST), CB_GETCOUNT, 0, 0) > 0)
        record_.soundDevice = selectedSoundDevice_.value_or(Guid{});
    WriteSettingsOrReport(Window(), record_, kSharedReadWrite);
    End(IDOK);
}

void AudioSetupDialog::Cancel() {
    End(IDCANCEL);
}

HandlerResult AudioSetupDialog::Relabel(const Message&) {
    TakeLanguageFromSettingsFile();
    bool changed = SetWindowTextIfChanged(Window(), Localise(text::kTitle));
    changed |= SetItemTextIfChanged(Window(), IDOK, Localise(text::kOk));
    changed |= SetItemTextIfChanged(Window(), IDCANCEL, Localise(text::kCancel));
    changed |= SetItemTextIfChanged(Window(), IDC_SOUND_DRIVER_LABEL, Localise(text::kDriverLabel));
    changed |= SetItemTextIfChanged(Window(), IDC_TEST_SOUND, Localise(text::kTest));
    // New texts are drawn transparently: the picture must be drawn again beneath them.
    if (changed)
        InvalidateRect(Window(), nullptr, TRUE);
    return std::nullopt;  // the system does the painting itself
}

HandlerResult AudioSetupDialog::Destroyed(const Message&) {
    tooltips_.Destroy();
    testBuffer_.Reset();
    directSound_.Reset();  // frees its buffers as well
    return std::nullopt;
}
