// The launcher's order of precedence for the language and its handling of the settings file.

#include <gtest/gtest.h>

#include <vector>

#include "settings/launcher_load.h"
#include "support/settings_builder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

SettingsFile Distinct(std::int32_t language) {
    SettingsFile record;
    const Bytes bytes = DistinctSettingsBytes(language);
    OverlaySettings(record, bytes.data(), bytes.size());
    return record;
}

TEST(LauncherLoad, TemporaryLanguageFileOutranksTheSystemLanguage) {
    SettingsFile record = Distinct(1);
    const SettingsFile before = record;
    LauncherFiles files;
    files.temporaryLanguage = 3;
    const LauncherLoadOutcome outcome = LauncherLoad(files, /*system German*/ 2, record);
    EXPECT_EQ(outcome.language, 3);
    EXPECT_FALSE(outcome.deleteTemporaryLanguageFile);
    EXPECT_EQ(record, before);  // without the registry key the record is not touched
}

TEST(LauncherLoad, BytesOutsideZeroToFourLeaveTheLanguageAlone) {
    for (std::uint8_t byte : {5, 7, 255}) {
        SettingsFile record;
        LauncherFiles files;
        files.temporaryLanguage = byte;
        EXPECT_EQ(LauncherLoad(files, 2, record).language, 2) << int(byte);
    }
}

TEST(LauncherLoad, ValidSettingsFileOutranksTheTemporaryFileAndRetiresIt) {
    SettingsFile record;
    LauncherFiles files;
    files.temporaryLanguage = 4;
    files.installKeyOpens = true;
    files.settings = DistinctSettingsBytes(1);
    const LauncherLoadOutcome outcome = LauncherLoad(files, 0, record);
    EXPECT_EQ(outcome.language, 1);
    EXPECT_TRUE(outcome.deleteTemporaryLanguageFile);
    EXPECT_FALSE(outcome.reportOutOfDate);
    EXPECT_EQ(record, Distinct(1));
}

TEST(LauncherLoad, StoredLanguageOutsideZeroToFourChangesNothing) {
    SettingsFile record;
    LauncherFiles files;
    files.installKeyOpens = true;
    files.settings = DistinctSettingsBytes(7);
    const LauncherLoadOutcome outcome = LauncherLoad(files, 2, record);
    EXPECT_EQ(outcome.language, 2);
    EXPECT_EQ(record.language, 7);  // kept in the record; the launcher just does not use it
}

TEST(LauncherLoad, OutdatedFileIsReportedAndReplacedByTheBindingDefaults) {
    SettingsFile record = Distinct(3);
    LauncherFiles files;
    files.installKeyOpens = true;
    Bytes outdated = DistinctSettingsBytes(4);
    PutLittleEndian32(outdated, 0, 0x40000000);
    files.settings = outdated;
    const LauncherLoadOutcome outcome = LauncherLoad(files, 1, record);

    EXPECT_TRUE(outcome.reportOutOfDate);
    EXPECT_EQ(outcome.language, 1);
    EXPECT_FALSE(outcome.deleteTemporaryLanguageFile);
    SettingsFile expected;
    ApplyDefaultBindings(expected);
    EXPECT_EQ(record, expected);
}

TEST(LauncherLoad, MissingFileGivesTheBindingDefaultsSilently) {
    SettingsFile record = Distinct(3);
    LauncherFiles files;
    files.installKeyOpens = true;
    const LauncherLoadOutcome outcome = LauncherLoad(files, 4, record);
    EXPECT_FALSE(outcome.reportOutOfDate);
    EXPECT_EQ(outcome.language, 4);
    EXPECT_EQ(record.KeyboardBinding(SettingsAction::Tav), 95);
    EXPECT_TRUE(record.soundDevice.IsZero());
}

TEST(LauncherLoad, EmptyFileIsOutdatedEvenAfterAValidOne) {
    SettingsFile record = Distinct(3);  // what an earlier load left
    LauncherFiles files;
    files.installKeyOpens = true;
    files.settings = Bytes{};
    EXPECT_TRUE(LauncherLoad(files, 0, record).reportOutOfDate);
}

TEST(RepaintLanguage, TakesTheLanguageOnlyFromAValidFile) {
    EXPECT_EQ(RepaintLanguage(DistinctSettingsBytes(2)), 2);
    EXPECT_EQ(RepaintLanguage(DistinctSettingsBytes(5)), std::nullopt);
    EXPECT_EQ(RepaintLanguage(DistinctSettingsBytes(-1)), std::nullopt);
    Bytes outdated = DistinctSettingsBytes(2);
    PutLittleEndian32(outdated, 0, 0x400CCCCD);
    EXPECT_EQ(RepaintLanguage(outdated), std::nullopt);
    EXPECT_EQ(RepaintLanguage(Bytes{0x66, 0x66, 0x06, 0x40}), 0);  // the rest reads as zero
    EXPECT_EQ(RepaintLanguage(Bytes{}), std::nullopt);
}

}  // namespace
