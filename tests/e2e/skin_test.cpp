// The skin on the screen: the picture behind the dialog and its buttons, transparent texts, the
// three button looks, and the plain background where there is no picture. Every check compares
// the screenshot with the picture file pixel by pixel: the test pictures are patterned so that a
// picture shifted by a single pixel no longer matches.

#include <functional>
#include <map>
#include <set>
#include <utility>

#include "e2e/product_fixture.h"
#include "e2e/support/picture.h"
#include "support/bmp_builder.h"

namespace e2e {
namespace {

constexpr Colour kBlack{0, 0, 0};
constexpr Colour kWhite{255, 255, 255};
constexpr Colour kDimGrey{105, 105, 105};

using Point = std::pair<int, int>;

// The colour the patterned picture has at client point (x, y): its rows are stored bottom first.
Colour PatternAt(int x, int y, int height) {
    std::uint8_t bgr[3];
    PatternPixel(x, height - 1 - y, bgr);
    return {bgr[2], bgr[1], bgr[0]};
}

class SkinTest : public ProductTest {
  protected:
    // Replaces a skin picture of the installation with a patterned one of this size.
    void UsePatternedPicture(const std::string& name, int width, int height) {
        pictureHeight_ = height;
        ASSERT_TRUE(
            WriteFileBytes(installation_->ConfigFile(name), BuildBmp(Patterned24(width, height))));
    }

    std::optional<Picture> Screenshot(const WindowInfo& window) {
        const std::filesystem::path file = shots_.Path() / "shot.bmp";
        if (!driver_->SaveClientArea(window.handle, file))
            return std::nullopt;
        return Picture::Load(file.string());
    }

    // The pixels of `area` that are not the picture's, by colour.
    std::map<std::string, std::set<Point>> Ink(const Picture& shot, const PixelArea& area) {
        std::map<std::string, std::set<Point>> ink;
        for (int y = area.top; y < area.top + area.height; ++y) {
            for (int x = area.left; x < area.left + area.width; ++x) {
                const Colour colour = shot.Pixel(x, y);
                if (colour == PatternAt(x, y, pictureHeight_))
                    continue;
                if (colour == kBlack) {
                    ink["black"].insert({x, y});
                } else if (colour == kWhite) {
                    ink["white"].insert({x, y});
                } else if (colour == kDimGrey) {
                    ink["grey"].insert({x, y});
                } else {
                    ink["other"].insert({x, y});
                }
            }
        }
        return ink;
    }

