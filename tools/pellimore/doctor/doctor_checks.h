// The doctor's checks, one group of files each, and what they share.
#pragma once

#include "pellimore/doctor/doctor.h"

#include <optional>

namespace doctor {

namespace fs = std::filesystem;

// The entry of the folder with this name in any letter case, as Windows finds it.
std::optional<fs::path> findEntry(const fs::path& folder, const std::string& name);

// A path inside the game folder as the player sees it: "scripts\Pellimore.asi".
std::string shown(const fs::path& relative);

// Adds a finding of this kind; the caller fills in its facts.
Finding& add(DoctorReport& report, Severity severity, DoctorFindingKind kind);

// Paths inside the game folder as shown.
std::vector<std::string> shownPaths(const std::vector<fs::path>& paths);

// Where the entry with this name stands in the game folder's subfolders (one
// level down: bin\, scripts\, or a folder "Extract All" made), relative to it.
std::vector<fs::path> misplacedCopies(const fs::path& folder, const std::string& name);

// Whether a subfolder is a Pellimore release extracted into a folder of its own ("Pellimore-1.0.0 (1)"):
// no loader looks there, so what it holds is a release, not a stray copy.
bool isReleaseFolder(const fs::path& subfolder);

// Whether the file starts like a Windows program or library; an empty or
// half-copied file does not.
bool isWindowsLibrary(const fs::path& file);

// One group of checks each; checkGame returns false when the folder is not the
// game's, and the others would say nothing useful.
bool checkGame(DoctorReport& report, const fs::path& folder);
void checkHook(DoctorReport& report, const fs::path& folder);
void checkLoader(DoctorReport& report, const fs::path& folder);
void checkPlugin(DoctorReport& report, const fs::path& folder, const DoctorContext& context);
void checkPluginCopies(DoctorReport& report, const fs::path& folder, const DoctorContext& context);
void checkSettings(DoctorReport& report, const fs::path& folder, const DoctorContext& context);
void checkSettingsNames(DoctorReport& report, const fs::path& folder, const DoctorContext& context);
void checkPageDownload(DoctorReport& report, const fs::path& folder, const DoctorContext& context);
void checkHostLog(DoctorReport& report, const fs::path& folder, const DoctorContext& context);

// Whether the doctor has seen a Pellimore.asi in this folder before (its record, or an earlier release's).
bool hasInstallRecord(const fs::path& folder, const DoctorContext& context);
void checkFolderPath(DoctorReport& report, const fs::path& folder);
void checkDownloadMark(DoctorReport& report, const DoctorContext& context);

}  // namespace doctor
