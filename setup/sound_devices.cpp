#include "setup/sound_devices.h"

SoundDeviceList ListSoundDevices(const std::vector<std::optional<Guid>>& devices,
                                 const Guid& saved) {
    SoundDeviceList list;
    std::size_t slotsUsed = 0;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const std::optional<Guid>& guid = devices[i];
        if (guid) {
            if (slotsUsed == kSoundDeviceSlots)
                continue;
            ++slotsUsed;
            if (*guid == saved)
                list.preselected = list.listed.size();
        } else if (list.listed.empty()) {
            continue;
        }
        list.listed.push_back(i);
    }
    return list;
}
