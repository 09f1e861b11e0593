// Every window on a display of 144 DPI (150 %, as on most 4K desktops): the dialog manager lays
// the templates out half as large again, and the skin picture of the demo installation, scaled by
// the same 1.5, covers the whole client area, under every skinned button and label too. Only the
// controls that paint their own faces (combo boxes, check boxes) show anything else.
//
// Wine takes the DPI from LogPixels in HKCU\Control Panel\Desktop when a program starts: the
// programs started after the value is written run at 144 DPI, with no new Wine server; the
// driver, started before, sees their windows in the screen's pixels as it is per-monitor aware.

#include <cstdint>
#include <set>

#include "e2e/product_fixture.h"
#include "e2e/support/picture.h"
#include "skin/skin_picture.h"
#include "skin/skin_scaling.h"

namespace e2e {
namespace {

constexpr int kDpi = 144;
constexpr const char* kDesktopKey = "Control Panel\\Desktop";
constexpr int kColour3dFace = 15;  // COLOR_3DFACE: the plain dialog background

class ScaledDisplayTest : public ProductTest {
  protected:
    void SetUp() override {
        ProductTest::SetUp();
        if (HasFatalFailure())
            return;
        previousDpi_ =
            driver_->ReadRegistryValue(RegistryRoot::CurrentUser, kDesktopKey, "LogPixels");
        ASSERT_TRUE(
            driver_->SetRegistryNumber(RegistryRoot::CurrentUser, kDesktopKey, "LogPixels", kDpi))
            << driver_->LastError();
        dpiSet_ = true;
    }

    // The tests share one Wine prefix: the DPI goes back to what it was.
    void TearDown() override {
        programs_.reset();
        if (dpiSet_ && previousDpi_) {
            driver_->SetRegistryNumber(RegistryRoot::CurrentUser, kDesktopKey, "LogPixels",
                                       static_cast<std::uint32_t>(std::stoul(previousDpi_->text)));
        } else if (dpiSet_) {
            driver_->DeleteRegistryValue(RegistryRoot::CurrentUser, kDesktopKey, "LogPixels");
        }
        ProductTest::TearDown();
    }

    // The window's client area shows the installation's picture `pictureName` scaled for 144 DPI
    // wherever no control of `ownFaces` is: no pixel of the plain dialog colour where the picture
    // has another, and the picture's own pixels at the four corners of the client area and of
    // every skinned button, which draws its piece of the picture itself.
    void ExpectCoveredBySkin(const WindowInfo& window, const std::string& pictureName,
                             const std::set<int>& ownFaces) {
        const SkinPicture loaded = LoadSkinPicture(installation_->ConfigFile(pictureName).string());
        ASSERT_TRUE(loaded.Loaded());
        const std::optional<SkinPicture> scaled = ScaleSkinPicture(loaded, kDpi);
        ASSERT_TRUE(scaled);
        const auto expected = [&](int x, int y) -> std::optional<Colour> {
            if (x >= scaled->width || y >= scaled->height)
                return std::nullopt;
            const std::uint8_t* bgr =
                &scaled->rows[DibRowSize(scaled->width) * (scaled->height - 1 - y) + 3 * x];
            return Colour{bgr[2], bgr[1], bgr[0]};
        };
        const std::optional<Colour> plain = driver_->SystemColour(kColour3dFace);
        ASSERT_TRUE(plain) << driver_->LastError();
        std::vector<PixelArea> faces;
        std::vector<PixelArea> corners = {{0, 0, 0, 0}};  // the client area's, once known
        for (const ControlInfo& control : driver_->Controls(window.handle)) {
            if (ownFaces.count(control.id)) {
                faces.push_back(control.area);
            } else if (control.visible && control.className == "Button") {
                corners.push_back(control.area);
            }
        }
        ASSERT_EQ(faces.size(), ownFaces.size());
        const auto onAFace = [&](int x, int y) {
            for (const PixelArea& area : faces) {
                if (x >= area.left && x < area.left + area.width && y >= area.top &&
                    y < area.top + area.height) {
                    return true;
                }
            }
            return false;
        };

        const std::optional<Picture> shot = ScreenshotWithoutTooltips(window);
        ASSERT_TRUE(shot) << driver_->LastError();
        int plainPixels = 0;
        std::string first;
        for (int y = 0; y < shot->Height(); ++y) {
            for (int x = 0; x < shot->Width(); ++x) {
                if (onAFace(x, y) || shot->Pixel(x, y) != *plain || expected(x, y) == plain)
                    continue;
                if (plainPixels++ == 0)
                    first = std::to_string(x) + "," + std::to_string(y);
            }
        }
        EXPECT_EQ(plainPixels, 0) << "plain background where the skin belongs, first at " << first
                                  << ", in a client area of " << shot->Width() << " x "
                                  << shot->Height();
        corners.front() = {0, 0, shot->Width(), shot->Height()};
        for (const PixelArea& area : corners) {
            for (int y : {area.top, area.top + area.height - 1}) {
                for (int x : {area.left, area.left + area.width - 1})
                    EXPECT_EQ(shot->Pixel(x, y), expected(x, y)) << "corner " << x << "," << y;
            }
        }
    }

