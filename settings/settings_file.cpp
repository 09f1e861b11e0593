#include "settings/settings_file.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "base/byte_reader.h"

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

// Writes each field at its offset, little-endian.
struct Encoder {
    ByteWriter writer;

    template <class Field>
    void operator()(std::size_t at, const Field& field) {
        writer.Seek(at);
        Write(field);
    }

    void Write(float value) { writer.U32(std::bit_cast<std::uint32_t>(value)); }
    void Write(std::int32_t value) { writer.I32(value); }
    void Write(const Guid& guid) { Write(guid.bytes); }
    void Write(const Bindings& bindings) {
        for (std::int32_t binding : bindings)
            Write(binding);
    }
    template <std::size_t N>
    void Write(const std::array<std::uint8_t, N>& raw) {
        writer.Bytes(raw.data(), N);
    }
};

// Reads each field from its offset, little-endian.
struct Decoder {
    ByteReader reader;

    template <class Field>
    void operator()(std::size_t at, Field& field) {
        reader.Seek(at);
        Read(field);
    }

    void Read(float& value) { value = std::bit_cast<float>(reader.U32()); }
    void Read(std::int32_t& value) { value = reader.I32(); }
    void Read(Guid& guid) { Read(guid.bytes); }
    void Read(Bindings& bindings) {
        for (std::int32_t& binding : bindings)
            Read(binding);
    }
    template <std::size_t N>
    void Read(std::array<std::uint8_t, N>& raw) {
        reader.Bytes(raw.data(), N);
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
    VisitFields(record, Encoder{ByteWriter(bytes.data(), bytes.size())});
    return bytes;
}

SettingsFile DecodeSettings(const SettingsBytes& bytes) {
    SettingsFile record;
    VisitFields(record, Decoder{ByteReader(bytes.data(), bytes.size())});
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
