// The driver's registry values: written through the ANSI function in the 32-bit view, as the
// programs read them, and read back the same way.

#include "e2e/driver_target_fixture.h"

namespace e2e {
namespace {

constexpr std::uint32_t kRegSz = 1;
const std::string kKey = "Software\\Tavrin Driver Test";
const std::string kSubKey = kKey + "\\Nested";

class DriverRegistryTest : public DriverTest, public ::testing::WithParamInterface<RegistryRoot> {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(DriverTest::SetUp());
        ASSERT_TRUE(driver_->DeleteRegistryKey(GetParam(), kKey)) << driver_->LastError();
    }
    void TearDown() override {
        if (driver_)
            driver_->DeleteRegistryKey(GetParam(), kKey);
    }
};

TEST_P(DriverRegistryTest, TextIsReadBackWithItsTerminatorCounted) {
    // Tab, line feed and backslashes cross the line protocol escaped, both ways.
    const std::string text = "C:\\Games\\Tavrin\tTab\nLine";
    ASSERT_TRUE(driver_->SetRegistryText(GetParam(), kKey, "Location", text))
        << driver_->LastError();
    const std::optional<RegistryText> value =
        driver_->ReadRegistryValue(GetParam(), kKey, "Location");
    ASSERT_TRUE(value) << driver_->LastError();
    EXPECT_EQ(value->type, kRegSz);
    EXPECT_EQ(value->size, text.size() + 1);
    EXPECT_EQ(value->text, text);
}

TEST_P(DriverRegistryTest, AccentedTextIsStoredInTheAnsiCodePage) {
    ASSERT_TRUE(driver_->SetRegistryText(GetParam(), kKey, "Language", "Franz\xC3\xB6sisch"));
    const std::optional<RegistryText> value =
        driver_->ReadRegistryValue(GetParam(), kKey, "Language");
    ASSERT_TRUE(value) << driver_->LastError();
    EXPECT_EQ(value->size, 11u + 1u);  // one byte for the o with diaeresis in code page 1252
    EXPECT_EQ(value->text, "Franz\xC3\xB6sisch");
}

TEST_P(DriverRegistryTest, UnterminatedTextStoresNoZeroByte) {
    ASSERT_TRUE(driver_->SetRegistryText(GetParam(), kKey, "Location", "C:\\Tavrin",
                                         StoredSize::Unterminated()))
        << driver_->LastError();
    const std::optional<RegistryText> value =
        driver_->ReadRegistryValue(GetParam(), kKey, "Location");
    ASSERT_TRUE(value) << driver_->LastError();
    EXPECT_EQ(value->size, 9u);
    EXPECT_EQ(value->text, "C:\\Tavrin");
}

TEST_P(DriverRegistryTest, ByteCountCutsOrPadsTheText) {
    ASSERT_TRUE(
        driver_->SetRegistryText(GetParam(), kKey, "Cut", "Location", StoredSize::Bytes(3)));
    const std::optional<RegistryText> cut = driver_->ReadRegistryValue(GetParam(), kKey, "Cut");
    ASSERT_TRUE(cut) << driver_->LastError();
    EXPECT_EQ(cut->size, 3u);
    EXPECT_EQ(cut->text, "Loc");

    ASSERT_TRUE(driver_->SetRegistryText(GetParam(), kKey, "Padded", "abc", StoredSize::Bytes(12)));
    const std::optional<RegistryText> padded =
        driver_->ReadRegistryValue(GetParam(), kKey, "Padded");
    ASSERT_TRUE(padded) << driver_->LastError();
    EXPECT_EQ(padded->size, 12u);
    EXPECT_EQ(padded->text, "abc");
}

TEST_P(DriverRegistryTest, DeletedValuesAndKeysAreGone) {
    ASSERT_TRUE(driver_->SetRegistryText(GetParam(), kKey, "Location", "C:\\Tavrin"));
    ASSERT_TRUE(driver_->SetRegistryText(GetParam(), kSubKey, "Inner", "x"));

    EXPECT_TRUE(driver_->DeleteRegistryValue(GetParam(), kKey, "Location"));
    EXPECT_FALSE(driver_->ReadRegistryValue(GetParam(), kKey, "Location"));
    EXPECT_TRUE(driver_->ReadRegistryValue(GetParam(), kSubKey, "Inner"));

    EXPECT_TRUE(driver_->DeleteRegistryKey(GetParam(), kKey));
    EXPECT_FALSE(driver_->ReadRegistryValue(GetParam(), kSubKey, "Inner"));
    // Deleting what is already gone succeeds, so that tests can clean up blindly.
    EXPECT_TRUE(driver_->DeleteRegistryValue(GetParam(), kKey, "Location"));
    EXPECT_TRUE(driver_->DeleteRegistryKey(GetParam(), kKey)) << driver_->LastError();
}

INSTANTIATE_TEST_SUITE_P(BothRoots, DriverRegistryTest,
                         ::testing::Values(RegistryRoot::LocalMachine, RegistryRoot::CurrentUser),
                         [](const ::testing::TestParamInfo<RegistryRoot>& root) {
                             return root.param == RegistryRoot::LocalMachine ? "LocalMachine"
                                                                             : "CurrentUser";
                         });

}  // namespace
}  // namespace e2e
