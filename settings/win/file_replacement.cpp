#include "settings/win/file_replacement.h"

#include <cstddef>
#include <cstring>

#include "base/win/unique_handle.h"

namespace {

// What the replacement asks of the old file beyond the writer's access: reading its attributes
// and permissions, which no share mode governs, and moving it aside, which the share modes of
// other opens must allow (DELETE).
constexpr DWORD kOldFileRights = FILE_READ_ATTRIBUTES | READ_CONTROL | DELETE;
// The new file is written, given the old one's permissions, and moved into place.
constexpr DWORD kNewFileRights = GENERIC_WRITE | WRITE_DAC | DELETE;
// The attributes a player or installer gives a file; the others describe how it is stored.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

std::wstring WideFromAnsi(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

UniqueHandle Open(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
    return UniqueHandle(CreateFileA(path.c_str(), access, share, nullptr, disposition,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool WriteAll(HANDLE file, const std::vector<std::uint8_t>& bytes) {
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

bool WriteAndFlush(HANDLE file, const std::vector<std::uint8_t>& bytes) {
    return WriteAll(file, bytes) && FlushFileBuffers(file);
}

// Writes an open file from its start and cuts it after `bytes`, as an overwrite in place does.
bool Overwrite(HANDLE file, const std::vector<std::uint8_t>& bytes) {
    const LARGE_INTEGER start = {};
    return SetFilePointerEx(file, start, nullptr, FILE_BEGIN) && WriteAll(file, bytes) &&
           SetEndOfFile(file) && FlushFileBuffers(file);
}

// Gives the file open as `file` the full path `path`, in its own folder. The file stays open,
// with its share mode, under the new name.
bool MoveOpenFile(HANDLE file, const std::wstring& path, bool replaceExisting) {
    if (path.empty())
        return false;
    const std::size_t nameBytes = path.size() * sizeof(wchar_t);
    std::vector<std::byte> buffer(offsetof(FILE_RENAME_INFO, FileName) + nameBytes +
                                  sizeof(wchar_t));
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = replaceExisting ? TRUE : FALSE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(nameBytes);
    std::memcpy(rename->FileName, path.c_str(), nameBytes + sizeof(wchar_t));
    return SetFileInformationByHandle(file, FileRenameInfo, rename,
                                      static_cast<DWORD>(buffer.size())) != FALSE;
}

// The file goes when its last handle is closed.
void DeleteWhenClosed(HANDLE file) {
    FILE_DISPOSITION_INFO disposition = {};
    disposition.DeleteFile = TRUE;
    SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition);
}

// Gives `to` the attributes, creation time and permissions of `from`; false when any of them
// cannot be taken over, since the new file would then be more or less open than the old one.
bool TakeOverProtection(HANDLE from, HANDLE to) {
    FILE_BASIC_INFO old = {};
    if (!GetFileInformationByHandleEx(from, FileBasicInfo, &old, sizeof old))
        return false;
    FILE_BASIC_INFO kept = {};  // times left zero stay as they are
    kept.CreationTime = old.CreationTime;
    kept.FileAttributes = old.FileAttributes & kKeptAttributes;
    if (kept.FileAttributes == 0)
        kept.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    if (!SetFileInformationByHandle(to, FileBasicInfo, &kept, sizeof kept))
        return false;

    DWORD size = 0;
    GetKernelObjectSecurity(from, DACL_SECURITY_INFORMATION, nullptr, 0, &size);
    if (size == 0)
        return false;
    std::vector<std::byte> permissions(size);
    return GetKernelObjectSecurity(from, DACL_SECURITY_INFORMATION, permissions.data(), size,
                                   &size) &&
           SetKernelObjectSecurity(to, DACL_SECURITY_INFORMATION, permissions.data());
}

// No file yet: the new one is written beside its name and moved there once complete.
bool CreateWhole(const std::string& path, const std::vector<std::uint8_t>& bytes,
                 FileAccess access) {
    const UniqueHandle staged = Open(path + ".new", kNewFileRights, access.share, CREATE_ALWAYS);
    if (!staged) {
        const UniqueHandle file = Open(path, access.access, access.share, CREATE_ALWAYS);
        return file && WriteAndFlush(file.Get(), bytes);
    }
    if (WriteAndFlush(staged.Get(), bytes) && MoveOpenFile(staged.Get(), WideFromAnsi(path), true))
        return true;
    DeleteWhenClosed(staged.Get());
    return false;
}

}  // namespace

bool ReplaceFileContents(const std::string& path, const std::vector<std::uint8_t>& bytes,
                         FileAccess access) {
    // Held from here to the end with the writer's share mode: the old file while it has the name,
    // then the new one.
    const UniqueHandle old =
        Open(path, access.access | kOldFileRights, access.share, OPEN_EXISTING);
    if (!old) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND)
            return CreateWhole(path, bytes, access);
        if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)
            return false;
        // The file may be written but not moved aside: no right to delete it, or another process
        // holds it sharing writing but not deletion. Overwritten in place, the writer's own open
        // decides.
        const UniqueHandle file = Open(path, access.access, access.share, OPEN_EXISTING);
        return file && Overwrite(file.Get(), bytes);
    }

    const UniqueHandle staged = Open(path + ".new", kNewFileRights, access.share, CREATE_ALWAYS);
    if (!staged)  // a folder where no new file may be created
        return Overwrite(old.Get(), bytes);
    if (!WriteAndFlush(staged.Get(), bytes)) {
        DeleteWhenClosed(staged.Get());
        return false;
    }
    if (!TakeOverProtection(old.Get(), staged.Get()) ||
        !MoveOpenFile(old.Get(), WideFromAnsi(path + ".old"), true)) {
        DeleteWhenClosed(staged.Get());
        return Overwrite(old.Get(), bytes);
    }
    if (!MoveOpenFile(staged.Get(), WideFromAnsi(path), false)) {
        // Another process created the file in the moment it had no name: the old one goes back
        // where it can, and the newcomer's file wins as the later one.
        MoveOpenFile(old.Get(), WideFromAnsi(path), false);
        DeleteWhenClosed(staged.Get());
        return false;
    }
    DeleteWhenClosed(old.Get());
    return true;
}
