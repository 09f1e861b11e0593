#pragma once
// A wall for exceptions in the callbacks the system calls from its own C code (the DirectX
// enumerations), through which nothing may unwind: the callback runs its work through
// CatchToResult, stops the enumeration on a failure and leaves the answer for the code that
// started it.
//
//     listing.result = CatchToResult([&] { listing.devices.push_back(...); });
//     return SUCCEEDED(listing.result) ? DIENUM_CONTINUE : DIENUM_STOP;

#include <windows.h>

#include <new>

// Runs `work`; S_OK when it returned, E_OUTOFMEMORY when it threw std::bad_alloc, E_FAIL when it
// threw anything else.
template <class Work>
HRESULT CatchToResult(Work&& work) noexcept {
    try {
        work();
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}
