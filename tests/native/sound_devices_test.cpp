// The audio dialog's device list: the primary driver left out, at most 20 devices, the saved one
// pre-selected.

#include <gtest/gtest.h>

#include "setup/sound_devices.h"

namespace {

Guid Device(std::uint8_t n) {
    Guid guid;
    guid.bytes[0] = n;
    guid.bytes[15] = 0xAA;
    return guid;
}

TEST(SoundDevices, PrimaryDriverWithoutGuidIsNotListed) {
    const SoundDeviceList list = ListSoundDevices({std::nullopt, Device(1)}, Guid{});
    EXPECT_EQ(list.listed, (std::vector<std::size_t>{1}));
    EXPECT_EQ(list.preselected, 0u);
}

TEST(SoundDevices, SavedDevicePreselectsItsEntryAndAnUnknownOneTheFirst) {
    const std::vector<std::optional<Guid>> devices = {std::nullopt, Device(1), Device(2),
                                                      Device(3)};
    EXPECT_EQ(ListSoundDevices(devices, Device(3)).preselected, 2u);
    EXPECT_EQ(ListSoundDevices(devices, Device(9)).preselected, 0u);
    EXPECT_EQ(ListSoundDevices(devices, Guid{}).preselected, 0u);
}

TEST(SoundDevices, AtMostTwentyDevicesWithGuidsInEnumerationOrder) {
    std::vector<std::optional<Guid>> devices = {std::nullopt};
    for (std::uint8_t n = 1; n <= 25; ++n)
        devices.push_back(Device(n));
    const SoundDeviceList list = ListSoundDevices(devices, Device(22));
    ASSERT_EQ(list.listed.size(), 20u);
    EXPECT_EQ(list.listed.front(), 1u);
    EXPECT_EQ(list.listed.back(), 20u);
    EXPECT_EQ(list.preselected, 0u);  // the saved device was the 22nd: not listed
}

TEST(SoundDevices, DevicesWithoutGuidAfterTheFirstEntryAreListed) {
    const SoundDeviceList list =
        ListSoundDevices({std::nullopt, Device(1), std::nullopt, Device(2)}, Device(2));
    EXPECT_EQ(list.listed, (std::vector<std::size_t>{1, 2, 3}));
    EXPECT_EQ(list.preselected, 2u);
}

TEST(SoundDevices, NoDevicesGiveAnEmptyList) {
    EXPECT_TRUE(ListSoundDevices({}, Guid{}).listed.empty());
    EXPECT_TRUE(ListSoundDevices({std::nullopt}, Guid{}).listed.empty());
}

}  // namespace
