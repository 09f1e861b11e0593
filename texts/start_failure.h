#pragma once
// Which message the launcher shows when the shell fails to start a program, document or web
// address.

#include <cstdint>
#include <optional>

#include "texts/local_text.h"

// The start results that have messages of their own, numbered as ShellExecuteA returns them
// (Windows names in the comments). Any result above kLastStartFailure is a successful start.
inline constexpr std::intptr_t kStartOutOfResources = 0;
inline constexpr std::intptr_t kStartFileNotFound = 2;       // ERROR_FILE_NOT_FOUND
inline constexpr std::intptr_t kStartPathNotFound = 3;       // ERROR_PATH_NOT_FOUND
inline constexpr std::intptr_t kStartOutOfMemory = 8;        // SE_ERR_OOM
inline constexpr std::intptr_t kStartSharingViolation = 26;  // SE_ERR_SHARE
inline constexpr std::intptr_t kStartNoAssociation = 31;     // SE_ERR_NOASSOC
inline constexpr std::intptr_t kLastStartFailure = 32;

// The message for `shellExecuteResult`, or nothing when the start succeeded. `fileTypeAction`
// is true for the actions that open a document by its file type (Read Me and Register): only
// they explain a missing association; every other action shows the general error for it.
std::optional<LocalText> StartFailureText(std::intptr_t shellExecuteResult, bool fileTypeAction);
