#include "pellimore/doctor/doctor.h"

#include "pellimore/common/platform.h"
#include "pellimore/common/text.h"
#include "pellimore/doctor/doctor_checks.h"
#include "pellimore/doctor/doctor_wording.h"
#include "pellimore/doctor/released_module.h"
#include "pellimore/doctor/repair_run.h"

std::optional<std::filesystem::path> findGameFolder(const std::filesystem::path& toolDirectory) {
    std::filesystem::path candidate = toolDirectory;
    for (int level = 0; level <= 2; ++level, candidate = candidate.parent_path())
        if (doctor::findEntry(candidate, "RDR2.exe")) return candidate;
    return std::nullopt;
}

std::filesystem::path defaultGameFolder(const std::filesystem::path& toolDirectory) {
    return findGameFolder(toolDirectory).value_or(toolDirectory);
}

DoctorContext runningDoctorContext(const std::vector<PlayerLayout>& keyboards) {
    DoctorContext context{releasedModuleDigest(), toolDirectory() / toolFileName(), markedAsDownloaded};
    context.releasedSettingsDigest = releasedSettingsDigest();
    context.recordFolder = toolStateFolder();
    context.gameRunning = gameIsRunning;
    context.downloadsFolder = downloadsFolder();
    context.keyboards = keyboards;
    return context;
}

DoctorReport diagnoseGameFolder(const std::filesystem::path& folder, const DoctorContext& context) {
    DoctorReport report;
    report.folder = textFromPath(folder);
    if (doctor::checkGame(report, folder)) {
        doctor::checkHook(report, folder);
        doctor::checkLoader(report, folder);
        doctor::checkPlugin(report, folder, context);
        doctor::checkPluginCopies(report, folder, context);
        doctor::checkSettings(report, folder, context);
        doctor::checkSettingsNames(report, folder, context);
        doctor::checkPageDownload(report, folder, context);
        doctor::checkHostLog(report, folder, context);
        doctor::checkFolderPath(report, folder);
    }
    doctor::checkDownloadMark(report, context);
    if (context.gameRunning && context.gameRunning())
        doctor::add(report, Severity::Note, DoctorFindingKind::GameRunning);
    for (const auto& finding : report.findings) {
        if (finding.severity == Severity::Blocker)
            report.exitStatus = exitFailed;
        else if (finding.severity == Severity::Attention && report.exitStatus == exitAllGood)
            report.exitStatus = exitWithWarnings;
    }
    return report;
}

// The verdict comes first and last: a console window that scrolls keeps one of them in view.
void printDoctorReport(const Voice& voice, const DoctorReport& report, std::ostream& out, bool fixing) {
    const std::string verdict = wrappedText(doctorVerdictSentence(voice, report.exitStatus));
    out << wrappedText(doctorHeading(voice, report, fixing)) << "\n" << verdict << "\n\n";
    const std::size_t tagWidth = shownWidth(severityTag(voice, Severity::Ok)) + 2;
    for (const auto& finding : report.findings)
        out << severityTag(voice, finding.severity) << "  "
            << wrappedText(doctorFindingSentence(voice, finding), consoleWidth, tagWidth, tagWidth) << "\n";
    out << "\n" << verdict << "\n";
}
