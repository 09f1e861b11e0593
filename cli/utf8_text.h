#pragma once
// The settings tool speaks UTF-8, as terminals and JSON want it; the five-language tables are code
// page 1252. These convert between the two.

#include <optional>
#include <string>
#include <string_view>

// Code page 1252 bytes as UTF-8. The five bytes that stand for nothing keep their value, as
// Windows converts them.
std::string Utf8FromCodePage1252(std::string_view text);

// UTF-8 as code page 1252; nothing when the text is not valid UTF-8 or holds a character that
// code page 1252 lacks (no table text can then match it).
std::optional<std::string> CodePage1252FromUtf8(std::string_view text);

// `text` with each malformed UTF-8 sequence replaced by U+FFFD: a file name on Linux may be any
// bytes, and the JSON output must stay valid UTF-8.
std::string ValidUtf8(std::string_view text);

// Whether two code page 1252 texts are equal but for the case of their letters (ASCII and the
// accented letters of the code page), so that "space" finds "Space" and "rücktaste" "Rücktaste".
bool EqualIgnoringCase(std::string_view a, std::string_view b);
