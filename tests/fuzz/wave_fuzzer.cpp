// Feeds arbitrary files to the test sound's reader. Whatever it accepts must hold a format record
// that encodes to 18 bytes and no more sample bytes than the input had.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <variant>

#include "setup/wave_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryByteSource source(data, size);
    const WaveResult result = ParseWaveFrom(source);
    if (const auto* sound = std::get_if<WaveSound>(&result)) {
        if (sound->samples.size() > size)
            std::abort();
        if (!sound->formatRead && sound->format.channels != 0)
            std::abort();
        const auto bytes = WaveFormatBytes(WithAtLeastOneChannel(sound->format));
        volatile std::uint8_t last = bytes[kWaveFormatSize - 1];
        (void)last;
        if (!sound->samples.empty()) {
            // Touch both ends so that a wrongly sized buffer shows up.
            volatile std::uint8_t first = sound->samples.front();
            volatile std::uint8_t end = sound->samples.back();
            (void)first;
            (void)end;
        }
    } else if (const auto* error = std::get_if<WaveError>(&result)) {
        if (error->offset > size)
            std::abort();
    }
    return 0;
}
