// The files that must be in place for the game to load Pellimore at all.
#include "pellimore/doctor/doctor_checks.h"

#include "pellimore/doctor/module_version.h"
#include "pellimore/common/platform.h"
#include "pellimore/common/text.h"

namespace doctor {

namespace {

// Other names an ASI loader goes by; two loaders in one game folder fight.
const char* const otherLoaderNames[] = {"version.dll", "winmm.dll", "dsound.dll", "winhttp.dll", "wininet.dll"};

std::string listed(const std::vector<fs::path>& paths) {
    std::vector<std::string> shownPaths;
    for (const auto& path : paths) shownPaths.push_back(shown(path));
    return joinedText(shownPaths, ", ");
}

// A file the hook's archive ships: beside RDR2.exe, or only in its bin\ folder.
void checkHookFile(DoctorReport& report, const fs::path& folder, const std::string& name, const std::string& role) {
    if (const auto found = findEntry(folder, name)) {
        if (isWindowsLibrary(*found))
            add(report, Severity::Ok, name + ": " + role + " is installed");
        else
            add(report, Severity::Blocker,
                name +
                    " is damaged: it is empty or not a Windows library, so no script plug-in can load. Copy it "
                    "again from the hook's archive (the files inside its bin folder) into the game folder");
        return;
    }
    const auto copies = misplacedCopies(folder, name);
    if (!copies.empty())
        add(report, Severity::Blocker,
            name + " is in " + listed(copies) +
                ", not beside RDR2.exe: copy the files "
                "inside the hook's bin folder into the game folder itself");
    else
        add(report, Severity::Blocker,
            name +
                " is missing: install the script hook first (copy ScriptHookRDR2.dll "
                "and dinput8.dll from its archive into the game folder, beside RDR2.exe)");
}

void checkVersion(DoctorReport& report, const fs::path& module, const std::string& where) {
    const auto version = moduleFileVersion(module);
    if (!version)
        add(report, Severity::Attention,
            where +
                " has no version information: it may be damaged or not Pellimore; "
                "copy it again from the release archive");
    else if (*version != PELLIMORE_VERSION)
        add(report, Severity::Attention,
            where + " is version " + *version + ", this tool is " + PELLIMORE_VERSION +
                ": use the Pellimore.asi and the tools of one release");
    else
        add(report, Severity::Ok, where + " is version " + *version + ", the same as this tool");
}

}  // namespace

bool checkGame(DoctorReport& report, const fs::path& folder) {
    if (findEntry(folder, "RDR2.exe")) {
        add(report, Severity::Ok, "RDR2.exe: this is the game folder");
        return true;
    }
    add(report, Severity::Blocker,
        "this is not the game folder: there is no RDR2.exe in it. Extract the Pellimore archive into the "
        "game folder (the folder with RDR2.exe), then double-click doctor.cmd in its Pellimore-tools folder");
    return false;
}

void checkHook(DoctorReport& report, const fs::path& folder) {
    checkHookFile(report, folder, "ScriptHookRDR2.dll", "the script hook");
}

void checkLoader(DoctorReport& report, const fs::path& folder) {
    std::vector<fs::path> others;
    for (const char* name : otherLoaderNames)
        if (const auto found = findEntry(folder, name)) others.push_back(found->filename());
    if (!findEntry(folder, "dinput8.dll") && !others.empty()) {
        add(report, Severity::Note,
            "no dinput8.dll, the ASI loader the hook ships, but " + listed(others) +
                " may be another ASI loader; if Pellimore does not load, add dinput8.dll");
        return;
    }
    checkHookFile(report, folder, "dinput8.dll", "the ASI loader");
    if (!others.empty())
        add(report, Severity::Attention,
            listed(others) +
                " beside dinput8.dll may be a second ASI loader: two "
                "loaders can load Pellimore twice or stop each other; keep only dinput8.dll "
                "unless another mod needs it");
}

// What a player should do about Pellimore files in a subfolder: a release
// extracted into a folder of its own (Windows' "Extract All" proposes one),
// or a single file put where another mod's files go.
std::string moveAdvice(const fs::path& copy) {
    const fs::path subfolder = copy.parent_path();
    const bool extracted = lowerCase(textFromPath(subfolder)).starts_with("pellimore");
    return "Pellimore.asi is in " + shown(subfolder) +
           "\\, a folder inside the game folder, where the hook's "
           "loader does not look: move Pellimore.asi and Pellimore.ini from " +
           shown(subfolder) + " into the game folder itself, beside RDR2.exe" +
           (extracted ? std::string(" (Windows' \"Extract All\" made that folder; next time, extract into the game "
                                    "folder itself)")
                      : std::string());
}

void checkPlugin(DoctorReport& report, const fs::path& folder) {
    const auto beside = findEntry(folder, "Pellimore.asi");
    const auto copies = misplacedCopies(folder, "Pellimore.asi");
    if (beside && !isWindowsLibrary(*beside)) {
        add(report, Severity::Blocker,
            "Pellimore.asi is damaged: it is empty or not a Windows library. Copy it again from the release "
            "archive into the game folder");
    } else if (beside) {
        checkVersion(report, *beside, "Pellimore.asi");
        if (!copies.empty())
            add(report, Severity::Attention,
                "another copy of Pellimore.asi is in " + listed(copies) +
                    ": delete it, so that no loader runs Pellimore twice");
    } else if (!copies.empty()) {
        add(report, Severity::Blocker, moveAdvice(copies.front()));
        checkVersion(report, folder / copies.front(), shown(copies.front()));
    } else {
        add(report, Severity::Blocker,
            "Pellimore.asi is not installed: copy it from the release archive into the "
            "game folder, beside RDR2.exe");
    }
}

// Explorer's "Pellimore - Copy.asi", or Pellimore under a name of the player's:
// the loader loads every .asi beside RDR2.exe, so each would order every move again.
void checkPluginCopies(DoctorReport& report, const fs::path& folder) {
    const auto original = findEntry(folder, "Pellimore.asi");
    const std::optional<std::string> originalBytes = original ? readWholeFile(*original) : std::nullopt;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = textFromPath(entry->path().filename());
        const std::string lower = lowerCase(name);
        if (!lower.ends_with(".asi") || lower == "pellimore.asi") continue;
        const bool named = lower.starts_with("pellimore");
        if (!named && !(originalBytes && readWholeFile(entry->path()) == originalBytes)) continue;
        add(report, Severity::Blocker,
            name +
                " is a second copy of Pellimore: the loader loads every .asi file beside RDR2.exe, so every "
                "move would be ordered twice. Delete " +
                name);
    }
}

}  // namespace doctor
