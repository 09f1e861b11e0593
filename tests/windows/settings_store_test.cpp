// Reading and writing the settings file on a real file system, with the share modes that keep
// the launcher, a setup dialog and the game apart.

#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include <filesystem>
#include <vector>

#include "base/win/unique_handle.h"
#include "game_registry.h"
#include "settings/win/settings_store.h"
#include "support/settings_builder.h"
#include "support/temp_file.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Another process's open of the file, as the game or a second tool would hold it.
UniqueHandle HoldOpen(const std::string& path, DWORD access, DWORD share) {
    return UniqueHandle(CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
}

// The file's permissions as SDDL text ("D:P(A;;FA;;;WD)"), or "" when they cannot be read.
std::string Permissions(const std::string& path) {
    DWORD size = 0;
    GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size);
    std::vector<std::uint8_t> descriptor(size);
    char* text = nullptr;
    if (size == 0 ||
        !GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(), size,
                          &size) ||
        !ConvertSecurityDescriptorToStringSecurityDescriptorA(
            descriptor.data(), SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr)) {
        return "";
    }
    const std::string permissions = text;
    LocalFree(text);
    return permissions;
}

bool SetPermissions(const std::string& path, const char* sddl) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor,
                                                              nullptr)) {
        return false;
    }
    const bool set = SetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, descriptor);
    LocalFree(descriptor);
    return set;
}

// The name is spelled out here rather than taken from kSettingsFileName: these tests hold the
// paths to the name the game reads.
class SettingsStoreTest : public ::testing::Test {
  protected:
    SettingsStoreTest() : path(folder.File("tavrin.dat")) {}

    ScratchFolder folder;
    std::string path;
};

TEST_F(SettingsStoreTest, PathFollowsTheInstallFolderWithOrWithoutBackslash) {
    GameRegistry registry;
    registry.SetLocation(folder.Path() + "\\");
    EXPECT_EQ(SettingsPath(), path);
    registry.SetLocation(folder.Path());
    EXPECT_EQ(SettingsPath(), path);
    registry.RemoveLocation();
    EXPECT_EQ(SettingsPath(), std::nullopt);
}

TEST_F(SettingsStoreTest, ReadsAtMost172BytesAndShortFilesAsTheyAre) {
    Bytes longFile = DistinctSettingsBytes(2);
    longFile.resize(250, 0x77);
    WriteFileBytes(path, longFile);
    EXPECT_EQ(ReadSettingsBytes(path, kSharedRead), DistinctSettingsBytes(2));

    WriteFileBytes(path, Bytes{1, 2, 3});
    EXPECT_EQ(ReadSettingsBytes(path, kSharedReadWrite), (Bytes{1, 2, 3}));

    EXPECT_EQ(ReadSettingsBytes(folder.File("missing.dat"), kSharedRead), std::nullopt);
}

TEST_F(SettingsStoreTest, ReaderThatCollidesWithAnotherOpenSeesNoFile) {
    WriteFileBytes(path, DistinctSettingsBytes());
    const UniqueHandle controlDialog = HoldOpen(path, GENERIC_READ | GENERIC_WRITE, 0);
    ASSERT_TRUE(controlDialog);
    EXPECT_EQ(ReadSettingsBytes(path, kSharedRead), std::nullopt);
    EXPECT_EQ(ReadSettingsBytes(path, kSharedReadWrite), std::nullopt);
}

TEST_F(SettingsStoreTest, ReadersThatShareReadingDoNotCollide) {
    WriteFileBytes(path, DistinctSettingsBytes());
    const UniqueHandle launcher = HoldOpen(path, GENERIC_READ, FILE_SHARE_READ);
    ASSERT_TRUE(launcher);
    EXPECT_TRUE(ReadSettingsBytes(path, kSharedRead).has_value());
}

TEST_F(SettingsStoreTest, WriterReplacesTheWholeFileAndSetsTheVersion) {
    Bytes old = DistinctSettingsBytes(1);
    old.resize(300, 0x55);
    WriteFileBytes(path, old);

    SettingsFile record;
    record.language = 4;
    ASSERT_TRUE(WriteSettings(path, record, kSharedReadWrite));
    const Bytes written = ReadFileBytes(path).value_or(Bytes{});
    ASSERT_EQ(written.size(), 172u);
    EXPECT_EQ(GetLittleEndian32(written, 0), kSettingsVersionBits);
    EXPECT_EQ(GetLittleEndian32(written, 168), 4u);
    EXPECT_FALSE(std::filesystem::exists(path + ".new"));
    EXPECT_FALSE(std::filesystem::exists(path + ".old"));
}

TEST_F(SettingsStoreTest, WriterKeepsTheFilesAttributesAndPermissions) {
    WriteFileBytes(path, DistinctSettingsBytes(1));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    // Everyone may change it, as an installer grants it: not what a new file of the folder gets.
    ASSERT_TRUE(SetPermissions(path, "D:P(A;;FA;;;WD)"));
    const std::string permissions = Permissions(path);
    ASSERT_NE(permissions, "");

    SettingsFile record;
    ASSERT_TRUE(WriteSettings(path, record, kSharedReadWrite));
    EXPECT_EQ(GetLittleEndian32(ReadFileBytes(path).value_or(Bytes{}), 0), kSettingsVersionBits);
    EXPECT_EQ(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(Permissions(path), permissions);
}

TEST_F(SettingsStoreTest, WriterCreatesAMissingFile) {
    SettingsFile record;
    ASSERT_TRUE(WriteSettings(path, record, kExclusiveReadWrite));
    EXPECT_EQ(ReadFileBytes(path).value_or(Bytes{}).size(), 172u);
}

TEST_F(SettingsStoreTest, WriterThatCollidesFailsAndTheFileKeepsItsBytes) {
    const Bytes before = DistinctSettingsBytes(3);
    WriteFileBytes(path, before);
    struct Holder {
        const char* who;
        DWORD access;
        DWORD share;
    };
    const Holder holders[] = {
        {"a reader sharing reading", GENERIC_READ, FILE_SHARE_READ},
        {"a setup dialog writing", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ},
        {"the control dialog", GENERIC_READ | GENERIC_WRITE, 0},
    };
    for (const Holder& holder : holders) {
        SCOPED_TRACE(holder.who);
        const UniqueHandle other = HoldOpen(path, holder.access, holder.share);
        ASSERT_TRUE(other);
        SettingsFile record;
        EXPECT_FALSE(WriteSettings(path, record, kSharedReadWrite));
        EXPECT_FALSE(WriteSettings(path, record, kExclusiveReadWrite));
        EXPECT_FALSE(std::filesystem::exists(path + ".new"));
    }
    EXPECT_EQ(ReadFileBytes(path), before);
}

TEST_F(SettingsStoreTest, WriterIntoAMissingFolderFails) {
    SettingsFile record;
    EXPECT_FALSE(WriteSettings(folder.File("nowhere\\tavrin.dat"), record, kSharedReadWrite));
}

TEST(TemporaryLanguagePath, IsTavrinDatInTheTemporaryFolder) {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    EXPECT_EQ(TemporaryLanguagePath(), std::string(temp) + "tavrin.dat");
}

}  // namespace
