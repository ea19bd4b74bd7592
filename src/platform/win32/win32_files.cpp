#include "platform/win32/win32_files.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/system_code_page.h"

namespace tandrel {

namespace {

using win32::IsSystemLeadByte;

// Indexers and virus scanners hold files for a moment after they are written:
// such failures are retried for about a second.
constexpr int kAttempts = 10;
constexpr DWORD kPauseMilliseconds = 100;

bool IsPassingLock(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED || error == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

template <typename Attempt>
bool WithRetries(Attempt attempt) {
    for (int i = 0; i < kAttempts; ++i) {
        if (attempt()) {
            return true;
        }
        if (!IsPassingLock(GetLastError())) {
            return false;
        }
        Sleep(kPauseMilliseconds);
    }
    return false;
}

class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (valid()) {
            CloseHandle(handle_);
        }
    }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    bool Close() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return CloseHandle(handle) != 0;
    }

  private:
    HANDLE handle_;
};

std::string FullPath(const std::string& path) {
    const DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return path;
    }
    std::string full(needed, '\0');
    const DWORD length = GetFullPathNameA(path.c_str(), needed, &full[0], nullptr);
    if (length == 0 || length >= needed) {
        return path;
    }
    full.resize(length);
    return full;
}

std::string FolderOf(const std::string& path) {
    const auto slash = FindLastOf(path, "\\/", IsSystemLeadByte);
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

bool WriteBytes(HANDLE file, std::string_view content) {
    const char* data = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const DWORD chunk = left > 0x10000000 ? 0x10000000 : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!::WriteFile(file, data, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

// Writes the pieces one after another, never joined whole: small ones are
// gathered into writes of 64 KB, large ones written from where they lie.
bool WriteAllPieces(HANDLE file, const std::vector<std::string_view>& pieces) {
    constexpr std::size_t kGathered = 64 * 1024;
    std::string gathered;
    gathered.reserve(kGathered);
    for (const std::string_view piece : pieces) {
        if (gathered.size() + piece.size() <= kGathered) {
            gathered.append(piece);
            continue;
        }
        if (!WriteBytes(file, gathered)) {
            return false;
        }
        gathered.clear();
        if (piece.size() >= kGathered) {
            if (!WriteBytes(file, piece)) {
                return false;
            }
        } else {
            gathered.append(piece);
        }
    }
    return WriteBytes(file, gathered);
}

// Writes the pieces into a fresh temporary file in the target's folder,
// flushed. Returns its path, or an empty text when anything failed (nothing
// is left).
std::string WriteTemporaryBeside(const std::string& full_target,
                                 const std::vector<std::string_view>& pieces) {
    char temp_name[MAX_PATH + 1] = {};
    if (GetTempFileNameA(FolderOf(full_target).c_str(), "tdr", 0, temp_name) == 0) {
        return std::string();
    }
    const std::string temp_path = temp_name;
    Handle file(CreateFileA(temp_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        DeleteFileA(temp_path.c_str());
        return std::string();
    }
    const bool written = WriteAllPieces(file.get(), pieces) && FlushFileBuffers(file.get());
    if (!file.Close() || !written) {
        DeleteFileA(temp_path.c_str());
        return std::string();
    }
    return temp_path;
}

// Opens a file for reading; INVALID_HANDLE_VALUE (and the error set) when it
// cannot be opened or is no file on a disk (a pipe, a console, a device).
HANDLE OpenPlainFile(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
    HANDLE file = CreateFileA(path.c_str(), access, share, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE && GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        SetLastError(ERROR_INVALID_FUNCTION);
        return INVALID_HANDLE_VALUE;
    }
    return file;
}

// A file name of the wide API in the code page of the ANSI one, as
// FindFirstFileA gives it.
std::string NarrowName(const WCHAR* wide, std::size_t length) {
    const UINT code_page = AreFileApisANSI() ? CP_ACP : CP_OEMCP;
    const int wide_length = static_cast<int>(length);
    const int size =
        WideCharToMultiByte(code_page, 0, wide, wide_length, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(std::max(size, 0)), '\0');
    if (size > 0) {
        WideCharToMultiByte(code_page, 0, wide, wide_length, &narrow[0], size, nullptr, nullptr);
    }
    return narrow;
}

// Whether a directory entry is a link: a symbolic link or a junction. Other
// reparse points (a cloud file's placeholder, a deduplicated file) are the
// files and folders they stand for.
bool IsLinkEntry(const WIN32_FIND_DATAA& found) {
    return (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
           (found.dwReserved0 == IO_REPARSE_TAG_SYMLINK ||
            found.dwReserved0 == IO_REPARSE_TAG_MOUNT_POINT);
}

// The lock file: made with CREATE_NEW and removed when its handle closes,
// also when the process ends without closing it.
class Win32FileLock final : public FileLock {
  public:
    explicit Win32FileLock(HANDLE file) : file_(file) {}
    Win32FileLock(const Win32FileLock&) = delete;
    Win32FileLock& operator=(const Win32FileLock&) = delete;
    ~Win32FileLock() override { CloseHandle(file_); }

  private:
    HANDLE file_;
};

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool MoveOver(const std::string& from, const std::string& to) {
    return WithRetries([&] {
        return MoveFileExA(from.c_str(), to.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    });
}

// Puts the temporary file in place of the target; with a backup name, the
// former target becomes the backup. False leaves the target as it was.
bool MoveIntoPlace(const std::string& temp_path, const std::string& target,
                   const std::string& backup) {
    if (!Exists(target)) {
        return MoveOver(temp_path, target);
    }
    const char* backup_name = backup.empty() ? nullptr : backup.c_str();
    bool replaced = false;
    DWORD error = 0;
    WithRetries([&] {
        replaced = ReplaceFileA(target.c_str(), temp_path.c_str(), backup_name,
                                REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0;
        error = replaced ? 0 : GetLastError();
        return replaced;
    });
    if (replaced) {
        return true;
    }
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        // The former file already carries the backup name; the new content
        // still has its temporary name. Finish the move, or put the old back.
        if (MoveOver(temp_path, target)) {
            return true;
        }
        if (!backup.empty()) {
            MoveOver(backup, target);
        }
    }
    return false;
}

// A temporary file written in its target's folder, removed unless it was put
// in place.
class Win32StagedReplacement final : public StagedReplacement {
  public:
    Win32StagedReplacement(std::string target, std::string temp_path)
        : target_(std::move(target)), temp_path_(std::move(temp_path)) {}
    Win32StagedReplacement(const Win32StagedReplacement&) = delete;
    Win32StagedReplacement& operator=(const Win32StagedReplacement&) = delete;
    ~Win32StagedReplacement() override {
        if (!temp_path_.empty()) {
            DeleteFileA(temp_path_.c_str());
        }
    }

    // Puts the temporary file in place; it is no longer this one's then.
    bool PutInPlace(const std::string& full_backup) {
        if (!MoveIntoPlace(temp_path_, target_, full_backup)) {
            return false;
        }
        temp_path_.clear();
        return true;
    }

  private:
    std::string target_;
    std::string temp_path_;
};

}  // namespace

ReadStatus Win32Files::ReadFile(const std::string& path, std::string& content) {
    content.clear();
    const ReadStatus status =
        ReadFileInPieces(path, [&content](std::string_view piece) { content += piece; });
    if (status != ReadStatus::Ok) {
        content.clear();
    }
    return status;
}

ReadStatus Win32Files::ReadFileInPieces(const std::string& path,
                                        const std::function<void(std::string_view)>& take) {
    HANDLE opened = INVALID_HANDLE_VALUE;
    DWORD error = 0;
    WithRetries([&] {
        // Sharing delete too, so that a reader does not hold up a writer's
        // rename of the file (a rule file's kept versions move on each rewrite).
        opened =
            OpenPlainFile(path, GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
        error = opened == INVALID_HANDLE_VALUE ? GetLastError() : 0;
        return opened != INVALID_HANDLE_VALUE;
    });
    Handle file(opened);
    if (!file.valid()) {
        return (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
                   ? ReadStatus::Missing
                   : ReadStatus::Failed;
    }
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
            return ReadStatus::Failed;
        }
        if (got == 0) {
            return ReadStatus::Ok;
        }
        take(std::string_view(buffer, got));
    }
}

std::unique_ptr<StagedReplacement> Win32Files::StageReplacement(
    const std::string& path, const std::vector<std::string_view>& pieces) {
    std::string target = FullPath(path);
    std::string temp_path = WriteTemporaryBeside(target, pieces);
    if (temp_path.empty()) {
        return nullptr;
    }
    return std::make_unique<Win32StagedReplacement>(std::move(target), std::move(temp_path));
}

bool Win32Files::PutInPlace(std::unique_ptr<StagedReplacement> staged,
                            const std::string& backup_path) {
    // Only this port stages what it is given back.
    return static_cast<Win32StagedReplacement&>(*staged).PutInPlace(
        backup_path.empty() ? std::string() : FullPath(backup_path));
}

bool Win32Files::AppendFile(const std::string& path, const std::string& content) {
    Handle file(OpenPlainFile(path, FILE_APPEND_DATA, FILE_SHARE_READ, OPEN_ALWAYS));
    if (!file.valid()) {
        return false;
    }
    const bool written = WriteBytes(file.get(), content);
    return file.Close() && written;
}

ReadStatus Win32Files::ReadFileEnd(const std::string& path, std::size_t count, std::string& end) {
    end.clear();
    Handle file(
        OpenPlainFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        return (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
                   ? ReadStatus::Missing
                   : ReadStatus::Failed;
    }
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file.get(), &size)) {
        return ReadStatus::Failed;
    }
    const auto wanted =
        static_cast<DWORD>(std::min<ULONGLONG>(count, static_cast<ULONGLONG>(size.QuadPart)));
    LARGE_INTEGER start = {};
    start.QuadPart = size.QuadPart - static_cast<LONGLONG>(wanted);
    end.resize(wanted);
    DWORD got = 0;
    if (!SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN) ||
        (wanted > 0 &&
         (!::ReadFile(file.get(), &end[0], wanted, &got, nullptr) || got != wanted))) {
        end.clear();
        return ReadStatus::Failed;
    }
    return ReadStatus::Ok;
}

LockTry Win32Files::TryLock(const std::string& lock_path, std::unique_ptr<FileLock>& lock) {
    HANDLE file =
        CreateFileA(lock_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                    CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        lock = std::make_unique<Win32FileLock>(file);
        return LockTry::Taken;
    }
    const DWORD error = GetLastError();
    // A lock file being removed refuses with access denied for a moment;
    // without a lock file there, access denied is the folder's own.
    const bool held = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
                      error == ERROR_SHARING_VIOLATION ||
                      (error == ERROR_ACCESS_DENIED && Exists(lock_path));
    return held ? LockTry::Held : LockTry::Failed;
}

std::uint64_t Win32Files::Microseconds() {
    return GetTickCount64() * 1000;
}

void Win32Files::Pause(std::uint64_t microseconds) {
    Sleep(static_cast<DWORD>((microseconds + 999) / 1000));
}

std::string Win32Files::ResolveLinks(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        return path;
    }
    Handle file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) {
        return path;
    }
    const DWORD needed = GetFinalPathNameByHandleA(file.get(), nullptr, 0, VOLUME_NAME_DOS);
    if (needed == 0) {
        return path;
    }
    std::string final_path(needed, '\0');
    const DWORD length =
        GetFinalPathNameByHandleA(file.get(), &final_path[0], needed, VOLUME_NAME_DOS);
    if (length == 0 || length >= needed) {
        return path;
    }
    final_path.resize(length);
    // "\\?\C:\..." and "\\?\UNC\server\..." as the paths the other functions take.
    if (final_path.rfind("\\\\?\\UNC\\", 0) == 0) {
        return "\\\\" + final_path.substr(8);
    }
    if (final_path.rfind("\\\\?\\", 0) == 0) {
        return final_path.substr(4);
    }
    return final_path;
}

bool Win32Files::IsReadOnly(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool Win32Files::MakeWritable(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0) {
        return true;
    }
    return SetFileAttributesA(path.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY}) != 0;
}

