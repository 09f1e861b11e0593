#include "settings/win/file_replacement.h"

#include <cstddef>
#include <cstring>
#include <cwctype>
#include <iterator>
#include <optional>
#include <string_view>

#include "base/win/unique_handle.h"

namespace {

// What the replacement asks of the old file beyond the writer's access: reading its attributes,
// link count and permissions, which no share mode governs.
constexpr DWORD kOldFileRights = FILE_READ_ATTRIBUTES | READ_CONTROL;
// The new file is written, given the old one's attributes and permissions, and renamed.
constexpr DWORD kNewFileRights = GENERIC_WRITE | FILE_WRITE_ATTRIBUTES | WRITE_DAC | DELETE;
// The attributes a player or installer gives a file; the others describe how it is stored.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
// The end of the names of staged files.
constexpr wchar_t kStagedSuffix[] = L".new";

// What the old file passes on to the new one.
struct Protection {
    FILE_BASIC_INFO basic = {};
    std::vector<std::byte> permissions;
};

// The file calls of one replacement, each of which a test may make fail. Closing a handle is not
// among them: a process that stops closes its handles too.
class FileCalls {
  public:
    explicit FileCalls(FileCallFaults* faults) : faults_(faults) {}

    UniqueHandle Open(const std::wstring& path, DWORD access, DWORD share, DWORD disposition) {
        if (Injected())
            return UniqueHandle();
        return UniqueHandle(CreateFileW(path.c_str(), access, share, nullptr, disposition,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    }

    bool Write(HANDLE file, const std::vector<std::uint8_t>& bytes) {
        DWORD written = 0;
        return !Injected() &&
               WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
               written == bytes.size();
    }

    bool Flush(HANDLE file) { return !Injected() && FlushFileBuffers(file); }

    bool Rewind(HANDLE file) {
        const LARGE_INTEGER start = {};
        return !Injected() && SetFilePointerEx(file, start, nullptr, FILE_BEGIN);
    }

    bool Truncate(HANDLE file) { return !Injected() && SetEndOfFile(file); }

    bool GetInformation(HANDLE file, FILE_INFO_BY_HANDLE_CLASS kind, void* info, DWORD size) {
        return !Injected() && GetFileInformationByHandleEx(file, kind, info, size);
    }

    bool SetInformation(HANDLE file, FILE_INFO_BY_HANDLE_CLASS kind, void* info, DWORD size) {
        return !Injected() && SetFileInformationByHandle(file, kind, info, size);
    }

    bool LinkCount(HANDLE file, DWORD& links) {
        BY_HANDLE_FILE_INFORMATION info = {};
        if (Injected() || !GetFileInformationByHandle(file, &info))
            return false;
        links = info.nNumberOfLinks;
        return true;
    }

    // The path the file's handle leads to, links followed, in its long form.
    std::optional<std::wstring> FinalPath(HANDLE file) {
        if (Injected())
            return std::nullopt;
        std::wstring path(MAX_PATH, L'\0');
        DWORD length = GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()),
                                                 VOLUME_NAME_DOS);
        if (length >= path.size()) {
            path.resize(length);
            length = GetFinalPathNameByHandleW(file, path.data(), length, VOLUME_NAME_DOS);
        }
        if (length == 0 || length >= path.size())
            return std::nullopt;
        path.resize(length);
        return path;
    }

    // The attributes of the name itself, a link not followed.
    DWORD Attributes(const std::wstring& path) {
        return Injected() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
    }

    std::optional<std::vector<std::byte>> Permissions(HANDLE file) {
        if (Injected())
            return std::nullopt;
        DWORD size = 0;
        GetKernelObjectSecurity(file, DACL_SECURITY_INFORMATION, nullptr, 0, &size);
        if (size == 0)
            return std::nullopt;
        std::vector<std::byte> permissions(size);
        if (!GetKernelObjectSecurity(file, DACL_SECURITY_INFORMATION, permissions.data(), size,
                                     &size)) {
            return std::nullopt;
        }
        return permissions;
    }

    bool SetPermissions(HANDLE file, std::vector<std::byte>& permissions) {
        return !Injected() &&
               SetKernelObjectSecurity(file, DACL_SECURITY_INFORMATION, permissions.data());
    }

    // The names in `folderPattern` ("C:\Games\tavrin.dat.*.new"), without their folder.
    std::vector<std::wstring> Find(const std::wstring& folderPattern) {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found = {};
        if (Injected())
            return names;
        const HANDLE search = FindFirstFileW(folderPattern.c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            names.emplace_back(found.cFileName);
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return names;
    }

  private:
    bool Injected() {
        if (faults_ == nullptr || !faults_->NextCallFails())
            return false;
        SetLastError(ERROR_IO_DEVICE);
        return true;
    }

    FileCallFaults* faults_;
};

// The replacement of one file.
class Replacement {
  public:
    Replacement(const std::wstring& path, const std::vector<std::uint8_t>& bytes, FileAccess access,
                FileCallFaults* faults)
        : path_(path), bytes_(bytes), access_(access), calls_(faults) {}

