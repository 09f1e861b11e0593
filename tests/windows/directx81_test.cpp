// The launcher's DirectX 8.1 test: the Windows version first, the DirectPlay NAT helper only on a
// Windows older than XP. Wine's ntdll answers RtlGetVersion as a current Windows does.

#include <gtest/gtest.h>

#include <optional>

#include "launcher/win/directx81.h"

namespace {

constexpr const wchar_t* kMissingHelper = L"tavrin_no_such_helper.dll";
constexpr const wchar_t* kLoadingHelper = L"kernel32.dll";

TEST(DirectX81, IncludedFromWindowsXpOnAndLookedForByItsHelperBefore) {
    struct Case {
        const char* system;
        std::optional<WindowsVersion> version;
        const wchar_t* helper;
        bool present;
    };
    const Case cases[] = {
        {"Windows 11 without DirectPlay", WindowsVersion{10, 0}, kMissingHelper, true},
        {"Windows 8 without DirectPlay", WindowsVersion{6, 2}, kMissingHelper, true},
        {"Windows XP", WindowsVersion{5, 1}, kMissingHelper, true},
        {"Windows 2000 without the helper", WindowsVersion{5, 0}, kMissingHelper, false},
        {"Windows 2000 with the helper", WindowsVersion{5, 0}, kLoadingHelper, true},
        {"Windows 98 without the helper", WindowsVersion{4, 10}, kMissingHelper, false},
        {"an unknown Windows without the helper", std::nullopt, kMissingHelper, false},
        {"an unknown Windows with the helper", std::nullopt, kLoadingHelper, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DirectX81Present(c.version, c.helper), c.present) << c.system;
    }
}

TEST(DirectX81, TheRunningWindowsIsKnownAndHasIt) {
    const std::optional<WindowsVersion> version = RunningWindowsVersion();
    ASSERT_TRUE(version.has_value());
    EXPECT_GE(version->major, 5u);
    EXPECT_TRUE(DirectX81Present(version, kMissingHelper));
}

}  // namespace