bool Win32Files::IsLink(const std::string& path) {
    WIN32_FIND_DATAA found = {};
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    FindClose(search);
    return IsLinkEntry(found);
}

bool Win32Files::CanOpenForReading(const std::string& path) {
    Handle file(
        OpenPlainFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING));
    return file.valid();
}

bool Win32Files::ListFolder(const std::string& pattern, std::vector<FolderEntry>& entries) {
    entries.clear();
    WIN32_FIND_DATAA found = {};
    // Without the short names, which a listing never uses and which cost a
    // name made up for every entry.
    HANDLE search = FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER) {
        // Windows before 7 knows no basic level.
        search = FindFirstFileExA(pattern.c_str(), FindExInfoStandard, &found,
                                  FindExSearchNameMatch, nullptr, 0);
    }
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES;
    }
    do {
        entries.push_back({found.cFileName,
                           (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                           IsLinkEntry(found)});
    } while (FindNextFileA(search, &found));
    // A listing cut short is no listing: a caller would take what is missing
    // for absent.
    const bool whole = GetLastError() == ERROR_NO_MORE_FILES;
    FindClose(search);
    if (!whole) {
        entries.clear();
    }
    return whole;
}

// The listing is read in pieces through the folder's handle: the first piece
// small, as the first sub-folder is often all that is wanted, the others
// large. A listing through FindFirstFile reads (and looks up) a whole buffer
// of entries at once.
bool Win32Files::VisitFolder(const std::string& folder,
                             const std::function<bool(const FolderEntry&)>& visit) {
    Handle directory(CreateFileA(folder.c_str(), FILE_LIST_DIRECTORY,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!directory.valid()) {
        return false;
    }
    constexpr DWORD kFirstPiece = 1024;  // room for one entry of the longest name
    constexpr DWORD kLaterPiece = 16384;
    std::vector<std::uint64_t> buffer(kLaterPiece / sizeof(std::uint64_t));
    for (DWORD piece = kFirstPiece;; piece = kLaterPiece) {
        if (!GetFileInformationByHandleEx(directory.get(), FileFullDirectoryInfo, buffer.data(),
                                          piece)) {
            const DWORD error = GetLastError();
            if (error != ERROR_NO_MORE_FILES && piece == kFirstPiece) {
                // A file system without this kind of listing is listed as others are.
                return Files::VisitFolder(folder, visit);
            }
            return error == ERROR_NO_MORE_FILES;
        }
        const auto* bytes = reinterpret_cast<const char*>(buffer.data());
        for (std::size_t at = 0;;) {
            const auto* info = reinterpret_cast<const FILE_FULL_DIR_INFO*>(bytes + at);
            FolderEntry entry;
            entry.name = NarrowName(info->FileName, info->FileNameLength / sizeof(WCHAR));
            entry.is_directory = (info->FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            // A reparse point's tag stands where the extended attributes' size would.
            entry.is_link = (info->FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
                            (info->EaSize == IO_REPARSE_TAG_SYMLINK ||
                             info->EaSize == IO_REPARSE_TAG_MOUNT_POINT);
            if (!visit(entry)) {
                return true;
            }
            if (info->NextEntryOffset == 0) {
                break;
            }
            at += info->NextEntryOffset;
        }
    }
}

bool Win32Files::MakeDirectory(const std::string& path) {
    if (CreateDirectoryA(path.c_str(), nullptr)) {
        return true;
    }
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<std::uint64_t> Win32Files::FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::nullopt;
    }
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::optional<FileFacts> Win32Files::Facts(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    // FILETIME counts 100-nanosecond steps from 1601-01-01 UTC.
    constexpr std::uint64_t kStepsTo1970 = 116444736000000000ULL;
    constexpr std::uint64_t kStepsPerSecond = 10000000ULL;
    const std::uint64_t steps =
        (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
        data.ftLastWriteTime.dwLowDateTime;
    FileFacts facts;
    facts.is_directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    facts.size = facts.is_directory
                     ? 0
                     : (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    facts.modified = steps >= kStepsTo1970
                         ? static_cast<std::int64_t>((steps - kStepsTo1970) / kStepsPerSecond)
                         : 0;
    return facts;
}

bool Win32Files::TruncateFile(const std::string& path, std::uint64_t size) {
    Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return false;
    }
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(size);
    const bool cut =
        SetFilePointerEx(file.get(), position, nullptr, FILE_BEGIN) && SetEndOfFile(file.get());
    return file.Close() && cut;
}

bool Win32Files::RemoveFile(const std::string& path) {
    if (DeleteFileA(path.c_str())) {
        return true;
    }
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool Win32Files::Rename(const std::string& from, const std::string& to) {
    // Without MOVEFILE_REPLACE_EXISTING a taken name is refused; a file that a
    // scanner holds open for a moment is waited for.
    return WithRetries(
        [&] { return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != 0; });
}

}  // namespace tandrel
