#pragma once
// Replacing a file whole, so that a write that fails part-way never leaves half a file, while the
// file keeps what an overwrite in place would keep (its attributes, permissions and creation
// time) and other processes meet the same share rules as with an overwrite in place.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// How a reader or writer opens a file: its access and its share mode.
struct FileAccess {
    DWORD access;
    DWORD share;
};

// Replaces the file at `path` with `bytes`, as a writer opening it with `access` and
// CREATE_ALWAYS would, and fails exactly where that open would collide with another process's
// open of the file.
//
// The new contents are written to "<path>.new" first. The old file is held open with the writer's
// share mode from the start to the end, is moved aside only once the new file is complete, and
// the new file takes its name while still open with the same share mode: another process that
// arrives meanwhile finds the file held as the writer would hold it, or (for the moment between
// the two moves) no file at all, as when it collides with the writer. The new file takes over the
// old one's attributes, permissions and creation time.
//
// Where a file beside it cannot be created or the old one cannot be moved aside (a folder in which
// the player may write this file but create no other, or a file that may be written but not
// deleted), the file is overwritten in place instead, as through the writer's own open.
bool ReplaceFileContents(const std::string& path, const std::vector<std::uint8_t>& bytes,
                         FileAccess access);
