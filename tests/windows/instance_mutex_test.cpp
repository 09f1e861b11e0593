// The launcher's test for a running setup process, against a setup tool it may not look into: one
// started elevated holds a mutex whose security an unelevated launcher does not pass. Wine checks
// a named object's security descriptor as Windows does.

#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include "base/win/instance_mutex.h"
#include "base/win/unique_handle.h"

namespace {

TEST(SetupToolRunning, AMutexThatCannotBeOpenedMeansASetupProcessRuns) {
    ASSERT_FALSE(SetupToolRunning());

    // Everyone is denied every access: this process can make the mutex, not take it again.
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(
        L"D:(D;;GA;;;WD)", SDDL_REVISION_1, &descriptor, nullptr));
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, descriptor, FALSE};
    const UniqueHandle elevatedSetup(CreateMutexA(&attributes, TRUE, "ConfigAppInstanceMutex"));
    LocalFree(descriptor);
    ASSERT_TRUE(elevatedSetup);
    // As the launcher meets it: there, and out of its reach.
    ASSERT_FALSE(UniqueHandle(CreateMutexA(nullptr, TRUE, "ConfigAppInstanceMutex")));
    ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

    EXPECT_TRUE(SetupToolRunning());
}

}  // namespace
