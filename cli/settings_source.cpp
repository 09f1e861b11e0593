#include "cli/settings_source.h"

SettingsFile RecordFromBytes(const std::uint8_t* data, std::size_t size) {
    SettingsFile record;
    OverlaySettings(record, data, size);
    return record;
}
