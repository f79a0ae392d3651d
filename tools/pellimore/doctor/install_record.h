// What the doctor remembers between runs: which Pellimore.asi it first saw in
// this game folder (by its bytes' digest) and when (the record file's own
// time). File times cannot say when Pellimore arrived (extracting, copying
// and moving keep the archive's times), but the doctor can say when it first
// saw the module, and a hook log written after that is from a game start with
// Pellimore in place.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The name earlier releases gave the record in the game folder, where it is still read, never written.
inline constexpr const char* installRecordName = "Pellimore-doctor-record.txt";

// The record of one game folder in the doctor's own folder (the player's
// profile), named after the folder's full path, letter case folded on
// Windows, where folders ignore case.
std::filesystem::path installRecordFile(const std::filesystem::path& recordFolder, const std::filesystem::path& game);

struct InstallRecord {
    std::string moduleDigest;                   // SHA-256 of the Pellimore.asi first seen
    std::filesystem::file_time_type firstSeen;  // when the doctor first saw it
};

// The record in the file; none when there is none or it cannot be read.
std::optional<InstallRecord> readInstallRecord(const std::filesystem::path& file);

// Writes a new record when the module is new to it (no record, or other
// bytes); an unchanged module keeps its record and its time. A record that
// cannot be written is not kept, and the doctor then cannot tell.
void renewInstallRecord(const std::filesystem::path& file, const std::string& moduleDigest,
                        const std::optional<InstallRecord>& existing);

// What a hook log that lists other scripts but not Pellimore says.
enum class LogAge {
    AfterModuleSeen,  // written after the doctor first saw this very module: the loader skipped it
    Unknown,          // maybe from a game start before Pellimore was put in place
};

// Decides from the record as it was before this run, the module's digest now and the log's time.
LogAge logAgainstRecord(const std::optional<InstallRecord>& record, const std::string& moduleDigest,
                        std::filesystem::file_time_type logTime);
