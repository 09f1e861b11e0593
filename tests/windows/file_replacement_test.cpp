// The replacement of the settings file with a fault at every step: each file call of a save fails
// in turn, or the save stops there as a crashed process does, and the file must then hold exactly
// the old bytes or exactly the new ones, the outcome must say which, no file but the save's own
// may be touched, and the next save must work and clear what the stopped one left.

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "game_registry.h"
#include "settings/win/file_replacement.h"
#include "settings/win/settings_store.h"
#include "support/temp_file.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::set<std::string> NamesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

std::wstring Wide(const std::string& path) {
    return std::wstring(path.begin(), path.end());  // the scratch folder's path is ASCII
}

// Counts the file calls of a save, fails the one numbered `failing` (from 1), and in `crash`
// fails every one from there on, as a process that stopped makes none.
class Faults : public FileCallFaults {
  public:
    Faults(int failing, bool crash) : failing_(failing), crash_(crash) {}
    bool NextCallFails() override {
        ++calls_;
        return calls_ == failing_ || (crash_ && calls_ > failing_);
    }
    int Calls() const { return calls_; }

  private:
    int failing_;
    bool crash_;
    int calls_ = 0;
};

Bytes Filled(std::size_t size, std::uint8_t value) {
    return Bytes(size, value);
}

// One kind of save: what the folder holds before, and how the file is written.
struct SaveCase {
    const char* name;
    std::optional<Bytes> old;  // none: no file yet
    bool hardLinked;           // written in place through the link
};

// Names the case in the test's name.
void PrintTo(const SaveCase& save, std::ostream* out) {
    *out << save.name;
}

class FileReplacementFaults : public ::testing::TestWithParam<SaveCase> {
  protected:
    FileReplacementFaults() : path(folder.File("tavrin.dat")) {}

    // The folder as the save finds it: the file, a second name of it, the player's own files
    // whose names the old writer used.
    void Prepare() {
        for (const std::string& name : NamesIn(folder.Path()))
            std::filesystem::remove(folder.File(name));
        WriteFileBytes(folder.File("tavrin.dat.old"), Filled(20, 0x0D));
        WriteFileBytes(folder.File("tavrin.dat.new"), Filled(30, 0x0E));
        if (GetParam().old)
            WriteFileBytes(path, *GetParam().old);
        if (GetParam().hardLinked) {
            ASSERT_TRUE(CreateHardLinkA(folder.File("link.dat").c_str(), path.c_str(), nullptr));
        }
    }

    WriteOutcome Save(const Bytes& bytes, FileCallFaults* faults) {
        return ReplaceFileContents(Wide(path), bytes, kSharedReadWrite, faults);
    }

    // The player's files are untouched, and nothing but the file (and its link) is left.
    void ExpectOnlyTheFileChanged(bool leftoversAllowed) {
        EXPECT_EQ(ReadFileBytes(folder.File("tavrin.dat.old")), Filled(20, 0x0D));
        EXPECT_EQ(ReadFileBytes(folder.File("tavrin.dat.new")), Filled(30, 0x0E));
        if (leftoversAllowed)
            return;
        std::set<std::string> expected = {"tavrin.dat.old", "tavrin.dat.new"};
        if (std::filesystem::exists(path))
            expected.insert("tavrin.dat");
        if (GetParam().hardLinked)
            expected.insert("link.dat");
        EXPECT_EQ(NamesIn(folder.Path()), expected);
    }

    ScratchFolder folder;
    std::string path;
};

TEST_P(FileReplacementFaults, EveryStepFailingOrStoppingLeavesTheOldOrTheNewFile) {
    const Bytes fresh = Filled(172, 0xA1);
    const Bytes later = Filled(172, 0xB2);
    Prepare();
    Faults counting(0, false);
    ASSERT_EQ(Save(fresh, &counting), WriteOutcome::Written);
    const int calls = counting.Calls();
    ASSERT_GT(calls, 3);

    for (const bool crash : {false, true}) {
        for (int failing = 1; failing <= calls; ++failing) {
            SCOPED_TRACE((crash ? "stopped at call " : "call failing: ") + std::to_string(failing));
            Prepare();
            Faults faults(failing, crash);
            const WriteOutcome outcome = Save(fresh, &faults);
            const std::optional<Bytes> now = ReadFileBytes(path);
            if (GetParam().hardLinked) {
                // Written in place: a failure part-way is said to be one.
                if (outcome == WriteOutcome::NotWritten) {
                    EXPECT_EQ(now, GetParam().old);
                }
                EXPECT_EQ(ReadFileBytes(folder.File("link.dat")), now);
            } else {
                EXPECT_TRUE(now == GetParam().old || now == fresh);
                if (!crash && outcome == WriteOutcome::NotWritten) {
                    EXPECT_EQ(now, GetParam().old);
                }
                if (!crash) {
                    EXPECT_NE(outcome, WriteOutcome::PartlyWritten);
                }
            }
            if (!crash && outcome == WriteOutcome::Written) {
                EXPECT_EQ(now, fresh);
            }
            ExpectOnlyTheFileChanged(crash);

            ASSERT_EQ(Save(later, nullptr), WriteOutcome::Written);
            EXPECT_EQ(ReadFileBytes(path), later);
            ExpectOnlyTheFileChanged(false);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Saves, FileReplacementFaults,
    ::testing::Values(SaveCase{"Replacing", Filled(300, 0x5C), false},
                      SaveCase{"Creating", std::nullopt, false},
                      SaveCase{"InPlaceThroughAHardLink", Filled(300, 0x5C), true}),
    [](const ::testing::TestParamInfo<SaveCase>& tried) { return std::string(tried.param.name); });

// The file is replaced, not overwritten: a new file takes the old one's name.
TEST(FileReplacement, ASaveGivesTheNameANewFile) {
    ScratchFolder folder;
    const std::string path = folder.File("tavrin.dat");
    WriteFileBytes(path, Filled(172, 0x11));
    const auto identity = [&] {
        const HANDLE file = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, 0, nullptr);
        BY_HANDLE_FILE_INFORMATION info = {};
        GetFileInformationByHandle(file, &info);
        CloseHandle(file);
        return (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
    };
    const std::uint64_t before = identity();
    ASSERT_EQ(ReplaceFileContents(Wide(path), Filled(172, 0x22), kSharedReadWrite),
              WriteOutcome::Written);
    EXPECT_NE(identity(), before);
    EXPECT_EQ(ReadFileBytes(path), Filled(172, 0x22));
}

}  // namespace
