// GUIDs as the settings tool and the stand-in game show them and as the tool reads them back.

#include <gtest/gtest.h>

#include "settings/guid_text.h"

namespace {

TEST(GuidText, FormatsGuidsInTheRegistrySpelling) {
    Guid guid;
    guid.bytes = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07,
                  0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F};
    EXPECT_EQ(FormatGuid(guid), "{03020100-0504-0706-0809-0A0B0C0D0E0F}");

    guid.bytes = {0xDE, 0xBC, 0x9A, 0x78, 0x56, 0x34, 0xF0, 0x12,
                  0xAB, 0xCD, 0xEF, 0x01, 0x23, 0x45, 0x67, 0x89};
    EXPECT_EQ(FormatGuid(guid), "{789ABCDE-3456-12F0-ABCD-EF0123456789}");
}

}  // namespace
