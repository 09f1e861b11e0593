#pragma once
// The programs a test starts, and those they start in turn: all of them end with the test.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "e2e/support/wine_process.h"

namespace e2e {

class Programs {
  public:
    explicit Programs(const WineEnvironment& wine) : wine_(wine) {}
    // Kills every program started here and every program run from `folder` (set by Watch).
    ~Programs();
    Programs(const Programs&) = delete;
    Programs& operator=(const Programs&) = delete;

    // Programs run from this folder are ended with the test, whoever started them (the setup
    // tool starts the launcher, the launcher the setup tool and the game).
    void Watch(const std::filesystem::path& folder) { watched_ = folder; }

    // Starts `program` with `arguments` in `workingFolder` (its own folder when empty).
    WineProcess& Start(const std::filesystem::path& program, std::vector<std::string> arguments,
                       std::filesystem::path workingFolder = {},
                       std::vector<std::pair<std::string, std::string>> environment = {});

    // Whether a program of the watched folder whose file name is `name` runs now.
    bool Running(const std::string& name) const;
    void KillWatched() const;

  private:
    const WineEnvironment& wine_;
    std::filesystem::path watched_;
    std::vector<std::unique_ptr<WineProcess>> started_;
};

// Moves the mouse pointer to a corner of the screen, where it shows no tooltip.
bool ParkMousePointer();

}  // namespace e2e
