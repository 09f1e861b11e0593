// DirectSound's device enumeration (Wine's, over the test environment's ALSA null devices) when
// memory runs out while the devices are kept: the failure comes back as the answer, not as an
// exception through DirectSound's own code, and nothing is listed.

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "failing_allocations.h"
#include "setup/win/direct_sound_library.h"

namespace {

TEST(DirectSoundLibraryTest, MemoryRunningOutWhileListingIsAnsweredWithNothingListed) {
    DirectSoundLibrary library;
    ASSERT_TRUE(library.Load());
    std::vector<SoundDevice> devices(1);  // left over from an earlier listing
    HRESULT result = S_OK;
    {
        const FailingAllocations failing;
        result = library.Enumerate(devices);
    }
    EXPECT_EQ(result, E_OUTOFMEMORY);
    EXPECT_TRUE(devices.empty());
}

}  // namespace
