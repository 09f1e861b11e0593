#pragma once
// The settings tool speaks UTF-8, as terminals and JSON want it; the five-language tables are code
// page 1252 and the names of keys UTF-16, as the dialogs show them. A word the user typed is
// turned once into a name key, the form in which every name is compared.

#include <optional>
#include <string>
#include <string_view>

// Code page 1252 bytes as UTF-8. The five bytes that stand for nothing keep their value, as
// Windows converts them.
std::string Utf8FromCodePage1252(std::string_view text);

// UTF-8 as UTF-16; nothing when the text is not valid UTF-8.
std::optional<std::u16string> Utf16FromUtf8(std::string_view text);

// `text` with each malformed UTF-8 sequence replaced by U+FFFD: a file name on Linux may be any
// bytes, and the JSON output must stay valid UTF-8.
std::string ValidUtf8(std::string_view text);

// A name as it is compared: UTF-16 with its capitals made small, so that "space" finds "Space",
// "rücktaste" "Rücktaste" and "ж" the "Ж" of a Russian layout. Folded are the letters of the
// scripts whose keyboards type letters of their own: Latin (ASCII, Latin-1 and Latin Extended-A),
// Greek and Cyrillic.
using NameKey = std::u16string;

NameKey NameKeyOf(std::u16string_view name);
// A code page 1252 text of the tables.
NameKey NameKeyOfCodePage1252(std::string_view text);
// What the user typed; nothing when it is not valid UTF-8, which no name is.
std::optional<NameKey> NameKeyOfUtf8(std::string_view text);
