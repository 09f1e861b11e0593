#pragma once
// Registry values for the tests, always in the 32-bit view of the registry: the programs under
// test are 32-bit programs, and the 64-bit build reads that view too.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

// HKLM / HKEY_LOCAL_MACHINE or HKCU / HKEY_CURRENT_USER; null for anything else.
HKEY RegistryRoot(std::string_view name);

struct RegistryValue {
    DWORD type;
    DWORD size;        // bytes as RegQueryValueExA counts them
    std::string text;  // the data up to its first zero byte, in the ANSI code page; a
                       // REG_DWORD's number in decimal
};

// Writes `size` bytes of `text` and its terminating zero as a REG_SZ value, through the ANSI
// function as the programs read it. A size of text length leaves the zero out; a larger size adds
// zero bytes. All texts are in the ANSI code page.
LONG WriteRegistryText(HKEY root, const std::wstring& path, const std::string& name,
                       const std::string& text, DWORD size);
// Writes a REG_DWORD value.
LONG WriteRegistryNumber(HKEY root, const std::wstring& path, const std::string& name,
                         DWORD number);
LONG ReadRegistryValue(HKEY root, const std::wstring& path, const std::string& name,
                       RegistryValue* value);
// Deleting what is already absent succeeds: tests clean up without knowing what they left.
LONG DeleteRegistryValue(HKEY root, const std::wstring& path, const std::string& name);
LONG DeleteRegistryTree(HKEY root, const std::wstring& path);
