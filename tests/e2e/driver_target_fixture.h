#pragma once
// The driver's own tests: driver_target.exe under Wine, found by its title, and a driver to
// operate it.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "e2e/driver_fixture.h"
#include "e2e/support/driver.h"
#include "e2e/support/wine_environment.h"
#include "e2e/support/wine_process.h"
#include "tools/driver/driver_target_layout.h"

namespace e2e {

inline constexpr const char* kTargetTitle = "Driver Target";

// The driver and a running driver_target.exe whose dialog has been found.
class DriverTargetTest : public DriverTest {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(DriverTest::SetUp());
        // A target killed by the test before may still have its window for a moment.
        ASSERT_TRUE(WaitUntil([&] { return !driver_->FindWindow(kTargetTitle, Milliseconds{0}); }))
            << "an earlier driver_target.exe is still on the screen";
        WineLaunch launch;
        launch.program = WineEnvironment::DriverTargetProgram();
        target_.emplace(*wine_, launch);
        const std::optional<WindowInfo> window = driver_->FindWindow(kTargetTitle);
        ASSERT_TRUE(window) << driver_->LastError();
        dialog_ = *window;
    }

    // The status line, where the target writes what was done to it.
    std::string Status() {
        const std::optional<ControlInfo> status =
            driver_->Control(dialog_.handle, IDC_TARGET_STATUS);
        return status ? status->text : "(no status line: " + driver_->LastError() + ")";
    }
    bool StatusBecomes(const std::string& text) {
        return WaitUntil([&] { return Status() == text; });
    }

    std::optional<WineProcess> target_;
    WindowInfo dialog_;
};

}  // namespace e2e
