#pragma once
// The ground of every end-to-end fixture: the Wine environment the test command gave, checked
// first, and a driver to operate the windows on its display.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "e2e/support/driver.h"
#include "e2e/support/wine_environment.h"

namespace e2e {

// Standard dialog and message box answers, as winuser.h numbers them.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// A driver, with WINE, WINEPREFIX and DISPLAY checked first.
class DriverTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string problem;
        wine_ = WineEnvironment::FromProcessEnvironment(&problem);
        ASSERT_TRUE(wine_) << problem;
        driver_.emplace(*wine_);
    }

    std::optional<WineEnvironment> wine_;
    std::optional<Driver> driver_;
};

}  // namespace e2e
