#include "base/win/shell.h"

#include <objbase.h>   // COINIT_APARTMENTTHREADED
#include <shellapi.h>  // SE_ERR_DLLNOTFOUND

namespace {

using CoInitializeExFunction = HRESULT(WINAPI*)(void* reserved, DWORD flags);
using CoUninitializeFunction = void(WINAPI*)();

}  // namespace

Shell::~Shell() {
    if (!comBegun_)
        return;
    if (const auto end = ole32_.Find<CoUninitializeFunction>("CoUninitialize"))
        end();
}

bool Shell::Load() {
    if (execute_ != nullptr)
        return true;
    // COM first, for the life of this object: the shell may hand a document or a web address to
    // a COM-based handler. Without it the shell still starts programs.
    if (!ole32_) {
        ole32_ = LoadedLibrary(L"ole32.dll");
        if (const auto begin = ole32_.Find<CoInitializeExFunction>("CoInitializeEx")) {
            comBegun_ =
                SUCCEEDED(begin(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
        }
    }
    shell32_ = LoadedLibrary(L"shell32.dll");
    // Pinned, as a linked DLL would be: the shell may go on working in threads of its own (a DDE
    // conversation, a handler's objects) after ShellExecuteA has returned, so its code stays
    // until the process ends.
    HMODULE pinned = nullptr;
    if (shell32_)
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN, L"shell32.dll", &pinned);
    execute_ = shell32_.Find<ShellExecuteFunction>("ShellExecuteA");
    return execute_ != nullptr;
}

std::intptr_t Shell::Open(HWND owner, const char* file, const char* parameters) {
    if (!Load())
        return SE_ERR_DLLNOTFOUND;
    return reinterpret_cast<std::intptr_t>(
        execute_(owner, "open", file, parameters, nullptr, SW_SHOWDEFAULT));
}
