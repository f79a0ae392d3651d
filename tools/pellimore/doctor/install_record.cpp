#include "pellimore/doctor/install_record.h"

#include "pellimore/common/platform.h"
#include "pellimore/common/text.h"

#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

std::optional<InstallRecord> readInstallRecord(const fs::path& folder) {
    const fs::path file = folder / installRecordName;
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

void renewInstallRecord(const fs::path& folder, const std::string& moduleDigest,
                        const std::optional<InstallRecord>& existing) {
    if (existing && existing->moduleDigest == moduleDigest) return;
    std::ofstream file(folder / installRecordName, std::ios::binary | std::ios::trunc);
    file << "Written by Pellimore's doctor: the Pellimore.asi it first saw here (its SHA-256); this file's time\r\n"
            "says when. Deleting it is harmless.\r\n"
         << moduleDigest << "\r\n";
}

LogAge logAgainstRecord(const std::optional<InstallRecord>& record, const std::string& moduleDigest,
                        fs::file_time_type logTime) {
    if (record && record->moduleDigest == moduleDigest && logTime > record->firstSeen) return LogAge::AfterModuleSeen;
    return LogAge::Unknown;
}
