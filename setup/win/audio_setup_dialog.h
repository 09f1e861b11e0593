#pragma once
// The audio setup dialog (template 145): the DirectSound device the game uses, and a test sound
// to hear it. It reads the settings file when it opens and writes the chosen device on OK.
//
// DirectSound lists its devices and prepares the test sound just after the window's first paint,
// when the tooltips are made too: the dialog shows with its skin at once, and the list fills a
// moment later. Until then OK and
// Test are disabled and do nothing.

#include <windows.h>
#include <mmsystem.h>  // WAVEFORMATEX, which WIN32_LEAN_AND_MEAN leaves out
#include <dsound.h>
#include <wrl/client.h>

#include <optional>
#include <string>
#include <vector>

#include "base/win/tooltips.h"
#include "settings/settings_file.h"
#include "setup/win/direct_sound_library.h"
#include "skin/win/skinned_dialog.h"

class AudioSetupDialog : public MappedDialog<AudioSetupDialog, SkinnedDialog> {
  public:
    AudioSetupDialog();

  private:
    friend class MappedDialog<AudioSetupDialog, SkinnedDialog>;
    static const MessageMap<AudioSetupDialog> kMessageMap;

    HandlerResult Initialise(const Message& message);
    // After the first paint: the tooltips, the device list and the test sound.
    HandlerResult FinishOpening(const Message& message);
    void SelectionChanged();
    void PlayTestSound();
    void SaveAudioSettings();
    void Cancel();
    HandlerResult Relabel(const Message& message);
    HandlerResult Destroyed(const Message& message);

    void ListDevices();
    // Remembers the device of the selected entry, for the test sound and for OK.
    void TakeSelectedDevice();
    // Prepares the test sound on the device selected now; false leaves no test buffer.
    bool LoadTestSound();

    SettingsFile record_;
    // The devices DirectSound reported, in its order; each entry of the device list carries the
    // index of its device here.
    std::vector<SoundDevice> devices_;
    std::optional<Guid> selectedSoundDevice_;
    bool devicesListed_ = false;
    std::string testSoundPath_;
    // Declared before the object and its buffer, so that it outlives them.
    DirectSoundLibrary directSoundLibrary_;
    Microsoft::WRL::ComPtr<IDirectSound> directSound_;
    Microsoft::WRL::ComPtr<IDirectSoundBuffer> testBuffer_;
    Tooltips tooltips_;
};
