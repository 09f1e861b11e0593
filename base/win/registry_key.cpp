#include "base/win/registry_key.h"

#include <algorithm>
#include <vector>

std::optional<std::string> ReadRegistryText(const RegistryKey& key, const char* name,
                                            std::size_t capacity) {
    std::vector<char> buffer(capacity, '\0');
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(buffer.size());
    const LONG result = RegQueryValueExA(key.Get(), name, nullptr, &type,
                                         reinterpret_cast<BYTE*>(buffer.data()), &size);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    const auto terminator = std::find(buffer.begin(), buffer.begin() + size, '\0');
    if (terminator == buffer.begin() + size)
        return std::nullopt;
    return std::string(buffer.begin(), terminator);
}
