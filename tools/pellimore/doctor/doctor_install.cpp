// The files that must be in place for the game to load Pellimore at all.
#include "pellimore/doctor/doctor_checks.h"

#include "pellimore/doctor/module_version.h"
#include "pellimore/common/text.h"

namespace doctor {

namespace {

// Other names an ASI loader goes by; two loaders in one game folder fight.
const char* const otherLoaderNames[] = {"version.dll", "winmm.dll", "dsound.dll", "winhttp.dll", "wininet.dll"};

std::vector<fs::path> misplacedCopies(const fs::path& folder, const std::string& name) {
    std::vector<fs::path> copies;
    for (const char* subfolder : misplacedFolders)
        if (const auto inside = findEntry(folder, subfolder))
            if (const auto copy = findEntry(*inside, name)) copies.push_back(fs::path(subfolder) / copy->filename());
    return copies;
}

std::string listed(const std::vector<fs::path>& paths) {
    std::vector<std::string> shownPaths;
    for (const auto& path : paths) shownPaths.push_back(shown(path));
    return joinedText(shownPaths, ", ");
}

// A file the hook's archive ships: beside RDR2.exe, or only in its bin\ folder.
void checkHookFile(DoctorReport& report, const fs::path& folder, const std::string& name, const std::string& role) {
    if (findEntry(folder, name)) {
        add(report, Severity::Ok, name + ": " + role + " is installed");
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
        "this is not the game folder: there is no RDR2.exe in it. Run pellimore doctor "
        "with the folder that holds RDR2.exe, for example: pellimore doctor \"D:\\Games\\"
        "Red Dead Redemption 2\"");
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

void checkPlugin(DoctorReport& report, const fs::path& folder) {
    const auto beside = findEntry(folder, "Pellimore.asi");
    const auto copies = misplacedCopies(folder, "Pellimore.asi");
    if (beside) {
        checkVersion(report, *beside, "Pellimore.asi");
        if (!copies.empty())
            add(report, Severity::Attention,
                "another copy of Pellimore.asi is in " + listed(copies) +
                    ": delete it, so that no loader runs Pellimore twice");
    } else if (!copies.empty()) {
        add(report, Severity::Blocker,
            "Pellimore.asi is in " + listed(copies) +
                ", where the hook's loader does not "
                "look: move it into the game folder, beside RDR2.exe");
        checkVersion(report, folder / copies.front(), shown(copies.front()));
    } else {
        add(report, Severity::Blocker,
            "Pellimore.asi is not installed: copy it from the release archive into the "
            "game folder, beside RDR2.exe");
    }
}

}  // namespace doctor