    WriteOutcome Run() {
        RemoveLeftovers();
        // Held with the writer's share mode until the new file takes the name: the writer's own
        // open, which decides whether the file may be written at all.
        UniqueHandle old =
            calls_.Open(path_, access_.access | kOldFileRights, access_.share, OPEN_EXISTING);
        if (!old) {
            if (GetLastError() == ERROR_FILE_NOT_FOUND)
                return CreateWhole();
            return WriteOutcome::NotWritten;
        }
        if (IsLinked(old.Get()))
            return Overwrite(old.Get());
        // A new file that cannot be given the old one's protection would be more or less open
        // than the old one: the file is then written in place.
        std::optional<Protection> protection = ProtectionOf(old.Get());
        if (!protection)
            return Overwrite(old.Get());
        const UniqueHandle staged = Stage();
        if (!staged)  // a folder where no new file may be created
            return Overwrite(old.Get());
        if (!Protect(staged.Get(), *protection)) {
            Discard(staged.Get());
            return Overwrite(old.Get());
        }
        // An open file cannot be replaced: the old one is let go only now.
        old.Reset();
        if (Rename(staged.Get(), true))
            return WriteOutcome::Written;
        // Another process opened the file meanwhile, or it may be written but not replaced: the
        // writer's own open decides, in place.
        Discard(staged.Get());
        const UniqueHandle again = calls_.Open(path_, access_.access, access_.share, OPEN_EXISTING);
        return again ? Overwrite(again.Get()) : WriteOutcome::NotWritten;
    }

  private:
    // No file yet: the new one is written beside its name and takes it once complete.
    WriteOutcome CreateWhole() {
        const UniqueHandle staged = Stage();
        if (!staged) {
            const UniqueHandle file = calls_.Open(path_, access_.access, access_.share, CREATE_NEW);
            if (!file)
                return WriteOutcome::NotWritten;
            return calls_.Write(file.Get(), bytes_) && calls_.Flush(file.Get())
                       ? WriteOutcome::Written
                       : WriteOutcome::PartlyWritten;
        }
        if (Rename(staged.Get(), false))
            return WriteOutcome::Written;
        Discard(staged.Get());
        return WriteOutcome::NotWritten;
    }

    // The staged file, written and flushed; nothing when it cannot be made or written.
    UniqueHandle Stage() {
        UniqueHandle staged = calls_.Open(StagedPath(GetCurrentProcessId()), kNewFileRights,
                                          access_.share, CREATE_NEW);
        if (!staged)
            return staged;
        if (calls_.Write(staged.Get(), bytes_) && calls_.Flush(staged.Get()))
            return staged;
        Discard(staged.Get());
        return UniqueHandle();
    }

    std::wstring StagedPath(DWORD processId) const {
        return path_ + L"." + std::to_wstring(processId) + kStagedSuffix;
    }

