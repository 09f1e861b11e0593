// Reading the install folder from the real registry.

#include <gtest/gtest.h>

#include "game_registry.h"
#include "settings/win/install_folder_win.h"

namespace {

TEST(ReadInstallFolder, TellsAMissingKeyFromAMissingValue) {
    GameRegistry registry;
    registry.RemoveKey();
    EXPECT_EQ(ReadInstallFolder().state, InstallFolderState::KeyMissing);

    registry.SetLocation("C:\\Games\\Tavrin");
    registry.RemoveLocation();
    EXPECT_EQ(ReadInstallFolder().state, InstallFolderState::ValueMissing);
}

TEST(ReadInstallFolder, RemovesOneTrailingBackslash) {
    GameRegistry registry;
    registry.SetLocation("C:\\Games\\Tavrin\\");
    const InstallFolder withBackslash = ReadInstallFolder();
    registry.SetLocation("C:\\Games\\Tavrin");
    const InstallFolder without = ReadInstallFolder();
    ASSERT_TRUE(withBackslash.Found());
    EXPECT_EQ(withBackslash.path, "C:\\Games\\Tavrin");
    EXPECT_EQ(without.path, withBackslash.path);

    registry.SetLocation("C:\\Games\\Tavrin\\\\");
    EXPECT_EQ(ReadInstallFolder().path, "C:\\Games\\Tavrin\\");  // only one goes
}

TEST(ReadInstallFolder, ValuesThatDoNotFitOrEndAreUnreadable) {
    GameRegistry registry;
    const std::string longest(79, 'a');  // 79 characters and the terminator fill the 80 bytes
    registry.SetLocation(longest);
    EXPECT_EQ(ReadInstallFolder().path, longest);

    registry.SetLocation(std::string(80, 'a'));
    EXPECT_EQ(ReadInstallFolder().state, InstallFolderState::ValueMissing);

    registry.SetLocationBytes(std::string(80, 'b'));  // fills the buffer with no terminator
    EXPECT_EQ(ReadInstallFolder().state, InstallFolderState::ValueMissing);

    // Stored without its terminator: Windows hands the bytes back as they are and the value is
    // unreadable; Wine adds the terminator while converting. Either way nothing past the value's
    // own bytes may be read.
    registry.SetLocationBytes("C:\\Tavrin");
    const InstallFolder unterminated = ReadInstallFolder();
    if (unterminated.Found()) {
        EXPECT_EQ(unterminated.path, "C:\\Tavrin");
    }

    registry.SetLocationDword(42);
    EXPECT_EQ(ReadInstallFolder().state, InstallFolderState::ValueMissing);
}

}  // namespace
