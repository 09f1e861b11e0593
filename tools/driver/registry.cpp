#include "tools/driver/registry.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/win/registry_key.h"

namespace {

LONG OpenKey(HKEY root, const std::wstring& path, REGSAM access, RegistryKey* key) {
    return RegOpenKeyExW(root, path.c_str(), 0, access | KEY_WOW64_32KEY, key->Receive());
}

// The key, made where it is missing, opened to set values in.
LONG CreateKeyForValues(HKEY root, const std::wstring& path, RegistryKey* key) {
    return RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY,
                           nullptr, key->Receive(), nullptr);
}

LONG AbsentIsDone(LONG result) {
    return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result;
}

}  // namespace

HKEY RegistryRoot(std::string_view name) {
    if (name == "HKLM" || name == "HKEY_LOCAL_MACHINE")
        return HKEY_LOCAL_MACHINE;
    if (name == "HKCU" || name == "HKEY_CURRENT_USER")
        return HKEY_CURRENT_USER;
    return nullptr;
}

LONG WriteRegistryText(HKEY root, const std::wstring& path, const std::string& name,
                       const std::string& text, DWORD size) {
    RegistryKey key;
    if (const LONG created = CreateKeyForValues(root, path, &key); created != ERROR_SUCCESS)
        return created;
    std::vector<BYTE> data(text.begin(), text.end());
    data.resize(std::max<std::size_t>(data.size(), size) + 1, 0);
    // RegSetValueExA, like Windows, counts a forgotten terminator in when the byte after the data
    // is zero; a value meant to end without one needs another byte there.
    if (size <= text.size())
        data[size] = '!';
    return RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ, data.data(), size);
}

LONG WriteRegistryNumber(HKEY root, const std::wstring& path, const std::string& name,
                         DWORD number) {
    RegistryKey key;
    if (const LONG created = CreateKeyForValues(root, path, &key); created != ERROR_SUCCESS)
        return created;
    return RegSetValueExA(key.Get(), name.c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&number), sizeof number);
}

LONG ReadRegistryValue(HKEY root, const std::wstring& path, const std::string& name,
                       RegistryValue* value) {
    RegistryKey key;
    const LONG opened = OpenKey(root, path, KEY_QUERY_VALUE, &key);
    if (opened != ERROR_SUCCESS)
        return opened;
    DWORD size = 0;
    const LONG sized = RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr, nullptr, &size);
    if (sized != ERROR_SUCCESS)
        return sized;
    std::vector<BYTE> data(size + 1, 0);
    const LONG read =
        RegQueryValueExA(key.Get(), name.c_str(), nullptr, &value->type, data.data(), &size);
    if (read != ERROR_SUCCESS)
        return read;
    value->size = size;
    if (value->type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD number = 0;
        std::memcpy(&number, data.data(), sizeof number);
        value->text = std::to_string(number);
    } else {
        value->text.assign(reinterpret_cast<const char*>(data.data()));
    }
    return ERROR_SUCCESS;
}

LONG DeleteRegistryValue(HKEY root, const std::wstring& path, const std::string& name) {
    RegistryKey key;
    const LONG opened = OpenKey(root, path, KEY_SET_VALUE, &key);
    if (opened != ERROR_SUCCESS)
        return AbsentIsDone(opened);
    return AbsentIsDone(RegDeleteValueA(key.Get(), name.c_str()));
}

LONG DeleteRegistryTree(HKEY root, const std::wstring& path) {
    {
        RegistryKey key;
        const LONG opened = OpenKey(root, path, KEY_ALL_ACCESS, &key);
        if (opened != ERROR_SUCCESS)
            return AbsentIsDone(opened);
        const LONG emptied = RegDeleteTreeW(key.Get(), nullptr);
        if (emptied != ERROR_SUCCESS)
            return emptied;
    }
    return AbsentIsDone(RegDeleteKeyExW(root, path.c_str(), KEY_WOW64_32KEY, 0));
}
