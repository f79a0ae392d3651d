#include "pellimore/doctor/repair_files.h"

#include <system_error>

namespace fs = std::filesystem;

#ifdef _WIN32
#include <windows.h>

namespace {

// MOVEFILE_WRITE_THROUGH returns only once the move is on disk; without
// MOVEFILE_REPLACE_EXISTING an existing target refuses the move, and without
// MOVEFILE_COPY_ALLOWED a move to another drive fails instead of copying
// behind the caller's back (which may report success and leave the source).
MoveResult moveWithoutReplacing(const fs::path& from, const fs::path& to) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) return MoveResult::Moved;
    return GetLastError() == ERROR_NOT_SAME_DEVICE ? MoveResult::OtherVolume : MoveResult::Refused;
}

bool writeAll(HANDLE file, const char* bytes, std::size_t count) {
    while (count > 0) {
        DWORD written = 0;
        const DWORD chunk = count > (1u << 20) ? (1u << 20) : static_cast<DWORD>(count);
        if (!WriteFile(file, bytes, chunk, &written, nullptr) || written == 0) return false;
        bytes += written;
        count -= written;
    }
    return true;
}

bool copyToNew(const fs::path& from, const fs::path& to) {
    const HANDLE source = CreateFileW(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (source == INVALID_HANDLE_VALUE) return false;
    const HANDLE target = CreateFileW(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    bool copied = target != INVALID_HANDLE_VALUE;
    char buffer[1 << 16];
    for (DWORD got = 0; copied;) {
        copied = ReadFile(source, buffer, sizeof buffer, &got, nullptr) != 0;
        if (!copied || got == 0) break;
        copied = writeAll(target, buffer, got);
    }
    copied = copied && FlushFileBuffers(target);
    if (target != INVALID_HANDLE_VALUE) CloseHandle(target);
    CloseHandle(source);
    return copied;
}

bool removeFile(const fs::path& file) { return DeleteFileW(file.c_str()) != 0; }

bool removeEmptyFolder(const fs::path& folder) { return RemoveDirectoryW(folder.c_str()) != 0; }

bool appendFlushed(const fs::path& file, const std::string& text) {
    const HANDLE handle = CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    const bool written = writeAll(handle, text.data(), text.size()) && FlushFileBuffers(handle);
    CloseHandle(handle);
    return written;
}

}  // namespace

#else
#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>

namespace {

// A folder's entries reach the disk only when the folder itself is flushed.
bool syncFolder(const fs::path& folder) {
    const int handle = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0) return false;
    const bool synced = ::fsync(handle) == 0;
    ::close(handle);
    return synced;
}

// RENAME_NOREPLACE makes "no file in the way" part of the rename itself, not a
// check before it; a file system without the flag refuses, and so does the step.
MoveResult moveWithoutReplacing(const fs::path& from, const fs::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0)
        return errno == EXDEV ? MoveResult::OtherVolume : MoveResult::Refused;
    syncFolder(to.parent_path());
    syncFolder(from.parent_path());
    return MoveResult::Moved;
}

bool writeAll(int handle, const char* bytes, std::size_t count) {
    while (count > 0) {
        const ssize_t written = ::write(handle, bytes, count);
        if (written <= 0) return false;
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
    return true;
}

bool copyToNew(const fs::path& from, const fs::path& to) {
    const int source = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (source < 0) return false;
    const int target = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    bool copied = target >= 0;
    char buffer[1 << 16];
    while (copied) {
        const ssize_t got = ::read(source, buffer, sizeof buffer);
        if (got <= 0) {
            copied = got == 0;
            break;
        }
        copied = writeAll(target, buffer, static_cast<std::size_t>(got));
    }
    copied = copied && ::fsync(target) == 0;
    if (target >= 0) ::close(target);
    ::close(source);
    return copied && syncFolder(to.parent_path());
}

bool removeFile(const fs::path& file) {
    if (::unlink(file.c_str()) != 0) return false;
    syncFolder(file.parent_path());
    return true;
}

bool removeEmptyFolder(const fs::path& folder) {
    if (::rmdir(folder.c_str()) != 0) return false;
    syncFolder(folder.parent_path());
    return true;
}

bool appendFlushed(const fs::path& file, const std::string& text) {
    const int handle = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (handle < 0) return false;
    const bool written = writeAll(handle, text.data(), text.size()) && ::fsync(handle) == 0;
    ::close(handle);
    return written && syncFolder(file.parent_path());
}

}  // namespace
#endif

namespace {

bool makeFolders(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    return !error && fs::is_directory(folder, error);
}

}  // namespace

RepairFiles systemRepairFiles() {
    return {moveWithoutReplacing, copyToNew, removeFile, makeFolders, removeEmptyFolder, appendFlushed};
}