    // Whether writing a new file under the name would break a link the player made: the name is
    // a symbolic link (Windows marks it a reparse point; a symbolic link of the file system that
    // Wine runs on shows only in the handle leading elsewhere), or the file has other names.
    // What cannot be told counts as a link.
    bool IsLinked(HANDLE old) {
        const DWORD attributes = calls_.Attributes(path_);
        if (attributes == INVALID_FILE_ATTRIBUTES ||
            (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
            return true;
        }
        const std::optional<std::wstring> final = calls_.FinalPath(old);
        if (!final || !SamePath(*final, LongPath(path_)))
            return true;
        DWORD links = 0;
        return !calls_.LinkCount(old, links) || links > 1;
    }

    static std::wstring LongPath(const std::wstring& path) {
        std::wstring longPath(GetLongPathNameW(path.c_str(), nullptr, 0), L'\0');
        const DWORD length =
            GetLongPathNameW(path.c_str(), longPath.data(), static_cast<DWORD>(longPath.size()));
        if (length == 0 || length >= longPath.size())
            return path;
        longPath.resize(length);
        return longPath;
    }

    // Whether two full paths name the same place, as the file system compares names; the final
    // path comes with the "\\?\" of a path without a length limit.
    static bool SamePath(std::wstring_view final, std::wstring_view path) {
        constexpr std::wstring_view kLongPathPrefix = L"\\\\?\\";
        if (final.substr(0, kLongPathPrefix.size()) == kLongPathPrefix)
            final.remove_prefix(kLongPathPrefix.size());
        return CompareStringOrdinal(final.data(), static_cast<int>(final.size()), path.data(),
                                    static_cast<int>(path.size()), TRUE) == CSTR_EQUAL;
    }

    std::optional<Protection> ProtectionOf(HANDLE old) {
        Protection protection;
        if (!calls_.GetInformation(old, FileBasicInfo, &protection.basic, sizeof protection.basic))
            return std::nullopt;
        std::optional<std::vector<std::byte>> permissions = calls_.Permissions(old);
        if (!permissions)
            return std::nullopt;
        protection.permissions = std::move(*permissions);
        return protection;
    }

    // Gives the staged file the old one's attributes, creation time and permissions.
    bool Protect(HANDLE staged, Protection& protection) {
        FILE_BASIC_INFO kept = {};  // times left zero stay as they are
        kept.CreationTime = protection.basic.CreationTime;
        kept.FileAttributes = protection.basic.FileAttributes & kKeptAttributes;
        if (kept.FileAttributes == 0)
            kept.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        return calls_.SetInformation(staged, FileBasicInfo, &kept, sizeof kept) &&
               calls_.SetPermissions(staged, protection.permissions);
    }

    // Gives the open file `file` the name of the file being written. The file stays open, with
    // its share mode, under the new name.
    bool Rename(HANDLE file, bool replaceExisting) {
        const std::size_t nameBytes = path_.size() * sizeof(wchar_t);
        std::vector<std::byte> buffer(offsetof(FILE_RENAME_INFO, FileName) + nameBytes +
                                      sizeof(wchar_t));
        auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
        rename->ReplaceIfExists = replaceExisting ? TRUE : FALSE;
        rename->RootDirectory = nullptr;
        rename->FileNameLength = static_cast<DWORD>(nameBytes);
        std::memcpy(rename->FileName, path_.c_str(), nameBytes + sizeof(wchar_t));
        return calls_.SetInformation(file, FileRenameInfo, rename,
                                     static_cast<DWORD>(buffer.size()));
    }

    // The staged file goes when its handle is closed.
    void Discard(HANDLE staged) {
        FILE_DISPOSITION_INFO disposition = {};
        disposition.DeleteFile = TRUE;
        calls_.SetInformation(staged, FileDispositionInfo, &disposition, sizeof disposition);
    }

    // Writes an open file from its start and cuts it after the new bytes.
    WriteOutcome Overwrite(HANDLE file) {
        if (!calls_.Rewind(file))
            return WriteOutcome::NotWritten;
        return calls_.Write(file, bytes_) && calls_.Truncate(file) && calls_.Flush(file)
                   ? WriteOutcome::Written
                   : WriteOutcome::PartlyWritten;
    }

    // Removes the staged files that writes which stopped part-way left beside the file. Only
    // names of the form "<file>.<digits>.new" are looked at, and only files that nobody holds
    // open go: a write still under way holds its own.
    void RemoveLeftovers() {
        const std::size_t slash = path_.find_last_of(L"\\/");
        const std::wstring folder = slash == std::wstring::npos ? L"" : path_.substr(0, slash + 1);
        const std::wstring prefix = path_.substr(folder.size()) + L".";
        for (const std::wstring& name : calls_.Find(path_ + L".*" + kStagedSuffix)) {
            if (!IsStagedName(name, prefix))
                continue;
            const UniqueHandle leftover = calls_.Open(folder + name, DELETE, 0, OPEN_EXISTING);
            if (leftover)
                Discard(leftover.Get());
        }
    }

    static bool IsStagedName(const std::wstring& name, const std::wstring& prefix) {
        const std::size_t suffixLength = std::size(kStagedSuffix) - 1;
        if (name.size() <= prefix.size() + suffixLength ||
            _wcsnicmp(name.c_str(), prefix.c_str(), prefix.size()) != 0 ||
            _wcsicmp(name.c_str() + name.size() - suffixLength, kStagedSuffix) != 0) {
            return false;
        }
        for (std::size_t at = prefix.size(); at < name.size() - suffixLength; ++at) {
            if (!std::iswdigit(name[at]))
                return false;
        }
        return true;
    }

    const std::wstring& path_;
    const std::vector<std::uint8_t>& bytes_;
    FileAccess access_;
    FileCalls calls_;
};

}  // namespace

WriteOutcome ReplaceFileContents(const std::wstring& path, const std::vector<std::uint8_t>& bytes,
                                 FileAccess access, FileCallFaults* faults) {
    // A rename takes a full path: a relative one would be taken relative to the file's folder.
    const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0)
        return WriteOutcome::NotWritten;
    std::wstring full(length, L'\0');
    full.resize(GetFullPathNameW(path.c_str(), length, full.data(), nullptr));
    return Replacement(full, bytes, access, faults).Run();
}
