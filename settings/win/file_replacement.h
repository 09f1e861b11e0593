#pragma once
// Replacing a file whole, so that a write that fails or stops part-way never leaves half a file,
// while the file keeps what an overwrite in place would keep (its attributes, permissions and
// creation time) and other processes meet the same share rules as with an overwrite in place.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "settings/write_outcome.h"

// How a reader or writer opens a file: its access and its share mode.
struct FileAccess {
    DWORD access;
    DWORD share;
};

// Where a test makes the replacement fail: every file call the replacement makes asks first,
// and fails without being made when the answer is yes.
class FileCallFaults {
  public:
    virtual ~FileCallFaults() = default;
    virtual bool NextCallFails() = 0;
};

// Replaces the file at `path` with `bytes`, as a writer opening it with `access` and
// CREATE_ALWAYS would, and fails exactly where that open would fail: the file held by another
// process in a way the writer's share mode cannot meet, read-only, or denied.
//
// The new contents are written and flushed beside the file under a name of this process's own
// ("tavrin.dat.<process id>.new"), given the old file's attributes, permissions and creation
// time, and then renamed over the file in one step: at every moment the file holds the old bytes
// or the new ones, whatever stops the write. The old file is held with the writer's share mode
// until that last step, and the new one takes the name while still open with it. A file that a
// stopped write left beside the file under such a name, and that nobody holds open, is removed
// by the next write; no other file is ever removed or changed.
//
// The file is overwritten in place instead, through the writer's own open, where a replacement
// would break what the player set up or is not allowed: a file that is a symbolic link or has
// other hard links (written through the link, so that every name sees the new bytes), a folder in
// which the player may write this file but create no other, a file that may be written but not
// replaced, and a file that another process opened in the moment between the old one being let
// go and the new one taking the name.
WriteOutcome ReplaceFileContents(const std::wstring& path, const std::vector<std::uint8_t>& bytes,
                                 FileAccess access, FileCallFaults* faults = nullptr);
