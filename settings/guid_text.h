#pragma once
// A GUID as text, "{0123ABCD-4567-89AB-CDEF-0123456789AB}", as the registry and the debugger spell
// it: the first three groups are the little-endian integers of the Windows layout, the last two
// its bytes in order. The settings tool and the demo's stand-in game show device GUIDs this way.

#include <optional>
#include <string>
#include <string_view>

#include "settings/settings_file.h"

std::string FormatGuid(const Guid& guid);

// The same form read back, braces optional, letters in either case; nothing for anything else.
std::optional<Guid> ParseGuid(std::string_view text);
