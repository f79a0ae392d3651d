#include "pellimore/doctor/install_record.h"

#include "pellimore/common/platform.h"
#include "pellimore/common/sha256.h"
#include "pellimore/common/text.h"

#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

fs::path installRecordFile(const fs::path& recordFolder, const fs::path& game) {
    std::error_code error;
    std::string key = textFromPath(fs::absolute(game, error).lexically_normal().generic_u8string());
    while (key.size() > 1 && key.ends_with('/')) key.pop_back();
#ifdef _WIN32
    key = lowerCase(key);
#endif
    return recordFolder / ("game-folder-" + sha256Hex(key).substr(0, 16) + ".txt");
}

std::optional<InstallRecord> readInstallRecord(const fs::path& file) {
    const auto text = readWholeFile(file);
    if (!text) return std::nullopt;
    std::error_code error;
    const auto time = fs::last_write_time(file, error);
    if (error) return std::nullopt;
    for (const std::string& line : textLines(*text)) {
        if (line.size() == 64 && line.find_first_not_of("0123456789abcdef") == std::string::npos)
            return InstallRecord{line, time};
    }
    return std::nullopt;
}

void renewInstallRecord(const fs::path& file, const std::string& moduleDigest,
                        const std::optional<InstallRecord>& existing) {
    if (existing && existing->moduleDigest == moduleDigest) return;
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    std::ofstream record(file, std::ios::binary | std::ios::trunc);
    record << "Written by Pellimore's doctor: the Pellimore.asi it first saw in a game folder (its SHA-256); this\r\n"
              "file's time says when. Deleting it is harmless.\r\n"
           << moduleDigest << "\r\n";
}

LogAge logAgainstRecord(const std::optional<InstallRecord>& record, const std::string& moduleDigest,
                        fs::file_time_type logTime) {
    if (record && record->moduleDigest == moduleDigest && logTime > record->firstSeen) return LogAge::AfterModuleSeen;
    return LogAge::Unknown;
}
