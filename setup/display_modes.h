#pragma once
// The resolution list of the graphics setup: which of an adapter's display modes it shows, under
// which labels, in which order, and which entry it pre-selects; and the reading of a label back
// into the four numbers the settings file stores. The dialog enumerates the modes and asks
// Direct3D about depth formats; everything it then shows is decided here.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Direct3D 8 format codes (D3DFORMAT) of the display modes the list knows.
inline constexpr int kFormatR8G8B8 = 20;    // D3DFMT_R8G8B8, 24 colour bits
inline constexpr int kFormatA8R8G8B8 = 21;  // D3DFMT_A8R8G8B8, 32
inline constexpr int kFormatX8R8G8B8 = 22;  // D3DFMT_X8R8G8B8, 32
inline constexpr int kFormatR5G6B5 = 23;    // D3DFMT_R5G6B5, 16
inline constexpr int kFormatX1R5G5B5 = 24;  // D3DFMT_X1R5G5B5, 16
inline constexpr int kFormatA1R5G5B5 = 25;  // D3DFMT_A1R5G5B5, 16

// The colour bits of a display mode's format; none for any format but the six above.
std::optional<int> ColourBitsOf(int format);

// The depth-stencil formats the list tries for each mode, with their D3DFORMAT codes.
enum class DepthFormat : int { D24S8 = 75, D32 = 71, D24X8 = 77, D16 = 80, D15S1 = 73 };

// The order in which they are tried; the first one that works gives the mode's depth label.
inline constexpr std::array<DepthFormat, 5> kDepthCandidates = {
    DepthFormat::D24S8, DepthFormat::D32, DepthFormat::D24X8, DepthFormat::D16, DepthFormat::D15S1};

int DepthBitsOf(DepthFormat format);    // 24, 32, 24, 16, 15
int StencilBitsOf(DepthFormat format);  // 8, 0, 0, 0, 1

// One mode as the adapter enumerates it (D3DDISPLAYMODE without the refresh rate).
struct AdapterMode {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int format = 0;  // D3DFORMAT code
};

// Whether a depth-stencil format can be used with a display mode's format. The dialog answers
// with CheckDeviceFormat (HAL device, D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE).
using DepthCheck = std::function<bool(int modeFormat, DepthFormat candidate)>;

// A display mode as the settings file stores it: the graphics setup's remembered choice, or the
// numbers read back from a label. The depth is the depth label: depth bits plus stencil bits.
struct ModeChoice {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t colourBits = 0;
    std::int32_t depthBits = 0;

    friend bool operator==(const ModeChoice&, const ModeChoice&) = default;
};

// What the graphics setup remembers while no valid settings file supplies a mode.
inline constexpr ModeChoice kUnsavedMode{640, 480, 32, 32};

// The mode text of the dialog is a 32-byte buffer: no label is longer than 31 characters.
inline constexpr std::size_t kModeTextCapacity = 32;
// Modes wider or taller than this are not listed. With at most 8 digits per side the longest
// label, "99999999 x 99999999 x 32 (32z)", has 30 characters, and every number fits the settings
// file's 32-bit fields.
inline constexpr std::uint32_t kMaxModeSide = 99'999'999;

// "W x H x C (Dz)", all numbers in decimal, for example "1024 x 768 x 32 (24z)".
std::string ModeLabel(std::uint32_t width, std::uint32_t height, int colourBits, int depthLabel);

// The resolution list as the combo box shows it after a build.
struct ModeList {
    // The entries in list order, the "Windowed" entry included when there is one.
    std::vector<std::string> entries;
    // The entry to select; none only when the list is empty.
    std::optional<std::size_t> selected;
    // The label of the last mode that passed the filter, listed or not (a duplicate is built
    // before it is found to be one). The dialog's mode text holds it after the build; none when
    // no mode passed, and the mode text then keeps what it held.
    std::optional<std::string> lastLabel;
};

// Builds the list from the adapter's modes in enumeration order:
//  - each mode's depth label comes from the first candidate that `depthWorks` accepts for the
//    mode's format, asked once per format (its answers depend on nothing else); when none does, the
//    depth bits of the previous enumerated mode (listed or not) are kept with no stencil, and 16
//    for the first mode;
//  - only modes of the six known formats, at least 640 x 480 and at most kMaxModeSide a side
//    are listed; modes whose label is already listed (other refresh rates, another format of
//    the same colour bits) are left out, so the first enumerated one stands;
//  - labels are kept in the order of the combo box's sorting (ListTextLess);
//  - unless `windowedChosen`, a mode of `savedMode`'s size is pre-selected: one that also has
//    its colour bits and depth label beats one with its colour bits, which beats one of the size
//    alone; within one rank the entry added last wins. Without a mode of that size, the entry of
//    the last mode that passed the filter (lastLabel), which is what the dialog stores then;
//  - `windowedText` (the localised "Windowed") is added after at least one mode entry, and is
//    the pre-selection when `windowedChosen`.
ModeList ComposeModeList(const std::vector<AdapterMode>& modes, const DepthCheck& depthWorks,
                         const ModeChoice& savedMode, bool windowedChosen,
                         std::string_view windowedText);

// The order of a sorted combo box for the texts this list holds. Windows compares list texts
// without regard to case by the user's locale; for digits, spaces, "x", "z", parentheses and a
// word that begins with a letter, that order is the order of the bytes with ASCII letters
// folded to lower case, which is what this compares.
bool ListTextLess(std::string_view a, std::string_view b);

// Reads a label back into its four numbers: width, " x ", height, " x ", colour bits, " (",
// depth label, "z)". Refuses any other text, "Windowed" and the mode text's initial
// "640 x 480 (32z)" included, and numbers that do not fit 32 bits.
std::optional<ModeChoice> ParseModeLabel(std::string_view label);

// A mode text names the windowed choice when its first character is not a decimal digit (an
// empty text included).
bool IsWindowedLabel(std::string_view text);

// The four display numbers that OK stores: all zero for the windowed choice, else the numbers
// of the mode text. None when the mode text holds no label (the resolution list never had an
// entry): the dialog then keeps the display fields the settings file already held.
std::optional<ModeChoice> ModeToSave(std::string_view modeText, bool windowedChosen);
