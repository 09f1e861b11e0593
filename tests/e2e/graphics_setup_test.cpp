// The graphics setup dialog under Wine, whose Direct3D 8 reports one adapter and the modes of
// the Xvfb screen (1280 x 1024, see scripts/lib/wine-env.sh).

#include <algorithm>

#include "e2e/product_fixture.h"
#include "setup/display_modes.h"
#include "support/settings_builder.h"

namespace e2e {
namespace {

using Bytes = std::vector<std::uint8_t>;

class GraphicsSetupTest : public ProductTest {
  protected:
    std::optional<WindowInfo> Open() {
        return OpenSetup("graphics", 0, kGraphicsTitle, kSlowWindowWait);
    }

    std::optional<ControlInfo> Resolutions(const WindowInfo& dialog) {
        return driver_->Control(dialog.handle, IDC_RESOLUTION_LIST);
    }

    static int IndexOf(const ControlInfo& list, const std::string& text) {
        const auto found = std::find(list.items.begin(), list.items.end(), text);
        return found == list.items.end() ? -1 : static_cast<int>(found - list.items.begin());
    }
};

TEST_F(GraphicsSetupTest, ListsTheAdapterAndTheModesOfTheScreenWithWindowedLast) {
    const std::optional<WindowInfo> dialog = Open();
    ASSERT_TRUE(dialog) << driver_->LastError();
    const std::optional<ControlInfo> drivers =
        driver_->Control(dialog->handle, IDC_GRAPHICS_DRIVER_LIST);
    ASSERT_TRUE(drivers);
    ASSERT_EQ(drivers->items.size(), 1u);
    EXPECT_FALSE(drivers->items[0].empty());
    EXPECT_EQ(drivers->selection, 0);

    const std::optional<ControlInfo> modes = Resolutions(*dialog);
    ASSERT_TRUE(modes);
    ASSERT_GE(modes->items.size(), 2u);
    EXPECT_EQ(modes->items.back(), "Windowed");
    EXPECT_TRUE(std::any_of(modes->items.begin(), modes->items.end(), [](const std::string& item) {
        return item.rfind("1280 x 1024 x 32 (", 0) == 0;
    }));
    EXPECT_TRUE(std::is_sorted(modes->items.begin(), modes->items.end() - 1));

    // A fresh start: High Detail ticked, Compatibility Mode clear.
    EXPECT_EQ(driver_->Control(dialog->handle, IDC_HIGH_DETAIL)->check, 1);
    EXPECT_EQ(driver_->Control(dialog->handle, IDC_COMPATIBILITY_MODE)->check, 0);

    // The screen has no 640 x 480: the list shows the mode that OK stores without a choice.
    ASSERT_GE(modes->selection, 0);
    const std::string shown = modes->items[static_cast<std::size_t>(modes->selection)];
    EXPECT_EQ(modes->text, shown);
    EXPECT_TRUE(Accept(*dialog));
    const std::optional<Bytes> stored = installation_->Settings();
    ASSERT_TRUE(stored);
    EXPECT_EQ(ModeLabel(GetLittleEndian32(*stored, 36), GetLittleEndian32(*stored, 40),
                        static_cast<int>(GetLittleEndian32(*stored, 48)),
                        static_cast<int>(GetLittleEndian32(*stored, 44))),
              shown);
}

TEST_F(GraphicsSetupTest, OkStoresTheChosenModeAdapterAndSwitchesAndNothingElse) {
    const Bytes before = DistinctSettingsBytes(0);
    Bytes withoutAdapter = before;
    std::fill(withoutAdapter.begin() + 20, withoutAdapter.begin() + 36, 0);  // no graphics saved
    ASSERT_TRUE(installation_->WriteSettings(withoutAdapter));

    const std::optional<WindowInfo> dialog = Open();
    ASSERT_TRUE(dialog) << driver_->LastError();
    const std::optional<ControlInfo> modes = Resolutions(*dialog);
    ASSERT_TRUE(modes);
    const auto chosen = std::find_if(
        modes->items.begin(), modes->items.end(),
        [](const std::string& item) { return item.rfind("1280 x 1024 x 32 (", 0) == 0; });
    ASSERT_NE(chosen, modes->items.end());
    ASSERT_TRUE(Handled(driver_->SelectComboItem(dialog->handle, IDC_RESOLUTION_LIST,
                                                 static_cast<int>(chosen - modes->items.begin()))));
    ASSERT_TRUE(Handled(driver_->SetCheck(dialog->handle, IDC_COMPATIBILITY_MODE, 1)));
    ASSERT_TRUE(Handled(driver_->SetCheck(dialog->handle, IDC_HIGH_DETAIL, 0)));
    EXPECT_TRUE(Accept(*dialog));

    const std::optional<Bytes> after = installation_->Settings();
    ASSERT_TRUE(after);
    ASSERT_EQ(after->size(), 172u);
    EXPECT_NE(Bytes(after->begin() + 20, after->begin() + 36), Bytes(16, 0));  // the adapter
    EXPECT_EQ(GetLittleEndian32(*after, 36), 1280u);
    EXPECT_EQ(GetLittleEndian32(*after, 40), 1024u);
    const int depth = std::stoi(chosen->substr(chosen->find('(') + 1));
    EXPECT_EQ(GetLittleEndian32(*after, 44), static_cast<std::uint32_t>(depth));
    EXPECT_EQ(GetLittleEndian32(*after, 48), 32u);
    EXPECT_EQ(GetLittleEndian32(*after, 52), 0u);  // not windowed
    EXPECT_EQ(GetLittleEndian32(*after, 56), 1u);  // compatibility mode
    EXPECT_EQ(GetLittleEndian32(*after, 60), 0u);  // high detail
    // Everything before the adapter and after the switches is as it was.
    EXPECT_EQ(Bytes(after->begin(), after->begin() + 20),
              Bytes(before.begin(), before.begin() + 20));
    EXPECT_EQ(Bytes(after->begin() + 64, after->end()), Bytes(before.begin() + 64, before.end()));
}

TEST_F(GraphicsSetupTest, WindowedIsStoredAsZerosAndChosenAgainOnTheNextStart) {
    std::optional<WindowInfo> dialog = Open();
    ASSERT_TRUE(dialog) << driver_->LastError();
    std::optional<ControlInfo> modes = Resolutions(*dialog);
    ASSERT_TRUE(modes);
    ASSERT_TRUE(Handled(driver_->SelectComboItem(dialog->handle, IDC_RESOLUTION_LIST,
                                                 static_cast<int>(modes->items.size()) - 1)));
    EXPECT_TRUE(Accept(*dialog));
    const std::optional<Bytes> saved = installation_->Settings();
    ASSERT_TRUE(saved);
    for (std::size_t offset : {36, 40, 44, 48})
        EXPECT_EQ(GetLittleEndian32(*saved, offset), 0u) << offset;
    EXPECT_EQ(GetLittleEndian32(*saved, 52), 1u);

    dialog = Open();
    ASSERT_TRUE(dialog) << driver_->LastError();
    modes = Resolutions(*dialog);
    ASSERT_TRUE(modes);
    EXPECT_EQ(modes->selection, static_cast<int>(modes->items.size()) - 1);
    EXPECT_EQ(modes->text, "Windowed");
}

// A driver change rebuilds the resolution list, pre-selecting the saved mode, and takes the entry
// the list then shows: OK stores what the player sees, not the last mode the rebuild composed
// (under Wine the 16-bit mode of the screen; the saved one is its 32-bit mode).
TEST_F(GraphicsSetupTest, DriverChangeTakesTheResolutionTheListShows) {
    Bytes saved = DistinctSettingsBytes(0);                // with an adapter, so the mode counts
    const std::uint32_t mode[] = {1280, 1024, 32, 32, 0};  // size, depth, colour, not windowed
    for (std::size_t i = 0; i < std::size(mode); ++i)
        PutLittleEndian32(saved, 36 + 4 * i, mode[i]);
    ASSERT_TRUE(installation_->WriteSettings(saved));
    const std::optional<WindowInfo> dialog = Open();
    ASSERT_TRUE(dialog) << driver_->LastError();
    ASSERT_TRUE(Handled(driver_->SelectComboItem(dialog->handle, IDC_GRAPHICS_DRIVER_LIST, 0)));
    EXPECT_EQ(Resolutions(*dialog)->text, "1280 x 1024 x 32 (32z)");
    EXPECT_TRUE(Accept(*dialog));

    const std::optional<Bytes> stored = installation_->Settings();
    ASSERT_TRUE(stored);
    for (std::size_t i = 0; i < std::size(mode); ++i)
        EXPECT_EQ(GetLittleEndian32(*stored, 36 + 4 * i), mode[i]) << "field at " << 36 + 4 * i;
}

TEST_F(GraphicsSetupTest, CancelWritesNothing) {
    const Bytes before = DistinctSettingsBytes(0);
    ASSERT_TRUE(installation_->WriteSettings(before));
    const std::optional<WindowInfo> dialog = Open();
    ASSERT_TRUE(dialog) << driver_->LastError();
    ASSERT_TRUE(Handled(driver_->SetCheck(dialog->handle, IDC_COMPATIBILITY_MODE, 1)));
    EXPECT_TRUE(Handled(driver_->Click(dialog->handle, kIdCancel)));
    EXPECT_TRUE(Ended(*setup_));
    EXPECT_EQ(installation_->Settings(), before);
}

TEST_F(GraphicsSetupTest, OutdatedFileIsReportedAndTheFallbacksApply) {
    Bytes outdated = DistinctSettingsBytes(0);
    PutLittleEndian32(outdated, 0, 0x40000000);
    PutLittleEndian32(outdated, 52, 1);  // windowed, if it were believed
    PutLittleEndian32(outdated, 60, 0);  // no high detail, if it were believed
    ASSERT_TRUE(installation_->WriteSettings(outdated));
    setup_ = &Start("Config.exe", {"graphics", "0"});
    const std::optional<MessageBoxInfo> box = driver_->FindMessageBox(0, kSlowWindowWait);
    ASSERT_TRUE(box) << driver_->LastError();
    EXPECT_EQ(box->text, "The tavrin.dat file is out of date or corrupt. Using defaults");
    EXPECT_TRUE(Handled(driver_->AnswerMessageBox(box->window.handle, kIdOk)));

    const std::optional<WindowInfo> dialog = driver_->FindWindow(kGraphicsTitle, kSlowWindowWait);
    ASSERT_TRUE(dialog) << driver_->LastError();
    ASSERT_TRUE(Ready(*dialog));
    EXPECT_EQ(driver_->Control(dialog->handle, IDC_HIGH_DETAIL)->check, 1);
    EXPECT_EQ(driver_->Control(dialog->handle, IDC_COMPATIBILITY_MODE)->check, 0);
    EXPECT_NE(Resolutions(*dialog)->text, "Windowed");
}

// The dialog shows first; the message comes over it when Direct3D cannot be made.
TEST_F(GraphicsSetupTest, WithoutDirect3DTheErrorIsShownOverTheDialogAndTheProcessEnds) {
    const Bytes before = DistinctSettingsBytes(0);
    ASSERT_TRUE(installation_->WriteSettings(before));
    setup_ = &programs_->Start(installation_->File("Config.exe"), {"graphics", "0"},
                               installation_->Folder(),
                               {{"WINEDLLOVERRIDES", "mscoree,mshtml=;d3d8=d"}});
    const std::optional<MessageBoxInfo> box = driver_->FindMessageBox(0, kSlowWindowWait);
    ASSERT_TRUE(box) << driver_->LastError();
    EXPECT_TRUE(driver_->FindWindow(kGraphicsTitle, Milliseconds{0})) << driver_->LastError();
    EXPECT_EQ(box->window.title, "Tavrin Error");
    EXPECT_EQ(box->text, "Error creating D3D object. Try re-installing DirectX");
    EXPECT_EQ(box->buttons.size(), 2u);
    EXPECT_TRUE(Handled(driver_->AnswerMessageBox(box->window.handle, kIdOk)));
    EXPECT_TRUE(Ended(*setup_));
    EXPECT_EQ(installation_->Settings(), before);
}

}  // namespace
}  // namespace e2e
