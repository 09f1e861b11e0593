#pragma once
// Which of the devices DirectSound reports the audio dialog lists, and which it pre-selects.

#include <cstddef>
#include <optional>
#include <vector>

#include "settings/settings_file.h"

// The list holds at most this many devices with a GUID; later ones are left out.
inline constexpr std::size_t kSoundDeviceSlots = 20;

struct SoundDeviceList {
    // Indices into the enumeration of the devices listed, in enumeration order.
    std::vector<std::size_t> listed;
    // The entry to pre-select: the saved device's, else the first.
    std::size_t preselected = 0;
};

// `devices` holds each enumerated device's GUID, or nothing for a device without one. DirectSound
// reports its primary driver first and without a GUID: a device without a GUID is never listed
// before a device with one. `saved` is the device stored in the settings file.
SoundDeviceList ListSoundDevices(const std::vector<std::optional<Guid>>& devices,
                                 const Guid& saved);