    // The client area while its program shows no tooltip. The pointer may rest on a control:
    // a tooltip then covers part of the window until it times out, a few seconds later.
    std::optional<Picture> ScreenshotWithoutTooltips(const WindowInfo& window) {
        const auto tooltipShown = [&] {
            for (const WindowInfo& shown : driver_->TopLevelWindows()) {
                if (shown.processId == window.processId && shown.className == "tooltips_class32")
                    return true;
            }
            return false;
        };
        const std::filesystem::path file = shots_.Path() / "shot.bmp";
        std::optional<Picture> shot;
        WaitUntil([&] {
            shot.reset();
            if (tooltipShown() || !driver_->SaveClientArea(window.handle, file) || tooltipShown())
                return false;
            shot = Picture::Load(file.string());
            return shot.has_value();
        });
        return shot;
    }

    std::optional<RegistryText> previousDpi_;
    bool dpiSet_ = false;
    TemporaryFolder shots_;
};

TEST_F(ScaledDisplayTest, LauncherIsCoveredByItsScaledPicture) {
    Start("TavrinConfig.exe");
    const std::optional<WindowInfo> launcher = driver_->FindWindow(kLauncherTitle);
    ASSERT_TRUE(launcher) << driver_->LastError();
    ExpectCoveredBySkin(*launcher, "lbg.sar", {});
}

TEST_F(ScaledDisplayTest, GraphicsSetupIsCoveredByItsScaledPicture) {
    const std::optional<WindowInfo> dialog =
        OpenSetup("graphics", 0, kGraphicsTitle, kSlowWindowWait);
    ASSERT_TRUE(dialog) << driver_->LastError();
    ExpectCoveredBySkin(
        *dialog, "vbg.sar",
        {IDC_GRAPHICS_DRIVER_LIST, IDC_RESOLUTION_LIST, IDC_COMPATIBILITY_MODE, IDC_HIGH_DETAIL});
}

TEST_F(ScaledDisplayTest, AudioSetupIsCoveredByItsScaledPicture) {
    const std::optional<WindowInfo> dialog = OpenSetup("sound", 0, kAudioTitle);
    ASSERT_TRUE(dialog) << driver_->LastError();
    ExpectCoveredBySkin(*dialog, "abg.sar", {IDC_SOUND_DRIVER_LIST});
}

TEST_F(ScaledDisplayTest, ControlSetupIsCoveredByItsScaledPicture) {
    const std::optional<WindowInfo> dialog = OpenSetup("control", 0, kControlTitle);
    ASSERT_TRUE(dialog) << driver_->LastError();
    ExpectCoveredBySkin(*dialog, "cbg.sar", {IDC_CONTROLLER_LIST});
}

}  // namespace
}  // namespace e2e
