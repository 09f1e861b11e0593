#pragma once
// The game's registry key for the Windows-side tests: sets and removes the "Location" value in
// the 32-bit view the programs read, and puts back what was there when the test ends.

#include <windows.h>

#include <optional>
#include <string>

class GameRegistry {
  public:
    GameRegistry();   // remembers the key's state
    ~GameRegistry();  // restores it

    void SetLocation(const std::string& folder);
    // A string value of exactly these bytes: no terminator is added.
    void SetLocationBytes(const std::string& bytes);
    void SetLocationDword(DWORD value);
    void RemoveLocation();
    void RemoveKey();

  private:
    HKEY CreateKey();

    bool keyExisted_ = false;
    std::optional<std::string> savedLocation_;
};

// A folder of its own under the temporary folder, removed with its files when the test ends.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

  private:
    std::string path_;
};
