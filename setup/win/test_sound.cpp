#include "setup/win/test_sound.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <variant>

using Microsoft::WRL::ComPtr;

namespace {

WAVEFORMATEX ToWaveFormatEx(const WaveFormat& format) {
    WAVEFORMATEX windowsFormat = {};
    windowsFormat.wFormatTag = format.formatTag;
    windowsFormat.nChannels = format.channels;
    windowsFormat.nSamplesPerSec = format.samplesPerSecond;
    windowsFormat.nAvgBytesPerSec = format.averageBytesPerSecond;
    windowsFormat.nBlockAlign = format.blockAlign;
    windowsFormat.wBitsPerSample = format.bitsPerSample;
    windowsFormat.cbSize = format.extraSize;
    return windowsFormat;
}

}  // namespace

ComPtr<IDirectSoundBuffer> MakeSoundBuffer(IDirectSound& directSound, const WaveSound& sound) {
    WAVEFORMATEX format = ToWaveFormatEx(WithAtLeastOneChannel(sound.format));
    // A compressed or extensible format would need the bytes after the record: DirectSound
    // reads cbSize more of them. The record holds none, so such formats are offered without.
    format.cbSize = 0;
    DSBUFFERDESC description = {};
    description.dwSize = sizeof description;
    description.dwFlags =
        DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    description.dwBufferBytes = static_cast<DWORD>(sound.samples.size());
    description.lpwfxFormat = &format;

    ComPtr<IDirectSoundBuffer> buffer;
    if (directSound.CreateSoundBuffer(&description, buffer.GetAddressOf(), nullptr) != DS_OK) {
        return nullptr;
    }
    void* region = nullptr;
    void* secondRegion = nullptr;
    DWORD regionBytes = 0;
    DWORD secondRegionBytes = 0;
    if (buffer->Lock(0, 0, &region, &regionBytes, &secondRegion, &secondRegionBytes,
                     DSBLOCK_ENTIREBUFFER) != DS_OK) {
        return nullptr;
    }
    std::memcpy(region, sound.samples.data(),
                std::min<std::size_t>(regionBytes, sound.samples.size()));
    if (buffer->Unlock(region, regionBytes, secondRegion, secondRegionBytes) != DS_OK)
        return nullptr;
    return buffer;
}

ComPtr<IDirectSoundBuffer> LoadTestSoundBuffer(IDirectSound& directSound, const char* path) {
    // A 32-bit process may not find a block as large as a buffer can be: a sound that does not
    // fit is one that cannot be played, not a reason for the dialog to vanish.
    try {
        const WaveResult parsed = ParseWave(path, DSBSIZE_MAX);
        const WaveSound* sound = std::get_if<WaveSound>(&parsed);
        if (sound == nullptr || !IsPlayable(*sound))
            return nullptr;
        return MakeSoundBuffer(directSound, *sound);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void PlayUnlessPlaying(IDirectSoundBuffer& buffer, DWORD status) {
    if ((status & DSBSTATUS_PLAYING) != 0)
        return;
    buffer.SetPan(DSBPAN_CENTER);
    buffer.SetVolume(DSBVOLUME_MAX);
    buffer.Play(0, 0, 0);  // once, not looping
}
