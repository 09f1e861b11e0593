#include "setup/display_modes.h"

#include <algorithm>
#include <limits>
#include <map>

namespace {

constexpr std::uint32_t kMinimumWidth = 640;
constexpr std::uint32_t kMinimumHeight = 480;
// The depth bits a build starts from, for a first mode that no depth format fits.
constexpr int kFirstDepthBits = 16;

static_assert(sizeof "99999999 x 99999999 x 32 (32z)" <= kModeTextCapacity,
              "the longest label must fit the mode text with its terminator");

unsigned char Folded(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// Reads decimal digits up to the end of `text` or the first other character; none when there
// are no digits or the value does not fit 32 bits.
std::optional<std::int32_t> TakeNumber(std::string_view& text) {
    std::int64_t value = 0;
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
        value = value * 10 + (text[digits] - '0');
        if (value > std::numeric_limits<std::int32_t>::max())
            return std::nullopt;
        ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    text.remove_prefix(digits);
    return static_cast<std::int32_t>(value);
}

bool TakeText(std::string_view& text, std::string_view expected) {
    if (!text.starts_with(expected))
        return false;
    text.remove_prefix(expected.size());
    return true;
}

// Adds `text` where the sorted combo box puts it.
void InsertSorted(std::vector<std::string>& entries, std::string_view text) {
    const auto at = std::upper_bound(
        entries.begin(), entries.end(), text,
        [](std::string_view a, const std::string& b) { return ListTextLess(a, b); });
    entries.insert(at, std::string(text));
}

}  // namespace

std::optional<int> ColourBitsOf(int format) {
    switch (format) {
        case kFormatR8G8B8:
            return 24;
        case kFormatA8R8G8B8:
        case kFormatX8R8G8B8:
            return 32;
        case kFormatR5G6B5:
        case kFormatX1R5G5B5:
        case kFormatA1R5G5B5:
            return 16;
        default:
            return std::nullopt;
    }
}

int DepthBitsOf(DepthFormat format) {
    switch (format) {
        case DepthFormat::D24S8:
        case DepthFormat::D24X8:
            return 24;
        case DepthFormat::D32:
            return 32;
        case DepthFormat::D16:
            return 16;
        case DepthFormat::D15S1:
            return 15;
    }
    return 0;
}

int StencilBitsOf(DepthFormat format) {
    switch (format) {
        case DepthFormat::D24S8:
            return 8;
        case DepthFormat::D15S1:
            return 1;
        default:
            return 0;
    }
}

std::string ModeLabel(std::uint32_t width, std::uint32_t height, int colourBits, int depthLabel) {
    return std::to_string(width) + " x " + std::to_string(height) + " x " +
           std::to_string(colourBits) + " (" + std::to_string(depthLabel) + "z)";
}

bool ListTextLess(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Folded(x) < Folded(y); });
}

ModeList ComposeModeList(const std::vector<AdapterMode>& modes, const DepthCheck& depthWorks,
                         const ModeChoice& savedMode, bool windowedChosen,
                         std::string_view windowedText) {
    ModeList list;
    // The selection follows its entry, not its index: entries inserted before it in sorted
    // order move it down, as they move the combo box's selection.
    std::optional<std::string> chosen;
    bool exactMatch = false;
    bool nearMatch = false;
    int depthBits = kFirstDepthBits;
    // The first candidate that works with each mode format: the answer is the same for every
    // mode of a format, and an adapter lists dozens of modes in a handful of formats, so each
    // format is asked about once.
    std::map<int, std::optional<DepthFormat>> depthOfFormat;
    const auto firstWorkingDepth = [&](int format) {
        const auto known = depthOfFormat.find(format);
        if (known != depthOfFormat.end())
            return known->second;
        std::optional<DepthFormat> found;
        for (DepthFormat candidate : kDepthCandidates) {
            if (depthWorks(format, candidate)) {
                found = candidate;
                break;
            }
        }
        depthOfFormat.emplace(format, found);
        return found;
    };

    for (const AdapterMode& mode : modes) {
        // Every enumerated mode takes its depth before the filter, so a mode that is not listed
        // still hands its depth on to the next one.
        int stencilBits = 0;
        if (const std::optional<DepthFormat> depth = firstWorkingDepth(mode.format)) {
            depthBits = DepthBitsOf(*depth);
            stencilBits = StencilBitsOf(*depth);
        }
        const int depthLabel = depthBits + stencilBits;

        // A format of unknown colour depth has no colour bits to list it under.
        const std::optional<int> colourBits = ColourBitsOf(mode.format);
        if (!colourBits || mode.width < kMinimumWidth || mode.height < kMinimumHeight ||
            mode.width > kMaxModeSide || mode.height > kMaxModeSide) {
            continue;
        }
        std::string label = ModeLabel(mode.width, mode.height, *colourBits, depthLabel);
        list.lastLabel = label;
        if (std::find(list.entries.begin(), list.entries.end(), label) != list.entries.end()) {
            continue;
        }
        InsertSorted(list.entries, label);

        if (windowedChosen || std::int64_t{mode.width} != savedMode.width ||
            std::int64_t{mode.height} != savedMode.height) {
            continue;
        }
        const bool sameColour = *colourBits == savedMode.colourBits;
        if (sameColour && depthLabel == savedMode.depthBits) {
            chosen = label;
            exactMatch = nearMatch = true;
        } else if (sameColour && !exactMatch) {
            chosen = label;
            nearMatch = true;
        } else if (!exactMatch && !nearMatch) {
            chosen = label;
        }
    }

    if (!list.entries.empty()) {
        InsertSorted(list.entries, windowedText);
        // Every mode label begins with a digit, so the word sorts last.
        if (windowedChosen)
            chosen = std::string(windowedText);
    }
    // Without a mode of the saved size the dialog stores the mode built last: the list shows it.
    if (!chosen)
        chosen = list.lastLabel;
    if (chosen) {
        const auto at = std::find(list.entries.begin(), list.entries.end(), *chosen);
        list.selected = static_cast<std::size_t>(at - list.entries.begin());
    }
    return list;
}

std::optional<ModeChoice> ParseModeLabel(std::string_view label) {
    std::string_view rest = label;
    const auto width = TakeNumber(rest);
    if (!width || !TakeText(rest, " x "))
        return std::nullopt;
    const auto height = TakeNumber(rest);
    if (!height || !TakeText(rest, " x "))
        return std::nullopt;
    const auto colourBits = TakeNumber(rest);
    if (!colourBits || !TakeText(rest, " ("))
        return std::nullopt;
    const auto depthBits = TakeNumber(rest);
    if (!depthBits || !TakeText(rest, "z)") || !rest.empty())
        return std::nullopt;
    return ModeChoice{*width, *height, *colourBits, *depthBits};
}

bool IsWindowedLabel(std::string_view text) {
    return text.empty() || text.front() < '0' || text.front() > '9';
}

std::optional<ModeChoice> ModeToSave(std::string_view modeText, bool windowedChosen) {
    if (windowedChosen)
        return ModeChoice{};
    return ParseModeLabel(modeText);
}
