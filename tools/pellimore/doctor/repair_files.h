// Every operation by which a repair changes a player's files, as a struct of
// functions passed in, so that a test can refuse any one of them or stop the
// run dead at any one, and the repair's promises are proved under each.
// Reading (digests, whether a file is there) is not in here: it changes nothing.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

enum class MoveResult {
    Moved,        // the file is at its new name, and both folders are on disk
    OtherVolume,  // the target is on another drive: only a copy can get it there
    Refused,      // anything else: a file in the way, rights, a file in use, a flag the file system lacks
};

struct RepairFiles {
    // Renames a file, never onto an existing one, and flushes both folders.
    std::function<MoveResult(const std::filesystem::path& from, const std::filesystem::path& to)> move;
    // Copies a file's bytes into a file that must not exist yet, flushed to disk.
    std::function<bool(const std::filesystem::path& from, const std::filesystem::path& to)> copyToNew;
    // Removes one file; the repairs remove only their own copies.
    std::function<bool(const std::filesystem::path& file)> remove;
    // Makes a folder and any missing above it.
    std::function<bool(const std::filesystem::path& folder)> makeFolders;
    // Removes a folder that is empty; the repairs remove only folders they made.
    std::function<bool(const std::filesystem::path& folder)> removeEmptyFolder;
    // Appends text to a file, making it if need be, and flushes it to disk before returning.
    std::function<bool(const std::filesystem::path& file, const std::string& text)> appendFlushed;
};

// The operations as the running system performs them.
RepairFiles systemRepairFiles();
