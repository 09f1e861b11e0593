// What the graphics setup learns from the real Direct3D 8: adapters, display modes and depth
// formats. Under Wine on a virtual X screen there is one adapter whose modes include the screen's
// own size; on Windows the machine's adapters answer the same questions.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "setup/display_modes.h"
#include "setup/win/direct3d8.h"

namespace {

struct ScreenSize {
    std::uint32_t width;
    std::uint32_t height;
};

ScreenSize PrimaryScreen() {
    return {static_cast<std::uint32_t>(GetSystemMetrics(SM_CXSCREEN)),
            static_cast<std::uint32_t>(GetSystemMetrics(SM_CYSCREEN))};
}

bool HasSize(const AdapterMode& mode, ScreenSize size) {
    return mode.width == size.width && mode.height == size.height;
}

// The first mode of the primary adapter with 32 colour bits; none when it has no such mode.
std::optional<AdapterMode> First32BitMode(const std::vector<AdapterMode>& modes) {
    const auto found = std::find_if(modes.begin(), modes.end(), [](const AdapterMode& mode) {
        return ColourBitsOf(mode.format) == 32;
    });
    if (found == modes.end())
        return std::nullopt;
    return *found;
}

class Direct3D8Test : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(direct3d.Create()) << "d3d8.dll or its object is missing"; }

    Direct3D8 direct3d;
};

TEST_F(Direct3D8Test, ListsDescribedAdaptersInAdapterOrder) {
    const std::vector<Direct3DAdapter> adapters = direct3d.Adapters();
    ASSERT_FALSE(adapters.empty());
    for (std::size_t index = 0; index < adapters.size(); ++index) {
        EXPECT_FALSE(adapters[index].description.empty()) << "adapter " << index;
        if (index > 0) {
            EXPECT_GT(adapters[index].ordinal, adapters[index - 1].ordinal);
        }
    }
    EXPECT_EQ(adapters.front().ordinal, 0u);
}

TEST_F(Direct3D8Test, PrimaryAdapterOffersTheScreensSize) {
    const ScreenSize screen = PrimaryScreen();
    const std::vector<AdapterMode> modes = direct3d.Modes(0);
    ASSERT_FALSE(modes.empty());
    EXPECT_TRUE(std::any_of(modes.begin(), modes.end(),
                            [&](const AdapterMode& mode) { return HasSize(mode, screen); }))
        << "no mode of " << screen.width << " x " << screen.height;
}

TEST_F(Direct3D8Test, AnUnknownAdapterHasNoModes) {
    const UINT pastTheLast = static_cast<UINT>(direct3d.Adapters().size()) + 5;
    EXPECT_TRUE(direct3d.Modes(pastTheLast).empty());
    EXPECT_FALSE(direct3d.DepthWorks(pastTheLast, kFormatX8R8G8B8, DepthFormat::D16));
}

TEST_F(Direct3D8Test, SomeDepthFormatGoesWithA32BitMode) {
    const std::optional<AdapterMode> mode = First32BitMode(direct3d.Modes(0));
    ASSERT_TRUE(mode.has_value()) << "the primary adapter lists no 32-bit mode";
    const DepthCheck depthWorks = direct3d.DepthCheckFor(0);
    EXPECT_TRUE(
        std::any_of(kDepthCandidates.begin(), kDepthCandidates.end(),
                    [&](DepthFormat candidate) { return depthWorks(mode->format, candidate); }));
}

TEST_F(Direct3D8Test, ReleasedObjectAnswersNothingAndCanBeMadeAgain) {
    direct3d.Release();
    EXPECT_FALSE(direct3d);
    EXPECT_TRUE(direct3d.Adapters().empty());
    EXPECT_TRUE(direct3d.Modes(0).empty());
    EXPECT_FALSE(direct3d.DepthCheckFor(0)(kFormatX8R8G8B8, DepthFormat::D16));

    ASSERT_TRUE(direct3d.Create());
    EXPECT_FALSE(direct3d.Adapters().empty());
}

// The resolution list the dialog shows, built from what the primary adapter reports: the screen's
// own size is listed at 32 bits, pre-selected when it is the saved choice, and "Windowed" ends it.
TEST_F(Direct3D8Test, ResolutionListFromTheRealAdapterListsTheScreen) {
    const ScreenSize screen = PrimaryScreen();
    const ModeChoice saved{static_cast<std::int32_t>(screen.width),
                           static_cast<std::int32_t>(screen.height), 32, 32};
    const ModeList list =
        ComposeModeList(direct3d.Modes(0), direct3d.DepthCheckFor(0), saved, false, "Windowed");

    const std::string prefix =
        std::to_string(screen.width) + " x " + std::to_string(screen.height) + " x 32 (";
    const auto screenEntry =
        std::find_if(list.entries.begin(), list.entries.end(),
                     [&](const std::string& entry) { return entry.starts_with(prefix); });
    ASSERT_NE(screenEntry, list.entries.end()) << "no entry begins with \"" << prefix << "\"";
    ASSERT_TRUE(list.selected.has_value());
    EXPECT_TRUE(list.entries[*list.selected].starts_with(prefix)) << list.entries[*list.selected];
    EXPECT_EQ(list.entries.back(), "Windowed");
    // Every label the list shows reads back into the numbers OK stores.
    for (std::size_t index = 0; index + 1 < list.entries.size(); ++index) {
        EXPECT_TRUE(ParseModeLabel(list.entries[index]).has_value()) << list.entries[index];
    }
}

}  // namespace
