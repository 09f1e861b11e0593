#pragma once

#include "settings/install_folder.h"

// Reads HKEY_LOCAL_MACHINE "Software\Galdoris Interactive\Tavrin Demo\1.00" "Location". Every
// path into the install folder is built from a fresh read; nothing caches the folder.
InstallFolder ReadInstallFolder();
