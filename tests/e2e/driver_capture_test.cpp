// The driver's pictures of a client area: what the target paints lands at the right place, the
// right way up, in the BMP file and in single pixels alike.

#include "e2e/driver_target_fixture.h"
#include "e2e/support/files.h"
#include "e2e/support/picture.h"

namespace e2e {
namespace {

constexpr Colour kRed{255, 0, 0};
constexpr Colour kBlue{0, 0, 255};

struct Point {
    int x;
    int y;
};

// The four corner pixels of a painted rectangle.
std::vector<Point> Corners(int left, int top) {
    const int right = left + TARGET_RECT_WIDTH - 1;
    const int bottom = top + TARGET_RECT_HEIGHT - 1;
    return {{left, top}, {right, top}, {left, bottom}, {right, bottom}};
}

// The pixels just outside those corners, diagonally.
std::vector<Point> JustOutside(int left, int top) {
    const int right = left + TARGET_RECT_WIDTH;
    const int bottom = top + TARGET_RECT_HEIGHT;
    return {{left - 1, top - 1}, {right, top - 1}, {left - 1, bottom}, {right, bottom}};
}

class DriverCaptureTest : public DriverTargetTest {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(DriverTargetTest::SetUp());
        // The window is found as soon as it exists; its picture comes a moment later.
        ASSERT_TRUE(WaitUntil([&] {
            return driver_->ClientPixel(dialog_.handle, TARGET_BLUE_LEFT, TARGET_BLUE_TOP) == kBlue;
        })) << "the target never showed its blue rectangle";
    }
};

TEST_F(DriverCaptureTest, ScreenshotHasTheRectanglesWhereTheDialogPaintsThem) {
    const TemporaryFolder folder;
    const auto path = folder.Path() / "target.bmp";
    const std::optional<PixelSize> saved = driver_->SaveClientArea(dialog_.handle, path);
    ASSERT_TRUE(saved) << driver_->LastError();
    const std::optional<PixelSize> client = driver_->ClientSize(dialog_.handle);
    ASSERT_TRUE(client);
    ASSERT_GT(client->width, TARGET_RED_LEFT + TARGET_RECT_WIDTH);
    ASSERT_GT(client->height, TARGET_BLUE_TOP + TARGET_RECT_HEIGHT);

    const std::optional<Picture> picture = Picture::Load(path.string());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Width(), client->width);
    EXPECT_EQ(picture->Height(), client->height);
    EXPECT_EQ(saved->width, client->width);
    EXPECT_EQ(saved->height, client->height);

    for (const Point point : Corners(TARGET_RED_LEFT, TARGET_RED_TOP)) {
        EXPECT_EQ(picture->Pixel(point.x, point.y), kRed) << point.x << ", " << point.y;
    }
    for (const Point point : Corners(TARGET_BLUE_LEFT, TARGET_BLUE_TOP)) {
        EXPECT_EQ(picture->Pixel(point.x, point.y), kBlue) << point.x << ", " << point.y;
    }
    const Colour background = picture->Pixel(TARGET_RED_LEFT - 1, TARGET_RED_TOP - 1);
    EXPECT_NE(background, kRed);
    EXPECT_NE(background, kBlue);
    for (const Point point : JustOutside(TARGET_RED_LEFT, TARGET_RED_TOP)) {
        EXPECT_EQ(picture->Pixel(point.x, point.y), background) << point.x << ", " << point.y;
    }
    for (const Point point : JustOutside(TARGET_BLUE_LEFT, TARGET_BLUE_TOP)) {
        EXPECT_EQ(picture->Pixel(point.x, point.y), background) << point.x << ", " << point.y;
    }
}

TEST_F(DriverCaptureTest, SinglePixelsMatchTheScreenshot) {
    const TemporaryFolder folder;
    const auto path = folder.Path() / "target.bmp";
    ASSERT_TRUE(driver_->SaveClientArea(dialog_.handle, path)) << driver_->LastError();
    const std::optional<Picture> picture = Picture::Load(path.string());
    ASSERT_TRUE(picture);

    const Point points[] = {{TARGET_RED_LEFT, TARGET_RED_TOP},
                            {TARGET_BLUE_LEFT + 5, TARGET_BLUE_TOP + 5},
                            {0, 0},
                            {picture->Width() - 1, picture->Height() - 1}};
    for (const Point point : points) {
        EXPECT_EQ(driver_->ClientPixel(dialog_.handle, point.x, point.y),
                  picture->Pixel(point.x, point.y))
            << point.x << ", " << point.y;
    }
}

TEST_F(DriverCaptureTest, WaitsForTheWindowThatShowsAColourAtAPoint) {
    const std::optional<WindowInfo> painted =
        driver_->WaitPainted(kTargetTitle, TARGET_BLUE_LEFT, TARGET_BLUE_TOP, kBlue);
    ASSERT_TRUE(painted) << driver_->LastError();
    EXPECT_EQ(painted->handle, dialog_.handle);
    // Another colour at that point, or the colour under another title, is not the window.
    EXPECT_FALSE(driver_->WaitPainted(kTargetTitle, TARGET_BLUE_LEFT, TARGET_BLUE_TOP, kRed,
                                      Milliseconds{0}));
    EXPECT_FALSE(driver_->WaitPainted("Driver Targe", TARGET_BLUE_LEFT, TARGET_BLUE_TOP, kBlue,
                                      Milliseconds{0}));
}

TEST_F(DriverCaptureTest, PixelsOutsideTheClientAreaAreRefused) {
    const std::optional<PixelSize> client = driver_->ClientSize(dialog_.handle);
    ASSERT_TRUE(client);
    EXPECT_FALSE(driver_->ClientPixel(dialog_.handle, client->width, 0));
    EXPECT_FALSE(driver_->ClientPixel(dialog_.handle, 0, -1));
    EXPECT_NE(driver_->LastError().find("outside"), std::string::npos) << driver_->LastError();
}

TEST_F(DriverCaptureTest, PushedButtonLooksDifferent) {
    const std::optional<ControlInfo> button = driver_->Control(dialog_.handle, IDC_TARGET_ENABLED);
    ASSERT_TRUE(button);
    const TemporaryFolder folder;
    const auto picturesOfButton = [&](const char* name) {
        const auto path = folder.Path() / name;
        EXPECT_TRUE(driver_->SaveClientArea(dialog_.handle, path)) << driver_->LastError();
        return Picture::Load(path.string());
    };
    const auto differs = [&](const Picture& a, const Picture& b) {
        for (int y = 0; y < button->area.height; ++y) {
            for (int x = 0; x < button->area.width; ++x) {
                const int px = button->area.left + x;
                const int py = button->area.top + y;
                if (a.Pixel(px, py) != b.Pixel(px, py))
                    return true;
            }
        }
        return false;
    };
    const std::optional<Picture> released = picturesOfButton("released.bmp");
    ASSERT_TRUE(released);

    ASSERT_TRUE(driver_->SetPushed(dialog_.handle, IDC_TARGET_ENABLED, true));
    // The new look reaches the screen shortly after the button has drawn it.
    std::optional<Picture> pushed;
    EXPECT_TRUE(WaitUntil([&] {
        pushed = picturesOfButton("pushed.bmp");
        return pushed && differs(*released, *pushed);
    }));

    ASSERT_TRUE(driver_->SetPushed(dialog_.handle, IDC_TARGET_ENABLED, false));
    EXPECT_TRUE(WaitUntil([&] {
        const std::optional<Picture> again = picturesOfButton("again.bmp");
        return again && !differs(*released, *again);
    }));
}

}  // namespace
}  // namespace e2e
