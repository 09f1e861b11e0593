#pragma once
// Narrow texts (a code page's bytes, or UTF-8) to UTF-16 and back, as Windows converts them.

#include <windows.h>

#include <string>
#include <string_view>

// `text` in `codePage` (CP_ACP for the ANSI functions' paths, CP_UTF8, 1252) as UTF-16.
std::wstring WideFrom(UINT codePage, std::string_view text);

// `text` as `codePage` bytes; a character the code page lacks becomes its default character.
std::string NarrowFrom(UINT codePage, std::wstring_view text);
