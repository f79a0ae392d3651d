// The settings file: where the game reads it, what it makes of it, and the
// names it gets by mistake.
#include "pellimore/check/settings_analysis.h"
#include "pellimore/common/platform.h"
#include "pellimore/common/text.h"
#include "pellimore/doctor/doctor_checks.h"

#include <algorithm>

namespace doctor {

void checkSettings(DoctorReport& report, const fs::path& folder) {
    // A release's own Pellimore.ini holds the shipped keys; the module's finding says what to move from there.
    for (const auto& stray : misplacedCopies(folder, settingsFileName))
        if (!isReleaseFolder(stray.parent_path()))
            add(report, Severity::Attention, DoctorFindingKind::SettingsNeverRead).file = shown(stray);
    const auto settings = findEntry(folder, settingsFileName);
    if (!settings) {
        add(report, Severity::Note, DoctorFindingKind::NoSettings);
        return;
    }
    std::error_code error;
    if (fs::is_directory(*settings, error)) {
        add(report, Severity::Attention, DoctorFindingKind::SettingsFolder);
        return;
    }
    const SettingsReport analysis = analyzeSettingsFile(textFromPath(*settings));
    Finding& finding = add(report, analysis.verdict == exitAllGood ? Severity::Ok : Severity::Attention,
                           DoctorFindingKind::SettingsVerdict);
    finding.settingsVerdict = analysis.verdict;
    finding.count = static_cast<int>(analysis.warnings.size());
    finding.empty = analysis.empty;
}

// Names a settings file gets by mistake: "Pellimore.ini.txt" (Notepad, with
// Explorer hiding extensions), "Pellimore (1).ini" (a second download).
void checkSettingsNames(DoctorReport& report, const fs::path& folder) {
    const bool realOne = findEntry(folder, settingsFileName).has_value();
    std::error_code error;
    std::vector<std::string> names;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error))
        names.push_back(textFromPath(entry->path().filename()));
    std::sort(names.begin(), names.end());
    for (const auto& name : names) {
        const std::string lower = lowerCase(name);
        // A name with ':' is a file's stream (Windows' download mark among them), never a file of its own.
        if (name.find(':') != std::string::npos) continue;
        if (!lower.starts_with("pellimore") || lower == lowerCase(settingsFileName) || lower.ends_with(".asi"))
            continue;
        if (!lower.ends_with(".ini") && !lower.ends_with(".txt")) continue;
        if (!lower.ends_with(".ini.txt") && !lower.ends_with(".ini")) continue;
        Finding& finding = add(
            report, Severity::Attention,
            lower.ends_with(".ini.txt") ? DoctorFindingKind::SettingsNamedTxt : DoctorFindingKind::SettingsNamedOther);
        finding.file = name;
        finding.realOne = realOne;
    }
}

}  // namespace doctor
