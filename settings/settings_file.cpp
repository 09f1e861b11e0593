#include "settings/settings_file.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

// Where each field lies in the file. Each follows the one before it without a gap; the asserts
// below hold the table to that, so a field added or resized in the wrong place cannot compile.
namespace offset {
constexpr std::size_t version = 0;
constexpr std::size_t soundDevice = 4;
constexpr std::size_t displayAdapter = 20;
constexpr std::size_t displayWidth = 36;
constexpr std::size_t displayHeight = 40;
constexpr std::size_t depthBits = 44;
constexpr std::size_t colourBits = 48;
constexpr std::size_t windowed = 52;
constexpr std::size_t compatibilityMode = 56;
constexpr std::size_t highDetail = 60;
constexpr std::size_t controllerDevice = 64;
constexpr std::size_t keyboardBindings = 80;
constexpr std::size_t controlsConstant = 116;
constexpr std::size_t reservedA = 120;
constexpr std::size_t controllerBindings = 124;
constexpr std::size_t reservedB = 160;
constexpr std::size_t language = 168;
}  // namespace offset

constexpr std::size_t kGuidSize = 16;
constexpr std::size_t kBindingsSize = 4 * kActionCount;
static_assert(offset::soundDevice == offset::version + 4);
static_assert(offset::displayAdapter == offset::soundDevice + kGuidSize);
static_assert(offset::displayWidth == offset::displayAdapter + kGuidSize);
static_assert(offset::displayHeight == offset::displayWidth + 4);
static_assert(offset::depthBits == offset::displayHeight + 4);
static_assert(offset::colourBits == offset::depthBits + 4);
static_assert(offset::windowed == offset::colourBits + 4);
static_assert(offset::compatibilityMode == offset::windowed + 4);
static_assert(offset::highDetail == offset::compatibilityMode + 4);
static_assert(offset::controllerDevice == offset::highDetail + 4);
static_assert(offset::keyboardBindings == offset::controllerDevice + kGuidSize);
static_assert(offset::controlsConstant == offset::keyboardBindings + kBindingsSize);
static_assert(offset::reservedA == offset::controlsConstant + 4);
static_assert(offset::controllerBindings == offset::reservedA + 4);
static_assert(offset::reservedB == offset::controllerBindings + kBindingsSize);
static_assert(offset::language == offset::reservedB + 8);
static_assert(kSettingsFileSize == offset::language + 4);

// Calls `visit(offset, field)` for every field: the one list of the layout that both encoding
// and decoding follow.
template <class Record, class Visitor>
void VisitFields(Record& record, Visitor&& visit) {
    visit(offset::version, record.version);
    visit(offset::soundDevice, record.soundDevice);
    visit(offset::displayAdapter, record.displayAdapter);
    visit(offset::displayWidth, record.displayWidth);
    visit(offset::displayHeight, record.displayHeight);
    visit(offset::depthBits, record.depthBits);
    visit(offset::colourBits, record.colourBits);
    visit(offset::windowed, record.windowed);
    visit(offset::compatibilityMode, record.compatibilityMode);
    visit(offset::highDetail, record.highDetail);
    visit(offset::controllerDevice, record.controllerDevice);
    visit(offset::keyboardBindings, record.keyboardBindings);
    visit(offset::controlsConstant, record.controlsConstant);
    visit(offset::reservedA, record.reservedA);
    visit(offset::controllerBindings, record.controllerBindings);
    visit(offset::reservedB, record.reservedB);
    visit(offset::language, record.language);
}

void Put(SettingsBytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t Get(const SettingsBytes& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= std::uint32_t{bytes[at + i]} << (8 * i);
    return value;
}

struct Encoder {
    SettingsBytes& bytes;

    void operator()(std::size_t at, float value) {
        Put(bytes, at, std::bit_cast<std::uint32_t>(value));
    }
    void operator()(std::size_t at, std::int32_t value) {
        Put(bytes, at, static_cast<std::uint32_t>(value));
    }
    void operator()(std::size_t at, const Guid& guid) {
        std::copy(guid.bytes.begin(), guid.bytes.end(), bytes.begin() + at);
    }
    void operator()(std::size_t at, const Bindings& bindings) {
        for (int i = 0; i < kActionCount; ++i)
            (*this)(at + 4 * i, bindings[i]);
    }
    template <std::size_t N>
    void operator()(std::size_t at, const std::array<std::uint8_t, N>& raw) {
        std::copy(raw.begin(), raw.end(), bytes.begin() + at);
    }
};

struct Decoder {
    const SettingsBytes& bytes;

    void operator()(std::size_t at, float& value) { value = std::bit_cast<float>(Get(bytes, at)); }
    void operator()(std::size_t at, std::int32_t& value) {
        value = static_cast<std::int32_t>(Get(bytes, at));
    }
    void operator()(std::size_t at, Guid& guid) {
        std::copy_n(bytes.begin() + at, guid.bytes.size(), guid.bytes.begin());
    }
    void operator()(std::size_t at, Bindings& bindings) {
        for (int i = 0; i < kActionCount; ++i)
            (*this)(at + 4 * i, bindings[i]);
    }
    template <std::size_t N>
    void operator()(std::size_t at, std::array<std::uint8_t, N>& raw) {
        std::copy_n(bytes.begin() + at, N, raw.begin());
    }
};

}  // namespace

bool Guid::IsZero() const {
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

bool Guid::FirstHalfIsZero() const {
    return std::all_of(bytes.begin(), bytes.begin() + 8, [](std::uint8_t b) { return b == 0; });
}

bool operator==(const SettingsFile& a, const SettingsFile& b) {
    return EncodeSettings(a) == EncodeSettings(b);  // bitwise, so that any version bits compare
}

SettingsBytes EncodeSettings(const SettingsFile& record) {
    SettingsBytes bytes{};
    VisitFields(record, Encoder{bytes});
    return bytes;
}

SettingsFile DecodeSettings(const SettingsBytes& bytes) {
    SettingsFile record;
    VisitFields(record, Decoder{bytes});
    return record;
}

void OverlaySettings(SettingsFile& record, const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return;
    SettingsBytes bytes = EncodeSettings(record);
    std::memcpy(bytes.data(), data, std::min(size, bytes.size()));
    record = DecodeSettings(bytes);
}

bool PassesVersionTest(const SettingsFile& record) {
    return std::bit_cast<std::uint32_t>(record.version) == kSettingsVersionBits;
}

bool ReadPassesVersionTest(const SettingsFile& record, std::size_t bytesRead) {
    return bytesRead >= sizeof record.version && PassesVersionTest(record);
}

void ApplyDefaultBindings(SettingsFile& record) {
    record.keyboardBindings = kDefaultKeyboardBindings;
    record.controllerBindings = kDefaultControllerBindings;
    record.controlsConstant = kControlsConstant;
    record.version = kSettingsVersion;
}
