// `pellimore doctor`: whether Pellimore is installed so that it can load, and
// if not, exactly what to move where. Pellimore itself writes no log and shows
// nothing in game, so this is how a player finds out why nothing happens.
// The checks find facts; doctor_wording.h says them.
#pragma once

#include "pellimore/common/keyboard_layout.h"
#include "pellimore/common/words.h"

#include "pellimore/common/exit_status.h"
#include "settings/move_table.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

enum class Severity { Ok, Note, Attention, Blocker };

enum class DoctorFindingKind {
    GameFolder,                 // RDR2.exe is here
    NotGameFolder,              // no RDR2.exe
    HookFileInstalled,          // file (hookFile): the hook or its loader, beside RDR2.exe
    HookFileDamaged,            // file: empty or no library
    HookFileMisplaced,          // file, paths: only in subfolders
    HookFileMissing,            // file
    OtherLoaderOnly,            // paths: no dinput8.dll, but maybe another loader
    SecondLoader,               // paths: another loader beside dinput8.dll
    ModuleDamaged,              // Pellimore.asi is empty or no library
    ModuleExtraCopies,          // paths: copies in subfolders beside the installed one
    ModuleMisplaced,            // path: the subfolder it is in; extracted: "Extract All" made it
    ModuleMissing,              // not installed
    ModuleMissingAfterInstall,  // Pellimore's other files are here: an antivirus may have removed it
    ModuleNotReleased,          // file, version: this release's version, but not its bytes
    DownloadMarked,             // Windows marks the tools as downloaded: it may warn before they run
    ModuleSwitchedOff,          // file: Pellimore.asi renamed so the loader skips it (".disabled")
    ModuleWithoutVersion,       // file: no version resource
    ModuleOtherVersion,         // file, version
    ModuleSameVersion,          // file, version
    ModuleSecondCopy,           // file: another .asi that is Pellimore
    SettingsNeverRead,          // path: a Pellimore.ini in a subfolder
    NoSettings,                 // no Pellimore.ini: the defaults apply
    SettingsFolder,             // Pellimore.ini is a folder
    SettingsVerdict,            // settingsVerdict, count: what the game makes of Pellimore.ini
    SettingsNamedTxt,           // file: Pellimore.ini.txt; realOne: a Pellimore.ini is there too
    SettingsNamedOther,         // file: Pellimore (1).ini; realOne
    NoHookLog,                  // no ScriptHookRDR2.log yet
    HookLogFatal,               // text; native: it names a native; moves: the moves it breaks
    HookLogRunning,             // Pellimore registered and started
    HookLogNotStarted,          // registered, never started
    HookLogWithoutPellimore,    // paths: the scripts it lists, from a start after the doctor first saw the module
    HookLogUndated,             // paths: the scripts it lists, from a start that may be before Pellimore arrived
    HookLogNoScripts,           // the log names no script
    UnderProgramFiles,          // the game folder is under Program Files
    NonAsciiPath,               // the game folder's path has letters outside English
    GameRunning,                // the game runs now: its files are in use, so nothing is moved
    ModuleUpdateWaiting,   // file, source, version: a release folder holds a newer Pellimore.asi than the one in use
    SettingsDefaultsCopy,  // file, source: a second settings file with only the shipped keys, beside the player's own
    SettingsTwoDiffer,     // file, source: a second settings file with other keys than the player's Pellimore.ini
    SettingsReadOnly,      // Pellimore.ini is read-only: an edit saved into it does not stick
    PageDownloadWaiting,   // file, source (absolute): the page's newest download, newer than Pellimore.ini
    SettingsWalkingKey,    // moves, keyCode, layout: a move of Pellimore.ini on a key the player walks with
};

// Which of two modules stays beside RDR2.exe: the one with this release's
// bytes, else the higher version; the player decides where neither tells.
enum class ModuleKept { Installed, Other, PlayerChooses };

// Which of the hook's two files a finding is about.
enum class HookFile { Hook, Loader };

struct Finding {
    Severity severity;
    DoctorFindingKind kind;
    std::string file;                // a file name or a path inside the game folder, as shown
    std::vector<std::string> paths;  // paths or script names the finding lists
    HookFile hookFile = HookFile::Hook;
    std::string version;             // a module's version
    std::string text;                // a line of the hook's log, as written
    bool native = false;             // the fatal line names a native
    std::vector<MeleeAction> moves;  // the moves that native breaks
    bool extracted = false;          // the subfolder is a release "Extract All" made
    bool realOne = false;            // a real Pellimore.ini stands beside the misnamed one
    ExitStatus settingsVerdict = exitAllGood;
    int count = 0;              // the settings file's points that do not work
    bool empty = false;         // the settings file has no bytes
    std::int32_t keyCode = -1;  // the key a move is on
    std::string layout;         // the player's keyboard layout a finding concerns ("AZERTY")
    bool seenRunning = false;   // a hook log written after the doctor first saw these bytes shows them starting
    // What a repair would move, relative to the game folder; empty where the finding has no repair.
    std::filesystem::path source;
    ModuleKept kept = ModuleKept::Installed;  // for a second module: which of the two stays
};

struct DoctorReport {
    std::string folder;  // as the player gave it, or as found
    std::vector<Finding> findings;
    bool pellimoreStarted = false;        // the hook's log shows its script starting
    ExitStatus exitStatus = exitAllGood;  // it loads but see the notes marked "check"; it cannot load
};

// The game folder the tool stands in: its own folder or one of the two above it
// (the tools ship in Pellimore-tools\, and "Extract All" adds a folder of the
// release's name), whichever holds RDR2.exe first; none when no such folder does.
std::optional<std::filesystem::path> findGameFolder(const std::filesystem::path& toolDirectory);

// The folder the doctor looks at when none is given: the game folder found, or
// the tool's own folder, which then gets the not-the-game-folder advice.
std::filesystem::path defaultGameFolder(const std::filesystem::path& toolDirectory);

// What the doctor knows from outside the game folder: the release it belongs
// to and the files it runs from. Tests give their own.
struct DoctorContext {
    std::string releasedModuleDigest;  // SHA-256 of the Pellimore.asi of this release; "" where unknown
    std::filesystem::path toolFile;    // the running pellimore.exe
    // Whether Windows marks the file as downloaded from the internet; none where that cannot be read.
    std::optional<bool> (*downloadMark)(const std::filesystem::path& file) = nullptr;
    std::string releasedSettingsDigest;  // SHA-256 of the Pellimore.ini the release's archive holds; "" where unknown
    // Where the doctor keeps what it remembers of each game folder: the player's profile, never the game
    // folder, so a look writes nothing there; empty keeps no record.
    std::filesystem::path recordFolder;
    bool (*gameRunning)() = nullptr;  // whether the game runs now
    // The player's Downloads folder, where the settings editor page's saves land; empty where there is none.
    std::filesystem::path downloadsFolder;
    // The keyboards the player types on: a move on a key they walk with is a point of its own.
    std::vector<PlayerLayout> keyboards = {playerLayout(KeyboardLayout::Us)};
};

// The context of the running program: its own release's module digest and file, Windows' own mark, and the
// player's keyboards.
DoctorContext runningDoctorContext(const std::vector<PlayerLayout>& keyboards);

DoctorReport diagnoseGameFolder(const std::filesystem::path& folder, const DoctorContext& context);

// The report as the player reads it; under --fix the heading says what --fix does.
void printDoctorReport(const Voice& voice, const DoctorReport& report, std::ostream& out, bool fixing = false);
