#pragma once
// The fields of the driver's lines: tab-separated, with tab, line feed, carriage return and
// backslash escaped as \t \n \r \\. Portable, so that the driver and the native tests that talk
// to it share one definition.

#include <string>
#include <string_view>
#include <vector>

std::string EscapeField(std::string_view text);
// Any other character after a backslash stands for itself.
std::string UnescapeField(std::string_view field);

std::string JoinFields(const std::vector<std::string>& fields);
// Splits a line at its tabs and unescapes every field.
std::vector<std::string> SplitFields(std::string_view line);
