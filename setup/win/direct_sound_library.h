#pragma once
// DirectSound as the audio setup uses it: the device enumeration and the DirectSound object.
//
// dsound.dll is loaded when the audio dialog opens rather than linked: without it the program
// still starts and the other dialogs work, and the audio dialog lists no device and answers the
// Test button with its message that no sound can be played.

#include <windows.h>
#include <mmsystem.h>  // WAVEFORMATEX, which WIN32_LEAN_AND_MEAN leaves out
#include <dsound.h>
#include <wrl/client.h>

#include <optional>
#include <string>
#include <vector>

#include "base/win/loaded_library.h"
#include "settings/settings_file.h"

// One device as DirectSound reports it.
struct SoundDevice {
    std::optional<Guid> guid;  // none for a device without one, such as the primary driver
    std::wstring description;
};

class DirectSoundLibrary {
  public:
    // Loads dsound.dll and finds its two functions; false when either is missing. Whatever was
    // made with an earlier load must be released first.
    bool Load();

    // Every device DirectSoundEnumerateW reports, in its order, replacing what `devices` held.
    // DSERR_NODRIVER when the library is missing, E_OUTOFMEMORY when the devices could not all
    // be kept; after any failure `devices` is empty.
    HRESULT Enumerate(std::vector<SoundDevice>& devices) const;
    // DirectSoundCreate for `device`, nullptr meaning the default device; DSERR_NODRIVER when the
    // library is missing. The object must be released before this library goes.
    HRESULT Create(const GUID* device, Microsoft::WRL::ComPtr<IDirectSound>& directSound) const;

  private:
    using EnumerateFunction = HRESULT(WINAPI*)(LPDSENUMCALLBACKW callback, void* context);
    using CreateFunction = HRESULT(WINAPI*)(const GUID* device, IDirectSound** directSound,
                                            IUnknown* outer);

    LoadedLibrary library_;
    EnumerateFunction enumerate_ = nullptr;
    CreateFunction create_ = nullptr;
};