    TemporaryFolder shots_;
    int pictureHeight_ = 0;
};

TEST_F(SkinTest, PictureStartsAtTheClientOriginAndButtonsShowThePartBehindThem) {
    UsePatternedPicture("abg.sar", 480, 128);  // larger than the dialog: clipped
    const std::optional<WindowInfo> dialog = OpenSetup("sound", 0, kAudioTitle);
    ASSERT_TRUE(dialog) << driver_->LastError();
    const std::optional<Picture> shot = Screenshot(*dialog);
    ASSERT_TRUE(shot);

    // Points on no control: the dialog's own erase.
    for (const Point& p : {Point{0, 14}, Point{200, 65}, Point{370, 70}, Point{2, 60}}) {
        EXPECT_EQ(shot->Pixel(p.first, p.second), PatternAt(p.first, p.second, 128))
            << p.first << "," << p.second;
    }
    // The Test button: its piece of the picture, and its text in black on top.
    const std::optional<ControlInfo> test = driver_->Control(dialog->handle, IDC_TEST_SOUND);
    ASSERT_TRUE(test);
    auto ink = Ink(*shot, test->area);
    EXPECT_GT(ink["black"].size(), 10u);
    EXPECT_TRUE(ink["other"].empty()) << ink["other"].size() << " pixels neither picture nor text";
    EXPECT_TRUE(ink["white"].empty() && ink["grey"].empty());
}

TEST_F(SkinTest, PressedButtonShowsDimGreyTextUnderAWhiteCopyOnePixelRightAndDown) {
    UsePatternedPicture("abg.sar", 480, 128);
    const std::optional<WindowInfo> dialog = OpenSetup("sound", 0, kAudioTitle);
    ASSERT_TRUE(dialog) << driver_->LastError();
    const std::optional<ControlInfo> test = driver_->Control(dialog->handle, IDC_TEST_SOUND);
    ASSERT_TRUE(test);
    // A button that loses the focus while the dialog is still being activated lets go of its
    // pushed look: push it until the picture shows it pushed.
    std::map<std::string, std::set<Point>> ink;
    ASSERT_TRUE(WaitUntil([&] {
        if (!driver_->SetPushed(dialog->handle, IDC_TEST_SOUND, true))
            return false;
        const std::optional<Picture> shot = Screenshot(*dialog);
        if (!shot)
            return false;
        ink = Ink(*shot, test->area);
        return !ink["grey"].empty();
    })) << driver_->LastError();

    EXPECT_TRUE(ink["black"].empty());
    EXPECT_TRUE(ink["other"].empty());
    ASSERT_FALSE(ink["grey"].empty());
    ASSERT_FALSE(ink["white"].empty());
    // The white copy lies on top: every grey pixel has white one pixel right and down.
    for (const Point& p : ink["grey"]) {
        EXPECT_TRUE(ink["white"].count({p.first + 1, p.second + 1})) << p.first << "," << p.second;
    }
}

TEST_F(SkinTest, DisabledButtonShowsDimGreyTextOverAWhiteCopy) {
    // Without the game installed the launcher disables Play.
    UsePatternedPicture("lbg.sar", 704, 464);
    ASSERT_TRUE(installation_->RemoveKey());
    Start("TavrinConfig.exe");
    const std::optional<WindowInfo> launcher = driver_->FindWindow(kLauncherTitle);
    ASSERT_TRUE(launcher) << driver_->LastError();
    const std::optional<ControlInfo> play = driver_->Control(launcher->handle, IDC_PLAY);
    ASSERT_TRUE(play);
    ASSERT_FALSE(play->enabled);
    const std::optional<Picture> shot = Screenshot(*launcher);
    ASSERT_TRUE(shot);
    auto ink = Ink(*shot, play->area);

    EXPECT_TRUE(ink["black"].empty());
    EXPECT_TRUE(ink["other"].empty());
    ASSERT_FALSE(ink["grey"].empty());
    ASSERT_FALSE(ink["white"].empty());
    // The grey copy lies on top: every white pixel has grey one pixel left and up.
    for (const Point& p : ink["white"]) {
        EXPECT_TRUE(ink["grey"].count({p.first - 1, p.second - 1})) << p.first << "," << p.second;
    }
}

TEST_F(SkinTest, NarrowPictureIsNotSkewedAndLeavesThePlainBackgroundBesideAndBelow) {
    // 50 pixels wide: its rows are 150 bytes, not a multiple of 4.
    UsePatternedPicture("abg.sar", 50, 60);
    const std::optional<WindowInfo> dialog = OpenSetup("sound", 0, kAudioTitle);
    ASSERT_TRUE(dialog) << driver_->LastError();
    const std::optional<Picture> shot = Screenshot(*dialog);
    ASSERT_TRUE(shot);

    // Below the combo box and left of the Test button the whole width of the picture shows.
    for (int y = 40; y < 60; ++y) {
        for (int x = 0; x < 50; ++x) {
            ASSERT_EQ(shot->Pixel(x, y), PatternAt(x, y, 60)) << x << "," << y;
        }
    }
    const Colour plain = shot->Pixel(370, 70);
    for (const Point& p : {Point{55, 45}, Point{30, 70}, Point{200, 65}, Point{370, 8}}) {
        EXPECT_EQ(shot->Pixel(p.first, p.second), plain) << p.first << "," << p.second;
    }
    EXPECT_NE(plain, PatternAt(49, 59, 60));
}

TEST_F(SkinTest, WithoutThePictureTheDialogShowsThePlainBackgroundAndBlackTexts) {
    ASSERT_TRUE(RemoveFile(installation_->ConfigFile("abg.sar")));
    const std::optional<WindowInfo> dialog = OpenSetup("sound", 0, kAudioTitle);
    ASSERT_TRUE(dialog) << driver_->LastError();
    const std::optional<Picture> shot = Screenshot(*dialog);
    ASSERT_TRUE(shot);

    const Colour plain = shot->Pixel(370, 70);
    for (const Point& p : {Point{0, 14}, Point{200, 65}, Point{2, 60}}) {
        EXPECT_EQ(shot->Pixel(p.first, p.second), plain) << p.first << "," << p.second;
    }
    const std::optional<ControlInfo> test = driver_->Control(dialog->handle, IDC_TEST_SOUND);
    ASSERT_TRUE(test);
    int black = 0;
    for (int y = test->area.top; y < test->area.top + test->area.height; ++y) {
        for (int x = test->area.left; x < test->area.left + test->area.width; ++x) {
            const Colour colour = shot->Pixel(x, y);
            EXPECT_TRUE(colour == plain || colour == kBlack) << x << "," << y;
            black += colour == kBlack;
        }
    }
    EXPECT_GT(black, 10);
}

}  // namespace
}  // namespace e2e
