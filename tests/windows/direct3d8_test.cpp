// What the graphics setup learns from the real Direct3D 8: adapters, display modes and depth
// formats. Under Wine on a virtual X screen there is one adapter whose modes include the screen's
// own size; on Windows the machine's adapters answer the same questions.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "setup/display_modes.h"
#include "setup/win/direct3d8.h"

namespace {

// COM objects end through Release, never through a pointer to their interface, which has no
// virtual destructor by design.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

// A Direct3D object with two adapters that remembers the flags it was asked to describe them
// with; every other question is refused. The test owns it: its reference count never deletes it.
class RecordingDirect3D : public IDirect3D8 {
  public:
    std::vector<DWORD> identifierFlags;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }
    HRESULT STDMETHODCALLTYPE RegisterSoftwareDevice(void*) override { return E_NOTIMPL; }
    UINT STDMETHODCALLTYPE GetAdapterCount() override { return 2; }
    HRESULT STDMETHODCALLTYPE GetAdapterIdentifier(UINT, DWORD flags,
                                                   D3DADAPTER_IDENTIFIER8* identifier) override {
        identifierFlags.push_back(flags);
        *identifier = {};
        std::strcpy(identifier->Description, "Recording adapter");
        return D3D_OK;
    }
    UINT STDMETHODCALLTYPE GetAdapterModeCount(UINT) override { return 0; }
    HRESULT STDMETHODCALLTYPE EnumAdapterModes(UINT, UINT, D3DDISPLAYMODE*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetAdapterDisplayMode(UINT, D3DDISPLAYMODE*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CheckDeviceType(UINT, D3DDEVTYPE, D3DFORMAT, D3DFORMAT,
                                              WINBOOL) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CheckDeviceFormat(UINT, D3DDEVTYPE, D3DFORMAT, DWORD, D3DRESOURCETYPE,
                                                D3DFORMAT) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CheckDeviceMultiSampleType(UINT, D3DDEVTYPE, D3DFORMAT, WINBOOL,
                                                         D3DMULTISAMPLE_TYPE) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CheckDepthStencilMatch(UINT, D3DDEVTYPE, D3DFORMAT, D3DFORMAT,
                                                     D3DFORMAT) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetDeviceCaps(UINT, D3DDEVTYPE, D3DCAPS8*) override {
        return E_NOTIMPL;
    }
    HMONITOR STDMETHODCALLTYPE GetAdapterMonitor(UINT) override { return nullptr; }
    HRESULT STDMETHODCALLTYPE CreateDevice(UINT, D3DDEVTYPE, HWND, DWORD, D3DPRESENT_PARAMETERS*,
                                           IDirect3DDevice8**) override {
        return E_NOTIMPL;
    }

  private:
    ULONG references_ = 1;  // the test's own
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

// The driver's signature check can take a second or two per adapter on Windows, and the dialog
// never shows its answer: the adapters are described without it.
TEST(Direct3D8Adapters, AreDescribedWithoutCheckingTheDriversSignature) {
    RecordingDirect3D recording;
    {
        const Direct3D8 direct3d{Microsoft::WRL::ComPtr<IDirect3D8>(&recording)};
        EXPECT_EQ(direct3d.Adapters().size(), 2u);
    }
    EXPECT_EQ(recording.identifierFlags,
              (std::vector<DWORD>{D3DENUM_NO_WHQL_LEVEL, D3DENUM_NO_WHQL_LEVEL}));
}

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
