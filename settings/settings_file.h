#pragma once
// The settings record shared by the launcher, the three setup dialogs and the game: the file
// named below, 172 bytes, little-endian, no header beyond the version and no checksum. The record
// is encoded and decoded field by field, so every byte of a file survives a read and a write.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The file's name, the same in every folder it is looked for in: the install folder, the folder
// of the stand-in game, the current folder of the settings tool, and the user's temporary folder
// (where the launcher keeps a one-byte language file of the same name).
inline constexpr char kSettingsFileName[] = "tavrin.dat";

inline constexpr std::size_t kSettingsFileSize = 172;
using SettingsBytes = std::array<std::uint8_t, kSettingsFileSize>;

// Every writer stores 2.1; a reader accepts exactly these four bytes (66 66 06 40) and nothing
// else, not even a float that compares equal.
inline constexpr float kSettingsVersion = 2.1f;
inline constexpr std::uint32_t kSettingsVersionBits = 0x40066666;

// The keyboard binding of a key is 39 plus its scan code; bindings writers store it here too.
inline constexpr std::int32_t kControlsConstant = 39;

// A GUID in the Windows memory layout: 32-bit, 16-bit and 16-bit little-endian, then 8 bytes.
struct Guid {
    std::array<std::uint8_t, 16> bytes{};

    bool IsZero() const;
    // The controller test looks only at the first 8 bytes.
    bool FirstHalfIsZero() const;
    friend bool operator==(const Guid&, const Guid&) = default;
};

// The nine bound actions in the order of both binding arrays in the file.
enum class SettingsAction : int {
    Left,
    Right,
    Forward,
    Backward,
    Jump,
    Search,
    Tav,
    TurnLeft,
    TurnRight,
};
inline constexpr int kActionCount = 9;
using Bindings = std::array<std::int32_t, kActionCount>;

// The fields in file order. Where each lies in the file is written once: in the offset table of
// settings_file.cpp, whose compile-time checks let no field overlap the next or leave a gap.
struct SettingsFile {
    float version = 0;
    Guid soundDevice;               // all zero for the system's default device
    Guid displayAdapter;            // all zero when no graphics settings were saved
    std::int32_t displayWidth = 0;  // 0 when windowed
    std::int32_t displayHeight = 0;
    std::int32_t depthBits = 0;  // depth plus stencil bits of the mode
    std::int32_t colourBits = 0;
    std::int32_t windowed = 0;
    std::int32_t compatibilityMode = 0;
    std::int32_t highDetail = 0;
    Guid controllerDevice;  // all zero for the keyboard
    Bindings keyboardBindings{};
    std::int32_t controlsConstant = 0;
    std::array<std::uint8_t, 4> reservedA{};  // never interpreted, carried from read to write
    Bindings controllerBindings{};
    std::array<std::uint8_t, 8> reservedB{};  // never interpreted, carried from read to write
    std::int32_t language = 0;

    std::int32_t& KeyboardBinding(SettingsAction action) {
        return keyboardBindings[static_cast<int>(action)];
    }
    std::int32_t& ControllerBinding(SettingsAction action) {
        return controllerBindings[static_cast<int>(action)];
    }
    friend bool operator==(const SettingsFile& a, const SettingsFile& b);
};

SettingsBytes EncodeSettings(const SettingsFile& record);
SettingsFile DecodeSettings(const SettingsBytes& bytes);

// Lays what a read returned over the record: a short file replaces only the leading bytes it
// has, the rest keeps its previous content; bytes past 172 are ignored.
void OverlaySettings(SettingsFile& record, const std::uint8_t* data, std::size_t size);

// Whether the version field holds exactly the bytes of 2.1.
bool PassesVersionTest(const SettingsFile& record);

// The version test of a record just filled by a read of `bytesRead` bytes: a file too short to
// hold a version fails it, whatever the record held before.
bool ReadPassesVersionTest(const SettingsFile& record, std::size_t bytesRead);

// Both binding arrays to their defaults, controlsConstant 39 and version 2.1; nothing else.
void ApplyDefaultBindings(SettingsFile& record);

// The binding defaults in file order: arrows, left Ctrl, left Shift, left Alt, Z, X on the
// keyboard; the first two axes and buttons 1 to 5 on a controller.
inline constexpr Bindings kDefaultKeyboardBindings = {242, 244, 239, 247, 68, 81, 95, 83, 84};
inline constexpr Bindings kDefaultControllerBindings = {33, 33, 34, 34, 2, 3, 1, 4, 5};
