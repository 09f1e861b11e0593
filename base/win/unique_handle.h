#pragma once
// A kernel handle (file, mutex, process), closed when the object goes. Files report failure with
// INVALID_HANDLE_VALUE and most other objects with nullptr: both count as no handle.

#include <windows.h>

#include "base/win/owned_handle.h"

inline void CloseKernelHandle(HANDLE handle) {
    CloseHandle(handle);
}

class UniqueHandle : public OwnedHandle<HANDLE, CloseKernelHandle> {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle)
        : OwnedHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
};
