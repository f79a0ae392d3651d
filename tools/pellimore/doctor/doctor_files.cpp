// What the doctor's checks share: finding files as Windows does, in any
// letter case, and showing paths as the player sees them.
#include "pellimore/common/platform.h"
#include "pellimore/common/text.h"
#include "pellimore/doctor/doctor_checks.h"

#include <algorithm>
#include <fstream>

namespace doctor {

std::optional<fs::path> findEntry(const fs::path& folder, const std::string& name) {
    std::error_code error;
    const std::string wanted = lowerCase(name);
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error))
        if (lowerCase(textFromPath(entry->path().filename())) == wanted) return entry->path();
    return std::nullopt;
}

std::string shown(const fs::path& relative) {
    std::string text = textFromPath(relative.generic_u8string());
#ifdef _WIN32
    for (char& byte : text)
        if (byte == '/') byte = '\\';
#endif
    return text;
}

std::vector<std::string> shownPaths(const std::vector<fs::path>& paths) {
    std::vector<std::string> shownList;
    for (const auto& path : paths) shownList.push_back(shown(path));
    return shownList;
}

Finding& add(DoctorReport& report, Severity severity, DoctorFindingKind kind) {
    report.findings.push_back({severity, kind});
    return report.findings.back();
}

std::vector<fs::path> misplacedCopies(const fs::path& folder, const std::string& name) {
    std::vector<fs::path> copies;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        std::error_code kind;
        if (!entry->is_directory(kind)) continue;
        if (const auto copy = findEntry(entry->path(), name))
            copies.push_back(entry->path().filename() / copy->filename());
    }
    std::sort(copies.begin(), copies.end());
    return copies;
}

bool isReleaseFolder(const fs::path& subfolder) {
    const std::string name = lowerCase(textFromPath(subfolder.filename()));
    return name.starts_with("pellimore-") && name != "pellimore-tools";
}

bool isWindowsLibrary(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    char start[2] = {};
    return stream.read(start, 2) && start[0] == 'M' && start[1] == 'Z';
}

}  // namespace doctor
