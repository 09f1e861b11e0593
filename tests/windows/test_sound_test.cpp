// The audio dialog's Test button on a real DirectSound buffer (Wine's, on the test environment's
// ALSA null device): a press while the sound plays neither restarts nor stops it.

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <vector>

#include "failing_allocations.h"
#include "setup/wave_file.h"
#include "setup/win/direct_sound_library.h"
#include "setup/win/test_sound.h"
#include "support/temp_file.h"
#include "support/wave_builder.h"

namespace {

using Microsoft::WRL::ComPtr;
using namespace std::chrono_literals;

// Two seconds of 8-bit mono silence at 8000 Hz: long enough to be still playing at the second
// press, whatever the machine's load.
WaveSound TwoSecondsOfSilence() {
    WaveSound sound;
    sound.format.formatTag = WAVE_FORMAT_PCM;
    sound.format.channels = 1;
    sound.format.samplesPerSecond = 8000;
    sound.format.averageBytesPerSecond = 8000;
    sound.format.blockAlign = 1;
    sound.format.bitsPerSample = 8;
    sound.formatRead = sound.dataRead = true;
    sound.samples.assign(16000, 0x80);
    return sound;
}

DWORD StatusOf(IDirectSoundBuffer& buffer) {
    DWORD status = 0;
    buffer.GetStatus(&status);
    return status;
}

DWORD PlayPosition(IDirectSoundBuffer& buffer) {
    DWORD position = 0;
    buffer.GetCurrentPosition(&position, nullptr);
    return position;
}

// A hidden top-level window, for DirectSound's cooperative level.
class HiddenWindow {
  public:
    HiddenWindow()
        : window_(CreateWindowExW(0, L"STATIC", L"test sound", WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr)) {}
    ~HiddenWindow() { DestroyWindow(window_); }
    HiddenWindow(const HiddenWindow&) = delete;
    HiddenWindow& operator=(const HiddenWindow&) = delete;
    HWND Get() const { return window_; }

  private:
    HWND window_;
};

// DirectSound on the default device, for a hidden window.
class TestSound : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(window.Get(), nullptr);
        ASSERT_TRUE(library.Load());
        ASSERT_EQ(library.Create(nullptr, directSound), DS_OK);
        ASSERT_EQ(directSound->SetCooperativeLevel(window.Get(), DSSCL_PRIORITY), DS_OK);
    }

    const HiddenWindow window;
    DirectSoundLibrary library;
    ComPtr<IDirectSound> directSound;
};

TEST_F(TestSound, APressWhileItPlaysNeitherRestartsNorStopsIt) {
    ComPtr<IDirectSoundBuffer> buffer = MakeSoundBuffer(*directSound.Get(), TwoSecondsOfSilence());
    ASSERT_NE(buffer, nullptr);

    PlayUnlessPlaying(*buffer.Get(), StatusOf(*buffer.Get()));
    ASSERT_NE(StatusOf(*buffer.Get()) & DSBSTATUS_PLAYING, 0u);
    // Under way, so that a restart would show as the position going back.
    const auto deadline = std::chrono::steady_clock::now() + 1s;
    while (PlayPosition(*buffer.Get()) == 0 && std::chrono::steady_clock::now() < deadline)
        Sleep(10);
    const DWORD before = PlayPosition(*buffer.Get());
    ASSERT_GT(before, 0u);

    PlayUnlessPlaying(*buffer.Get(), StatusOf(*buffer.Get()));
    const DWORD status = StatusOf(*buffer.Get());
    EXPECT_NE(status & DSBSTATUS_PLAYING, 0u) << "stopped";
    EXPECT_EQ(status & DSBSTATUS_LOOPING, 0u) << "played in a loop";
    EXPECT_GE(PlayPosition(*buffer.Get()), before) << "restarted";
}

// A 32-bit process may find no block for the samples: the sound then cannot be played, which the
// Test button says, and the dialog stays.
TEST_F(TestSound, ASoundWithoutMemoryForItsSamplesIsOneThatCannotBePlayed) {
    const TempFile file(
        WaveFile({Chunk("fmt ", FormatBody(Pcm(1, 8000, 8))), Chunk("data", SampleBytes(800))}));
    const std::string path = file.Path();
    ComPtr<IDirectSoundBuffer> buffer;
    {
        const FailingAllocations failing;
        buffer = LoadTestSoundBuffer(*directSound.Get(), path.c_str());
    }
    EXPECT_EQ(buffer, nullptr);
    EXPECT_NE(LoadTestSoundBuffer(*directSound.Get(), path.c_str()), nullptr);
}

}  // namespace
