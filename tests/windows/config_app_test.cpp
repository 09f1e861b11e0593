// The setup tool's start-up when memory runs out: the player is told, the process does not
// vanish.

#include <gtest/gtest.h>

#include "texts/local_text.h"
#include "app/win/config_app.h"
#include "dialog_driver.h"
#include "failing_allocations.h"

namespace {

TEST(ConfigApp, MemoryRunningOutAtStartUpIsToldBeforeTheProcessEnds) {
    SetCurrentLanguage(0);
    const char* const arguments[] = {"Config.exe", "sound", "0"};
    const MessageBoxAnswerer answerer;
    int exitCode = 0;
    {
        const FailingAllocations failing;
        exitCode = ConfigApp().Run(3, arguments);
    }
    EXPECT_EQ(exitCode, ConfigApp::kExitLackOfMemory);
    ASSERT_EQ(answerer.Seen().size(), 1u);
    EXPECT_EQ(answerer.Seen()[0].caption, L"Tavrin Error");
    EXPECT_EQ(answerer.Seen()[0].text, L"There was not enough memory to complete the operation");
}

}  // namespace
