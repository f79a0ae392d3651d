// What the doctor concludes from facts outside the game folder: the released
// module's digest it carries, and Windows' download mark, read through the
// context a test replaces (wine has no download marks).
#include "pellimore/common/platform.h"
#include "pellimore/common/sha256.h"
#include "pellimore/doctor/doctor.h"
#include "test_support.h"

#include <algorithm>
#include <chrono>
#include <fstream>

namespace {

namespace fs = std::filesystem;

class DoctorContextTest : public PellimoreTest {
protected:
    fs::path gameFolder(const std::string& module) {
        const fs::path folder = scratchDirectory / "game";
        fs::create_directories(folder);
        for (const char* name : {"RDR2.exe", "ScriptHookRDR2.dll", "dinput8.dll"})
            std::ofstream(folder / name, std::ios::binary) << "MZ";
        if (!module.empty()) std::ofstream(folder / "Pellimore.asi", std::ios::binary) << module;
        return folder;
    }
    static std::vector<DoctorFindingKind> kinds(const DoctorReport& report) {
        std::vector<DoctorFindingKind> found;
        for (const auto& finding : report.findings) found.push_back(finding.kind);
        return found;
    }
    static bool has(const DoctorReport& report, DoctorFindingKind kind) {
        const auto found = kinds(report);
        return std::find(found.begin(), found.end(), kind) != found.end();
    }
};

TEST_F(DoctorContextTest, OnlyThisVersionWithOtherBytesIsCalledNotTheReleasedFile) {
    const std::string released = moduleBytes(1, 0, 0, "released");
    const std::string changed = moduleBytes(1, 0, 0, "changed");
    DoctorContext context{sha256Hex(released), scratchDirectory / "pellimore", nullptr};
    ASSERT_EQ(PELLIMORE_VERSION, std::string("1.0.0")) << "the fake modules below carry this version";

    EXPECT_TRUE(has(diagnoseGameFolder(gameFolder(released), context), DoctorFindingKind::ModuleSameVersion));
    const DoctorReport tampered = diagnoseGameFolder(gameFolder(changed), context);
    EXPECT_TRUE(has(tampered, DoctorFindingKind::ModuleNotReleased));
    EXPECT_EQ(tampered.exitStatus, exitFailed);
    // Once a log from after the doctor first saw these bytes shows them starting, they load: a point to look at.
    context.recordFolder = scratchDirectory / "profile";
    const fs::path folder = gameFolder(changed);
    diagnoseGameFolder(folder, context);  // the first look remembers the module
    std::ofstream(folder / "ScriptHookRDR2.log") << "INIT: Registering script 'Pellimore.asi'\n"
                                                    "CORE: Launching main() for 'Pellimore.asi'\n";
    fs::last_write_time(folder / "ScriptHookRDR2.log", fs::file_time_type::clock::now() + std::chrono::hours(1));
    const DoctorReport running = diagnoseGameFolder(folder, context);
    EXPECT_EQ(running.exitStatus, exitWithWarnings);
    const auto notReleased = std::find_if(running.findings.begin(), running.findings.end(), [](const Finding& finding) {
        return finding.kind == DoctorFindingKind::ModuleNotReleased;
    });
    ASSERT_NE(notReleased, running.findings.end());
    EXPECT_EQ(notReleased->severity, Severity::Attention);
    // A log from before the doctor first saw them proves nothing: it stays a FIX.
    fs::last_write_time(folder / "ScriptHookRDR2.log", fs::file_time_type::clock::now() - std::chrono::hours(48));
    EXPECT_EQ(diagnoseGameFolder(folder, context).exitStatus, exitFailed);
    context.recordFolder.clear();
    // Another version is a version finding, whatever its bytes.
    EXPECT_TRUE(
        has(diagnoseGameFolder(gameFolder(moduleBytes(0, 9, 0)), context), DoctorFindingKind::ModuleOtherVersion));
    // Where the release's digest is unknown, nothing is said of the bytes.
    context.releasedModuleDigest.clear();
    EXPECT_TRUE(has(diagnoseGameFolder(gameFolder(changed), context), DoctorFindingKind::ModuleSameVersion));
}

TEST_F(DoctorContextTest, AMissingModuleBesideTheRestOfTheReleaseMayBeAnAntivirus) {
    const DoctorContext context{"", scratchDirectory / "pellimore", nullptr};
    EXPECT_TRUE(has(diagnoseGameFolder(gameFolder(""), context), DoctorFindingKind::ModuleMissing));
    std::ofstream(scratchDirectory / "game" / "Pellimore.ini") << "[Pellimore]\n";
    const DoctorReport report = diagnoseGameFolder(gameFolder(""), context);
    EXPECT_TRUE(has(report, DoctorFindingKind::ModuleMissingAfterInstall));
    EXPECT_FALSE(has(report, DoctorFindingKind::ModuleMissing));
    // A checksum list in the game folder is no evidence of anything: any mod may ship one.
    std::ofstream(scratchDirectory / "game" / "SHA256SUMS.txt") << std::string(64, '0') << "  Pellimore.asi\n";
    EXPECT_EQ(kinds(diagnoseGameFolder(gameFolder(""), context)), kinds(report));
}

std::optional<bool> markedFromTheInternet(const fs::path&) { return true; }
std::optional<bool> markUnreadable(const fs::path&) { return std::nullopt; }

TEST_F(DoctorContextTest, TheDownloadMarkIsMentionedOnceAndOnlyWhereItWasRead) {
    const std::string module = moduleBytes(1, 0, 0);
    const DoctorReport marked =
        diagnoseGameFolder(gameFolder(module), {"", scratchDirectory / "pellimore", markedFromTheInternet});
    const auto found = kinds(marked);
    EXPECT_EQ(std::count(found.begin(), found.end(), DoctorFindingKind::DownloadMarked), 1);
    EXPECT_EQ(marked.exitStatus, exitAllGood) << "a warning to expect is a note, not a fault";
    EXPECT_FALSE(has(diagnoseGameFolder(gameFolder(module), {"", scratchDirectory / "pellimore", markUnreadable}),
                     DoctorFindingKind::DownloadMarked));
}

}  // namespace

