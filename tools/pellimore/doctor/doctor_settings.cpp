// The settings file: where the game reads it, what it makes of it, and the
// names it gets by mistake.
#include "pellimore/check/download_mark.h"
#include "pellimore/check/settings_analysis.h"
#include "pellimore/check/settings_names.h"
#include "pellimore/common/keyboard_layout.h"
#include "pellimore/common/platform.h"
#include "pellimore/common/text.h"
#include "pellimore/doctor/doctor_checks.h"
#include "pellimore/doctor/file_owners.h"

#include <algorithm>

namespace doctor {

namespace {

// A settings file the game never reads, named as a finding: where the player has a Pellimore.ini, by how it
// stands to it; where there is none, as the kind given, the file to move in.
void reportSecondSettings(DoctorReport& report, const fs::path& folder, const fs::path& file, DoctorFindingKind kind,
                          const DoctorContext& context) {
    const auto installed = findEntry(folder, settingsFileName);
    std::error_code error;
    const bool besideOne = installed && fs::is_regular_file(*installed, error);
    const SecondSettings standing =
        besideOne ? secondSettingsFile(*installed, folder / file, context) : SecondSettings::Replaces;
    if (standing == SecondSettings::AddsNothing) kind = DoctorFindingKind::SettingsDefaultsCopy;
    if (standing == SecondSettings::Differs) kind = DoctorFindingKind::SettingsTwoDiffer;
    Finding& finding = add(report, Severity::Attention, kind);
    finding.file = shown(file);
    finding.realOne = installed.has_value();
    finding.source = file;
}

// The release's own Pellimore.ini, for a player who has none: from the folder of the release whose module
// would stay, else any release folder.
fs::path releaseSettings(const fs::path& folder, const DoctorReport& report) {
    std::vector<fs::path> candidates;
    for (const Finding& finding : report.findings)
        if (!finding.source.empty() && (finding.kind == DoctorFindingKind::ModuleMisplaced ||
                                        finding.kind == DoctorFindingKind::ModuleUpdateWaiting))
            candidates.push_back(finding.source.parent_path());
    for (const fs::path& copy : misplacedCopies(folder, settingsFileName))
        if (isReleaseFolder(copy.parent_path())) candidates.push_back(copy.parent_path());
    for (const fs::path& release : candidates)
        if (const auto settings = findEntry(folder / release, settingsFileName)) return release / settings->filename();
    return {};
}

}  // namespace

void checkSettings(DoctorReport& report, const fs::path& folder, const DoctorContext& context) {
    // A release's own Pellimore.ini holds the shipped keys; the module's finding says what to move from there.
    for (const auto& stray : misplacedCopies(folder, settingsFileName)) {
        if (isReleaseFolder(stray.parent_path())) continue;
        const std::string where = lowerCase(textFromPath(stray.parent_path()));
        if (where == "scripts" || where == "plugins")
            reportSecondSettings(report, folder, stray, DoctorFindingKind::SettingsNeverRead, context);
        else
            add(report, Severity::Attention, DoctorFindingKind::SettingsNeverRead).file = shown(stray);
    }
    const auto settings = findEntry(folder, settingsFileName);
    if (!settings) {
        Finding& none = add(report, Severity::Note, DoctorFindingKind::NoSettings);
        none.source = releaseSettings(folder, report);
        // The default keys on a keyboard that walks with one of them (Knock out and Tackle on AZERTY's Q and Z).
        for (const KeyOwner owner : loadOrder)
            if (const auto layout =
                    owner ? walkingLayoutOf(context.keyboards, defaultCode(keyRow(owner))) : std::nullopt) {
                none.moves.push_back(*owner);
                none.layout = layoutRow(*layout).letters;
            }
        return;
    }
    std::error_code error;
    if (fs::is_directory(*settings, error)) {
        add(report, Severity::Attention, DoctorFindingKind::SettingsFolder);
        return;
    }
    if (isReadOnlyFile(*settings)) add(report, Severity::Attention, DoctorFindingKind::SettingsReadOnly);
    SettingsReport analysis = analyzeSettingsFileContent(textFromPath(*settings), context.keyboards);
    // A move on a walking key is a point of its own, naming the move; the settings line counts the others.
    const auto walking =
        std::stable_partition(analysis.warnings.begin(), analysis.warnings.end(),
                              [](const SettingsFinding& warning) { return warning.kind != FindingKind::WalkingKey; });
    std::vector<SettingsFinding> walkingKeys(walking, analysis.warnings.end());
    analysis.warnings.erase(walking, analysis.warnings.end());
    if (analysis.verdict == exitWithWarnings && analysis.warnings.empty()) analysis.verdict = exitAllGood;
    Finding& finding = add(report, analysis.verdict == exitAllGood ? Severity::Ok : Severity::Attention,
                           DoctorFindingKind::SettingsVerdict);
    finding.settingsVerdict = analysis.verdict;
    finding.count = static_cast<int>(analysis.warnings.size());
    finding.empty = analysis.empty;
    for (const SettingsFinding& warning : walkingKeys) {
        Finding& walkingKey = add(report, Severity::Attention, DoctorFindingKind::SettingsWalkingKey);
        if (warning.binding && *warning.binding) walkingKey.moves.push_back(**warning.binding);
        walkingKey.keyCode = warning.keyCode;
        walkingKey.layout = warning.written;
    }
}

// Names a settings file gets by mistake: "Pellimore.ini.txt" (Notepad, with
// Explorer hiding extensions), "Pellimore (1).ini" (a second download).
void checkSettingsNames(DoctorReport& report, const fs::path& folder, const DoctorContext& context) {
    std::error_code error;
    std::vector<std::string> names;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error))
        names.push_back(textFromPath(entry->path().filename()));
    std::sort(names.begin(), names.end());
    for (const auto& name : names) {
        if (!isOtherSettingsFileName(name)) continue;
        const std::string lower = lowerCase(name);
        reportSecondSettings(
            report, folder, pathFromText(name),
            lower.ends_with(".ini.txt") ? DoctorFindingKind::SettingsNamedTxt : DoctorFindingKind::SettingsNamedOther,
            context);
    }
}

// The settings editor page saves as a download, which lands in Downloads (as "Pellimore (1).ini" where one is there
// already): the newest file there that carries the page's mark and is newer than the game's Pellimore.ini holds
// the keys the player meant to play with. A file the page did not save is never taken.
void checkPageDownload(DoctorReport& report, const fs::path& folder, const DoctorContext& context) {
    if (context.downloadsFolder.empty()) return;
    std::error_code error;
    const auto installed = findEntry(folder, settingsFileName);
    const auto installedTime = installed ? fs::last_write_time(*installed, error) : fs::file_time_type::min();
    std::optional<fs::path> newest;
    fs::file_time_type newestTime = installedTime;
    for (fs::directory_iterator entry(context.downloadsFolder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = lowerCase(textFromPath(entry->path().filename()));
        std::error_code fileError;
        if (!name.starts_with("pellimore") || !name.ends_with(".ini") || !entry->is_regular_file(fileError)) continue;
        const auto time = fs::last_write_time(entry->path(), fileError);
        if (fileError || time <= newestTime) continue;
        if (!startsWithDownloadMark(readWholeFile(entry->path()).value_or(""))) continue;
        newest = entry->path(), newestTime = time;
    }
    if (!newest) return;
    Finding& finding = add(report, Severity::Attention, DoctorFindingKind::PageDownloadWaiting);
    finding.file = textFromPath(*newest);
    finding.source = fs::absolute(*newest, error);
    finding.realOne = installed.has_value();
}

}  // namespace doctor
