// tavrin-settings.exe as a Windows console program: it finds the installed settings file through
// the registry, prints UTF-8 into a file or pipe, and replaces the settings file as the setup
// dialogs do, sharing it by the same rules.

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/win/unique_handle.h"
#include "game_registry.h"
#include "settings/settings_file.h"
#include "support/settings_builder.h"
#include "support/temp_file.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct ProgramRun {
    DWORD exitCode = 0;
    std::string out;
    std::string err;
};

// An output file the program inherits as its standard output or error.
UniqueHandle InheritableFile(const std::string& path) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    return UniqueHandle(CreateFileA(path.c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Runs the program in `folder` with `arguments` (quoted as they stand) and waits for its end.
ProgramRun RunProgram(const ScratchFolder& folder, const std::vector<std::string>& arguments) {
    std::string commandLine = "tavrin-settings";
    for (const std::string& argument : arguments)
        commandLine += " \"" + argument + "\"";
    // Files of their own for every run: what the console host of an earlier run may still hold
    // open is not reused.
    static int runs = 0;
    const std::string outPath = folder.File("out" + std::to_string(runs) + ".txt");
    const std::string errPath = folder.File("err" + std::to_string(runs++) + ".txt");
    ProgramRun run;
    {
        const UniqueHandle out = InheritableFile(outPath);
        const UniqueHandle err = InheritableFile(errPath);
        EXPECT_TRUE(out && err);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = out.Get();
        startup.hStdError = err.Get();
        PROCESS_INFORMATION process = {};
        if (!CreateProcessA(TAVRIN_SETTINGS_PROGRAM, commandLine.data(), nullptr, nullptr, TRUE,
                            CREATE_NO_WINDOW, nullptr, folder.Path().c_str(), &startup, &process)) {
            ADD_FAILURE() << "cannot start " << TAVRIN_SETTINGS_PROGRAM << ": " << GetLastError();
            return run;
        }
        const UniqueHandle processHandle(process.hProcess);
        const UniqueHandle threadHandle(process.hThread);
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
        GetExitCodeProcess(process.hProcess, &run.exitCode);
    }
    run.out = ReadText(outPath);
    run.err = ReadText(errPath);
    return run;
}

class SettingsProgramTest : public ::testing::Test {
  protected:
    SettingsProgramTest() : installed(install.File(kSettingsFileName)) {
        registry.SetLocation(install.Path() + "\\");
    }

    GameRegistry registry;
    ScratchFolder install;
    ScratchFolder work;  // the current folder, without a settings file of its own
    std::string installed;
};

TEST_F(SettingsProgramTest, WithoutFileItWorksOnTheInstalledFileAndPrintsUtf8) {
    ASSERT_EQ(RunProgram(work, {"reset", "all"}).exitCode, 0u);
    const ProgramRun set =
        RunProgram(work, {"set", "language=de", "keyboard.jump=Backspace", "controller.tav=X Rot"});
    EXPECT_EQ(set.exitCode, 2u);  // Tav takes no axis
    EXPECT_NE(set.err.find("take an axis; nothing was written"), std::string::npos) << set.err;
    ASSERT_EQ(RunProgram(work, {"set", "language=de", "keyboard.jump=Backspace"}).exitCode, 0u);

    const Bytes bytes = ReadFileBytes(installed).value_or(Bytes{});
    ASSERT_EQ(bytes.size(), 172u);
    EXPECT_EQ(GetLittleEndian32(bytes, 0), kSettingsVersionBits);
    EXPECT_EQ(GetLittleEndian32(bytes, 80 + 4 * 4), 39u + 0x0E);
    EXPECT_EQ(GetLittleEndian32(bytes, 168), 2u);

    const ProgramRun show = RunProgram(work, {"show", "--json"});
    EXPECT_EQ(show.exitCode, 0u) << show.err;
    const nlohmann::json shown = nlohmann::json::parse(show.out, nullptr, false);
    EXPECT_EQ(shown["file"], installed) << show.out;
    EXPECT_EQ(shown["keyboardBindings"]["jump"], nlohmann::json({{"code", 53},
                                                                 {"name",
                                                                  "R\xC3\xBC"
                                                                  "cktaste"}}));
    EXPECT_EQ(RunProgram(work, {"check"}).exitCode, 0u);
}

TEST_F(SettingsProgramTest, AFileAnotherProgramHoldsIsLeftAsItWas) {
    const Bytes before = DistinctSettingsBytes(0);
    std::ofstream(installed, std::ios::binary)
        .write(reinterpret_cast<const char*>(before.data()),
               static_cast<std::streamsize>(before.size()));
    {
        // Held as the graphics and audio setups hold it: others may read it, but not write it.
        const UniqueHandle held(CreateFileA(installed.c_str(), GENERIC_READ | GENERIC_WRITE,
                                            FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        const ProgramRun run = RunProgram(work, {"set", "language=it"});
        EXPECT_EQ(run.exitCode, 4u) << run.err;
        EXPECT_NE(run.err.find("it is as it was"), std::string::npos) << run.err;
    }
    EXPECT_EQ(ReadFileBytes(installed), before);
    EXPECT_EQ(RunProgram(work, {"set", "language=it"}).exitCode, 0u);
    EXPECT_EQ(GetLittleEndian32(ReadFileBytes(installed).value_or(Bytes{}), 168), 3u);
}

// The game holding the current folder's file without sharing it: the tool says so and goes to no
// other file.
TEST_F(SettingsProgramTest, AFileHereThatCannotBeReadIsSaidSoAndNoOtherIsTaken) {
    ASSERT_EQ(RunProgram(work, {"reset", "all"}).exitCode, 0u);
    const Bytes installedBefore = ReadFileBytes(installed).value_or(Bytes{});
    const std::string here = work.File(kSettingsFileName);
    std::ofstream(here, std::ios::binary).write("tavrin", 6);
    const UniqueHandle held(CreateFileA(here.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"show"}, std::vector<std::string>{"set", "language=it"}}) {
        const ProgramRun run = RunProgram(work, arguments);
        EXPECT_EQ(run.exitCode, 3u) << arguments[0];
        EXPECT_NE(run.err.find("tavrin.dat is there but cannot be read"), std::string::npos)
            << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(ReadFileBytes(installed), installedBefore);
}

}  // namespace
