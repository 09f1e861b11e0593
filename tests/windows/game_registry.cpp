#include "game_registry.h"

#include <filesystem>
#include <stdexcept>
#include <vector>

#include "settings/install_folder.h"

namespace {

constexpr REGSAM kView = KEY_WOW64_32KEY;

}  // namespace

GameRegistry::GameRegistry() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kGameKeyPath, 0, KEY_READ | kView, &key) !=
        ERROR_SUCCESS) {
        return;
    }
    keyExisted_ = true;
    char buffer[1024] = {};
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    if (RegQueryValueExA(key, kLocationValue, nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                         &size) == ERROR_SUCCESS) {
        savedLocation_ = std::string(buffer, size);
    }
    RegCloseKey(key);
}

GameRegistry::~GameRegistry() {
    if (!keyExisted_) {
        RemoveKey();
        return;
    }
    if (savedLocation_) {
        SetLocationBytes(*savedLocation_);
    } else {
        RemoveLocation();
    }
}

HKEY GameRegistry::CreateKey() {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGameKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS | kView,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot create the game's registry key");
    }
    return key;
}

void GameRegistry::SetLocation(const std::string& folder) {
    SetLocationBytes(std::string(folder.c_str(), folder.size() + 1));
}

void GameRegistry::SetLocationBytes(const std::string& bytes) {
    const HKEY key = CreateKey();
    RegSetValueExA(key, kLocationValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

void GameRegistry::SetLocationDword(DWORD value) {
    const HKEY key = CreateKey();
    RegSetValueExA(key, kLocationValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof value);
    RegCloseKey(key);
}

void GameRegistry::RemoveLocation() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kGameKeyPath, 0, KEY_ALL_ACCESS | kView, &key) ==
        ERROR_SUCCESS) {
        RegDeleteValueA(key, kLocationValue);
        RegCloseKey(key);
    }
}

void GameRegistry::RemoveKey() {
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kGameKeyPath, kView, 0);
}

ScratchFolder::ScratchFolder() {
    static unsigned counter = 0;
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    path_ = std::string(temp) + "tavrin-win-test-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(counter++);
    std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}
