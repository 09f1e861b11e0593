#pragma once
// The audio dialog's test sound in DirectSound: a static buffer holding the whole sound, and the
// press of the Test button on it.

#include <windows.h>
#include <mmsystem.h>  // WAVEFORMATEX, which WIN32_LEAN_AND_MEAN leaves out
#include <dsound.h>
#include <wrl/client.h>

#include "setup/wave_file.h"

// A static buffer holding the whole of `sound`, ready to play; nothing when DirectSound refuses
// it.
Microsoft::WRL::ComPtr<IDirectSoundBuffer> MakeSoundBuffer(IDirectSound& directSound,
                                                           const WaveSound& sound);

// The test sound file at `path` in a static buffer, ready to play; nothing when the file cannot be
// played: missing, damaged, larger than a DirectSound buffer holds (DSBSIZE_MAX), more than the
// memory left, or refused by DirectSound. The dialog's Test button then says so.
Microsoft::WRL::ComPtr<IDirectSoundBuffer> LoadTestSoundBuffer(IDirectSound& directSound,
                                                               const char* path);

// Plays `buffer` once, centred and at full volume, unless `status` (its status, read before)
// says it is playing: a press during playback neither restarts nor stops the sound.
void PlayUnlessPlaying(IDirectSoundBuffer& buffer, DWORD status);
