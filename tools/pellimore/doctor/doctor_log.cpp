// What the hook's log says about Pellimore, and the game folder's path.
#include "pellimore/common/platform.h"
#include "pellimore/common/sha256.h"
#include "pellimore/common/text.h"
#include "pellimore/doctor/doctor_checks.h"
#include "pellimore/doctor/host_log.h"
#include "pellimore/doctor/install_record.h"
#include "pellimore/doctor/native_moves.h"

#include <algorithm>

namespace doctor {

namespace {

void reportFatal(DoctorReport& report, const HostLogFatal& fatal) {
    Finding& finding = add(report, Severity::Blocker, DoctorFindingKind::HookLogFatal);
    finding.text = fatal.text;
    finding.native = fatal.native.has_value();
    if (fatal.native) finding.moves = movesUsingNative(*fatal.native);
}

bool mentionsPellimore(const std::vector<std::string>& scripts) {
    for (const auto& script : scripts)
        if (lowerCase(textFromPath(pathFromText(script).filename())) == "pellimore.asi") return true;
    return false;
}

// The digest of the Pellimore.asi beside RDR2.exe; none without one.
std::optional<std::string> installedModuleDigest(const fs::path& folder) {
    const auto module = findEntry(folder, "Pellimore.asi");
    const auto bytes = module ? readWholeFile(*module) : std::nullopt;
    return bytes ? std::optional<std::string>(sha256Hex(*bytes)) : std::nullopt;
}

// Whether a log without Pellimore is from a game start after this module was in place. With no
// module at all, the missing module is the point, and the log only confirms it.
bool logIsFromAGameStartWithTheModule(const fs::path& logFile, const std::optional<std::string>& digest,
                                      const std::optional<InstallRecord>& record) {
    if (!digest) return true;
    std::error_code error;
    const auto logTime = fs::last_write_time(logFile, error);
    return !error && logAgainstRecord(record, *digest, logTime) == LogAge::AfterModuleSeen;
}

// A module that is not the released file, which a log from after the doctor first saw it shows running:
// it loads, so it is a point to look at, not one that stops Pellimore.
void markSeenRunning(DoctorReport& report) {
    for (Finding& finding : report.findings)
        if (finding.kind == DoctorFindingKind::ModuleNotReleased && finding.file == "Pellimore.asi") {
            finding.severity = Severity::Attention;
            finding.seenRunning = true;
        }
}

bool hasNonAsciiLetters(const std::string& text) {
    for (unsigned char byte : text)
        if (byte >= 0x80) return true;
    return false;
}

// What the doctor remembers of this folder: its own record in the profile, else one an earlier release left in
// the game folder, which is read and never written.
std::optional<InstallRecord> rememberedRecord(const fs::path& folder, const DoctorContext& context) {
    if (!context.recordFolder.empty())
        if (auto record = readInstallRecord(installRecordFile(context.recordFolder, folder))) return record;
    const auto old = findEntry(folder, installRecordName);
    return old ? readInstallRecord(*old) : std::nullopt;
}

}  // namespace

bool hasInstallRecord(const fs::path& folder, const DoctorContext& context) {
    return rememberedRecord(folder, context).has_value();
}

void checkHostLog(DoctorReport& report, const fs::path& folder, const DoctorContext& context) {
    const auto digest = installedModuleDigest(folder);
    const auto record = rememberedRecord(folder, context);
    if (digest && !context.recordFolder.empty())
        renewInstallRecord(installRecordFile(context.recordFolder, folder), *digest, record);
    const auto logFile = findEntry(folder, "ScriptHookRDR2.log");
    if (!logFile) {
        add(report, Severity::Note, DoctorFindingKind::NoHookLog);
        return;
    }
    const HostLog log = parseHostLog(readWholeFile(*logFile).value_or(""));
    for (const auto& fatal : log.fatals) reportFatal(report, fatal);
    const bool registered = mentionsPellimore(log.registeredScripts);
    report.pellimoreStarted = registered && mentionsPellimore(log.launchedScripts);
    if (report.pellimoreStarted) {
        add(report, Severity::Ok, DoctorFindingKind::HookLogRunning);
        if (digest && logIsFromAGameStartWithTheModule(*logFile, digest, record)) markSeenRunning(report);
    } else if (registered)
        add(report, Severity::Attention, DoctorFindingKind::HookLogNotStarted);
    else if (!log.registeredScripts.empty() && logIsFromAGameStartWithTheModule(*logFile, digest, record))
        add(report, Severity::Blocker, DoctorFindingKind::HookLogWithoutPellimore).paths = log.registeredScripts;
    else if (!log.registeredScripts.empty())
        add(report, Severity::Note, DoctorFindingKind::HookLogUndated).paths = log.registeredScripts;
    else
        add(report, Severity::Note, DoctorFindingKind::HookLogNoScripts);
}

// Where Windows marks the tools as downloaded, it warns before they run; say once how to unblock an archive.
void checkDownloadMark(DoctorReport& report, const DoctorContext& context) {
    if (context.downloadMark && context.downloadMark(context.toolFile).value_or(false))
        add(report, Severity::Note, DoctorFindingKind::DownloadMarked);
}

// Worth a look only while the hook's log shows the loader skipping Pellimore:
// a correct install under Program Files is fine until then.
void checkFolderPath(DoctorReport& report, const fs::path& folder) {
    std::error_code error;
    const std::string absolute = textFromPath(fs::absolute(folder, error));
    // Only when the loader ran and skipped this very module could the path be why; until then a note.
    const bool skipped = std::any_of(report.findings.begin(), report.findings.end(), [](const Finding& finding) {
        return finding.kind == DoctorFindingKind::HookLogWithoutPellimore;
    });
    const Severity severity = skipped ? Severity::Attention : Severity::Note;
    if (lowerCase(absolute).find("program files") != std::string::npos)
        add(report, severity, DoctorFindingKind::UnderProgramFiles);
    if (hasNonAsciiLetters(absolute)) add(report, severity, DoctorFindingKind::NonAsciiPath);
}

}  // namespace doctor