namespace {

class DoctorNamesTest : public DoctorContextTest {};

// Only the names a settings file gets by mistake are called misnamed; a renamed module copy is found by its name.
TEST_F(DoctorNamesTest, MisnamedSettingsAndRenamedCopiesAreFoundByName) {
    const fs::path folder = gameFolder(moduleBytes(1, 0, 0));
    const DoctorContext context{"", scratchDirectory / "pellimore", nullptr};
    std::ofstream(folder / "Pellimore notes.txt") << "my notes";
    std::ofstream(folder / "Pellimore 0.9.asi", std::ios::binary) << moduleBytes(0, 9, 0, "an older build");
    // Keys of the player's own: the shipped file with Knock out moved (a file that lacks a key stops the load).
    std::string ownKeys = readWholeFile(fs::path(PELLIMORE_SOURCE_DIR) / "package" / "Pellimore.ini").value();
    ownKeys.replace(ownKeys.find("iKnockout=81"), 12, "iKnockout=75");
    std::ofstream(folder / "Pellimore (1).ini", std::ios::binary) << ownKeys;
    DoctorReport report = diagnoseGameFolder(folder, context);
    for (const Finding& finding : report.findings)
        EXPECT_NE(finding.file, "Pellimore notes.txt") << "Pellimore notes.txt is not a settings file";
    const auto copy = std::find_if(report.findings.begin(), report.findings.end(), [](const Finding& finding) {
        return finding.kind == DoctorFindingKind::ModuleSecondCopy;
    });
    ASSERT_NE(copy, report.findings.end()) << "a renamed older copy is loaded too";
    EXPECT_EQ(copy->file, "Pellimore 0.9.asi");
    const auto named = [](const DoctorReport& found) {
        return *std::find_if(found.findings.begin(), found.findings.end(), [](const Finding& finding) {
            return finding.kind == DoctorFindingKind::SettingsNamedOther;
        });
    };
    ASSERT_TRUE(has(report, DoctorFindingKind::SettingsNamedOther));
    EXPECT_FALSE(named(report).realOne);
    std::ofstream(folder / "Pellimore.ini") << "[Pellimore]\n";
    report = diagnoseGameFolder(folder, context);
    ASSERT_TRUE(has(report, DoctorFindingKind::SettingsNamedOther));
    EXPECT_TRUE(named(report).realOne) << "renaming replaces the player's Pellimore.ini, and must say so";
}

}  // namespace
