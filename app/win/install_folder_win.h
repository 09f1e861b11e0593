#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "app/install_folder.h"

// Reads HKEY_LOCAL_MACHINE "Software\Galdoris Interactive\Tavrin Demo\1.00" "Location". Every
// path into the install folder is built from a fresh read; nothing caches the folder.
InstallFolder ReadInstallFolder();

// Reads a string value of at most `capacity` bytes (terminator included) from an open key.
// Nothing when the value is missing, is not a string, does not fit, or holds no terminator: such
// a value is treated as unreadable rather than read past its end.
class RegistryKey;
std::optional<std::string> ReadRegistryText(const RegistryKey& key, const char* name,
                                            std::size_t capacity);
