// The field escaping the driver and the tests share: texts with tabs, line breaks and
// backslashes must cross a line-based protocol unchanged.

#include <gtest/gtest.h>

#include "tools/driver/fields.h"

namespace {

TEST(DriverFields, SpecialCharactersAreEscapedAndRestored) {
    const std::string text = "C:\\Games\tTavrin\r\nLine";
    const std::string escaped = EscapeField(text);
    EXPECT_EQ(escaped, "C:\\\\Games\\tTavrin\\r\\nLine");
    EXPECT_EQ(escaped.find_first_of("\t\r\n"), std::string::npos);
    EXPECT_EQ(UnescapeField(escaped), text);
}

TEST(DriverFields, UnknownEscapesAndATrailingBackslashStandForThemselves) {
    EXPECT_EQ(UnescapeField("a\\qb"), "aqb");
    EXPECT_EQ(UnescapeField("end\\"), "end\\");
}

TEST(DriverFields, LinesSplitAtTabsIntoUnescapedFields) {
    const std::vector<std::string> fields = {"window", "0x1a", "", "tab\there", "back\\slash"};
    const std::string line = JoinFields(fields);
    EXPECT_EQ(line, "window\t0x1a\t\ttab\\there\tback\\\\slash");
    EXPECT_EQ(SplitFields(line), fields);
    EXPECT_EQ(SplitFields(""), std::vector<std::string>{""});
}

TEST(DriverFields, Utf8PassesUntouched) {
    const std::string text = "Franz\xC3\xB6sisch";
    EXPECT_EQ(EscapeField(text), text);
    EXPECT_EQ(UnescapeField(text), text);
}

}  // namespace
