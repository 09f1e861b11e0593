#pragma once
// The end-to-end tests of the programs themselves: a driver, a demo installation of the game
// named by the registry, and the programs the test starts, all gone when the test ends.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "e2e/driver_fixture.h"
#include "e2e/support/driver.h"
#include "e2e/support/files.h"
#include "e2e/support/installation.h"
#include "e2e/support/key_press.h"
#include "e2e/support/programs.h"
#include "e2e/support/wine_environment.h"
#include "resources/resource_ids.h"

namespace e2e {

// Direct3D takes its time the first time a process uses it under Wine.
inline constexpr Milliseconds kSlowWindowWait{60000};

inline constexpr const char* kAudioTitle = "Tavrin Audio Setup";
inline constexpr const char* kGraphicsTitle = "Tavrin Video Setup";
inline constexpr const char* kControlTitle = "Tavrin Control Setup";
inline constexpr const char* kLauncherTitle = "Tavrin Launcher V1.0";

class ProductTest : public DriverTest {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(DriverTest::SetUp());
        installation_.emplace(*driver_);
        programs_.emplace(*wine_);
        programs_->Watch(installation_->Folder());
        ParkMousePointer();
    }

    void TearDown() override {
        programs_.reset();
        installation_.reset();
    }

    // Starts a program of the installation, from the installation's folder unless told otherwise.
    WineProcess& Start(const std::string& program, std::vector<std::string> arguments = {},
                       std::filesystem::path workingFolder = {}) {
        return programs_->Start(installation_->File(program), std::move(arguments),
                                workingFolder.empty() ? installation_->Folder() : workingFolder);
    }

    // The setup tool with a mode and a language, and its window once painted in `title` and
    // ready.
    std::optional<WindowInfo> OpenSetup(const std::string& mode, int language,
                                        const std::string& title,
                                        Milliseconds wait = kGenerousWait) {
        setup_ = &Start("Config.exe", {mode, std::to_string(language)});
        std::optional<WindowInfo> dialog = driver_->FindWindow(title, wait);
        if (dialog && !Ready(*dialog, wait))
            return std::nullopt;
        return dialog;
    }

    // Waits until a setup dialog has done what it does after its first paint (opening DirectX,
    // listing the devices and modes): its OK button is enabled then. Nothing about its lists can
    // be read before, and OK does nothing.
    bool Ready(const WindowInfo& dialog, Milliseconds wait = kSlowWindowWait) {
        return WaitUntil(
            [&] {
                const std::optional<ControlInfo> ok = driver_->Control(dialog.handle, kIdOk);
                return ok && ok->enabled;
            },
            wait);
    }

    // A click or selection whose handler ran to its end, whether or not it closed the window.
    static bool Handled(const ActionResult& result) {
        return result.outcome == ActionOutcome::Finished || result.outcome == ActionOutcome::Gone;
    }

    bool Ended(WineProcess& process, Milliseconds wait = kGenerousWait) {
        return process.WaitForExit(wait).has_value();
    }

    // Presses OK in the setup tool's dialog and waits for its process to end. A test writes
    // EXPECT_TRUE(Accept(*dialog)), so that a failure names the test's own line.
    ::testing::AssertionResult Accept(const WindowInfo& dialog) {
        const ActionResult ok = driver_->Click(dialog.handle, kIdOk);
        if (!Handled(ok)) {
            return ::testing::AssertionFailure()
                   << "OK was not handled: " << ok.outcome << " " << ok.error;
        }
        if (!Ended(*setup_))
            return ::testing::AssertionFailure() << "the setup tool did not end after OK";
        return ::testing::AssertionSuccess();
    }

    // Puts the recorder in place of a program of the installation: recorder.exe, copied under
    // the program's name, writes the command line it was started with to "<program>.log".
    void Record(const std::string& program) {
        const std::optional<std::vector<std::uint8_t>> recorder = ReadFileBytes(
            WineEnvironment::WindowsBuildFolder() / "tools" / "recorder" / "recorder.exe");
        ASSERT_TRUE(recorder);
        ASSERT_TRUE(WriteFileBytes(installation_->File(program), *recorder));
    }

    // The command lines the recorder saw as `program`, each ended by "\n", once it has run.
    std::optional<std::string> Recorded(const std::string& program) {
        const std::filesystem::path log = installation_->File(program + ".log");
        std::optional<std::vector<std::uint8_t>> bytes;
        if (!WaitUntil([&] { return (bytes = ReadFileBytes(log)) && !bytes->empty(); }))
            return std::nullopt;
        return std::string(bytes->begin(), bytes->end());
    }

    // A click with the pointer in the middle of the control, where a player's mouse clicks it.
    bool ClickWithPointer(const WindowInfo& dialog, int id) {
        const std::optional<ControlInfo> control = driver_->Control(dialog.handle, id);
        if (!control)
            return false;
        const std::optional<ScreenPoint> origin = driver_->ClientOrigin(control->handle);
        return origin && ClickPointerAt(origin->x + control->area.width / 2,
                                        origin->y + control->area.height / 2);
    }

    std::optional<std::string> ControlText(const WindowInfo& window, int id) {
        const std::optional<ControlInfo> control = driver_->Control(window.handle, id);
        if (!control)
            return std::nullopt;
        return control->text;
    }

    std::optional<Installation> installation_;
    std::optional<Programs> programs_;
    WineProcess* setup_ = nullptr;
};

}  // namespace e2e
