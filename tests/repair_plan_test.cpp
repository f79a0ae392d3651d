// The repairs are planned from the findings the player read, and decide by
// content whose file is whose: the player's own keys are never replaced by
// the shipped ones, the module with this release's bytes (else the newer one)
// stays, and where nothing tells, the player chooses.
#include "pellimore/doctor/repair_plan.h"
#include "pellimore/check/download_mark.h"
#include "pellimore/common/platform.h"
#include "pellimore/common/sha256.h"
#include "pellimore/doctor/doctor.h"
#include "pellimore/doctor/module_version.h"
#include "pellimore/doctor/repair_run.h"
#include "test_support.h"

#include <algorithm>
#include <chrono>
#include <fstream>

namespace {

namespace fs = std::filesystem;

std::string shippedSettings() {
    return readWholeFile(fs::path(PELLIMORE_SOURCE_DIR) / "package" / "Pellimore.ini").value_or("");
}

// The shipped file with Knock out on another key: a player's own keys.
std::string ownSettings(const std::string& code) {
    std::string text = shippedSettings();
    return text.replace(text.find("iKnockout=81"), 12, "iKnockout=" + code);
}

class RepairPlanTest : public PellimoreTest {
protected:
    fs::path game() {
        const fs::path folder = scratchDirectory / "game";
        for (const char* name : {"RDR2.exe", "ScriptHookRDR2.dll", "dinput8.dll"}) write(folder / name, "MZ");
        return folder;
    }
    static void write(const fs::path& file, const std::string& bytes) {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
    }
    DoctorContext context(const std::string& releasedModule = "") const {
        return {releasedModule.empty() ? "" : sha256Hex(releasedModule),
                scratchDirectory / "pellimore",
                nullptr,
                sha256Hex(shippedSettings()),
                scratchDirectory / "profile",
                nullptr};
    }
    RepairPlan plan(const fs::path& folder, const DoctorContext& given) {
        report = diagnoseGameFolder(folder, given);
        return planRepairs(folder, report, "stamp");
    }
    static bool moves(const RepairPlan& plan, const fs::path& from, const fs::path& to) {
        return std::any_of(plan.steps.begin(), plan.steps.end(),
                           [&](const RepairStep& step) { return step.from == from && step.to == to; });
    }
    static bool touches(const RepairPlan& plan, const fs::path& file) {
        return std::any_of(plan.steps.begin(), plan.steps.end(),
                           [&](const RepairStep& step) { return step.from == file || step.to == file; });
    }
    DoctorReport report;
};

TEST_F(RepairPlanTest, EachStepComesFromAFindingThePlayerSawAndTheOthersHaveNone) {
    const fs::path folder = game();
    write(folder / "Pellimore-1.0.0" / "Pellimore.asi", moduleBytes(1, 0, 0));
    write(folder / "Pellimore.ini.txt", ownSettings("75"));
    write(folder / "Pellimore.asi.disabled", moduleBytes(1, 0, 0));
    fs::remove(folder / "ScriptHookRDR2.dll");
    write(folder / "bin" / "ScriptHookRDR2.dll", "MZ hook");
    const RepairPlan found = plan(folder, context());
    EXPECT_TRUE(moves(found, "Pellimore-1.0.0/Pellimore.asi", "Pellimore.asi"));
    EXPECT_TRUE(moves(found, "Pellimore.ini.txt", "Pellimore.ini"));
    EXPECT_TRUE(moves(found, "bin/ScriptHookRDR2.dll", "ScriptHookRDR2.dll"));
    EXPECT_FALSE(touches(found, "Pellimore.asi.disabled")) << "a module comes from the release, so none is switched on";
    // Every step names a file of a finding.
    for (const RepairStep& step : found.steps)
        EXPECT_TRUE(std::any_of(report.findings.begin(), report.findings.end(), [&](const Finding& finding) {
            return finding.source == step.from || step.reason == RepairReason::SetAside;
        })) << step.from;
    // A hook file already beside RDR2.exe keeps the one in bin\ where it is.
    write(folder / "ScriptHookRDR2.dll", "MZ another hook");
    EXPECT_FALSE(touches(plan(folder, context()), "bin/ScriptHookRDR2.dll"));
}

TEST_F(RepairPlanTest, ThePlayersOwnKeysAreNeverReplacedByTheShippedOnes) {
    const fs::path folder = game();
    write(folder / "Pellimore.asi", moduleBytes(1, 0, 0));
    write(folder / "Pellimore.ini", ownSettings("75"));
    write(folder / "Pellimore (1).ini", shippedSettings());
    write(folder / "Pellimore (2).ini", "[Pellimore]\r\n");  // loads exactly the keys the game has without a file
    const RepairPlan found = plan(folder, context());
    EXPECT_FALSE(touches(found, "Pellimore.ini"));
    EXPECT_TRUE(moves(found, "Pellimore (1).ini", "Pellimore (1).ini.stamp.bak"));
    EXPECT_TRUE(moves(found, "Pellimore (2).ini", "Pellimore (2).ini.stamp.bak"));
    EXPECT_TRUE(found.choices.empty());
    // The other way round, the player's keys come in and the shipped ones are kept aside, after a yes.
    write(folder / "Pellimore.ini", shippedSettings());
    write(folder / "Pellimore (1).ini", ownSettings("75"));
    fs::remove(folder / "Pellimore (2).ini");
    const RepairPlan turned = plan(folder, context());
    EXPECT_TRUE(moves(turned, "Pellimore (1).ini", "Pellimore.ini"));
    EXPECT_TRUE(safeStepsOf(turned).steps.empty()) << "--fix never replaces a Pellimore.ini";
}

TEST_F(RepairPlanTest, TwoDifferentSettingsFilesAreThePlayersChoice) {
    const fs::path folder = game();
    write(folder / "Pellimore.asi", moduleBytes(1, 0, 0));
    write(folder / "Pellimore.ini", ownSettings("75"));
    write(folder / "Pellimore (1).ini", ownSettings("76"));
    const RepairPlan found = plan(folder, context());
    ASSERT_EQ(found.choices.size(), 1u);
    EXPECT_TRUE(found.steps.empty());
    EXPECT_TRUE(safeStepsOf(found).choices.empty()) << "--fix never chooses";
    const RepairChoice& choice = found.choices.front();
    const RepairPlan keepFirst = withAnswer(folder, found, choice, 1, "stamp");
    EXPECT_TRUE(moves(keepFirst, "Pellimore (1).ini", "Pellimore (1).ini.stamp.bak"));
    EXPECT_FALSE(touches(keepFirst, "Pellimore.ini"));
    const RepairPlan keepSecond = withAnswer(folder, found, choice, 2, "stamp");
    EXPECT_TRUE(moves(keepSecond, "Pellimore.ini", "Pellimore.ini.stamp.bak"));
    EXPECT_TRUE(moves(keepSecond, "Pellimore (1).ini", "Pellimore.ini"));
    EXPECT_TRUE(withAnswer(folder, found, choice, 0, "stamp").steps.empty());
}

TEST_F(RepairPlanTest, TheModuleWithThisReleasesBytesElseTheNewerOneStays) {
    const fs::path folder = game();
    const std::string released = moduleBytes(1, 0, 0, "released");
    write(folder / "Pellimore.asi", moduleBytes(0, 9, 0));
    write(folder / "Pellimore (2).asi", released);
    RepairPlan found = plan(folder, context(released));
    EXPECT_TRUE(moves(found, "Pellimore.asi", "Pellimore-set-aside/Pellimore.asi"));
    EXPECT_TRUE(moves(found, "Pellimore (2).asi", "Pellimore.asi"));
    EXPECT_FALSE(touches(safeStepsOf(found), "Pellimore.asi")) << "--fix never replaces the module the game loads";
    // The release's bytes win even against a higher version.
    write(folder / "Pellimore.asi", moduleBytes(2, 0, 0));
    found = plan(folder, context(released));
    EXPECT_TRUE(moves(found, "Pellimore (2).asi", "Pellimore.asi"));
    write(folder / "Pellimore.asi", released);
    write(folder / "Pellimore (2).asi", moduleBytes(2, 0, 0));
    found = plan(folder, context(released));
    EXPECT_TRUE(moves(found, "Pellimore (2).asi", "Pellimore-set-aside/Pellimore (2).asi"));
    EXPECT_FALSE(touches(found, "Pellimore.asi"));
    // Without the release's bytes: 1.10.0 is newer than 1.9.0; equal versions are the player's choice.
    write(folder / "Pellimore.asi", moduleBytes(1, 9, 0));
    write(folder / "Pellimore (2).asi", moduleBytes(1, 10, 0));
    EXPECT_TRUE(moves(plan(folder, context()), "Pellimore (2).asi", "Pellimore.asi"));
    write(folder / "Pellimore (2).asi", moduleBytes(1, 9, 0, "rebuilt"));
    found = plan(folder, context());
    ASSERT_EQ(found.choices.size(), 1u);
    EXPECT_TRUE(found.choices.front().module);
    EXPECT_TRUE(safeStepsOf(found).steps.empty());
    EXPECT_LT(compareVersions("1.9.0", "1.10.0"), 0);
    EXPECT_GT(compareVersions("2.0", "1.99.99"), 0);
    EXPECT_EQ(compareVersions("1.0.0", "1.0.0"), 0);
}

TEST_F(RepairPlanTest, OfTwoReleaseFoldersTheNewerOneIsUsedAndItsModuleCheckedByDigest) {
    const fs::path folder = game();
    const std::string released = moduleBytes(1, 0, 0, "released");
    write(folder / "Pellimore-1.0.0" / "Pellimore.asi", released);
    write(folder / "Pellimore-0.9.0" / "Pellimore.asi", moduleBytes(0, 9, 0));
    write(folder / "Pellimore-1.10.0" / "Pellimore.asi", moduleBytes(1, 10, 0));
    EXPECT_TRUE(moves(plan(folder, context()), "Pellimore-1.10.0/Pellimore.asi", "Pellimore.asi"));
    EXPECT_TRUE(moves(plan(folder, context(released)), "Pellimore-1.0.0/Pellimore.asi", "Pellimore.asi"));
    // This version in a subfolder, with other bytes than the release's: not the released file.
    fs::remove_all(folder / "Pellimore-1.10.0");
    fs::remove_all(folder / "Pellimore-0.9.0");
    write(folder / "Pellimore-1.0.0" / "Pellimore.asi", moduleBytes(1, 0, 0, "changed"));
    plan(folder, context(released));
    EXPECT_TRUE(std::any_of(report.findings.begin(), report.findings.end(), [](const Finding& finding) {
        return finding.kind == DoctorFindingKind::ModuleNotReleased;
    }));
}

TEST_F(RepairPlanTest, LinkedFilesAreLeftToTheModManagerAndNamesIgnoreLetterCase) {
    const fs::path folder = game();
    write(folder / "PELLIMORE-1.0.0" / "pellimore.ASI", moduleBytes(1, 0, 0));
    EXPECT_TRUE(moves(plan(folder, context()), "PELLIMORE-1.0.0/pellimore.ASI", "Pellimore.asi"));
    write(folder / "Pellimore.ini.txt", ownSettings("75"));
    fs::create_hard_link(folder / "Pellimore.ini.txt", scratchDirectory / "mod-manager-copy.ini");
    const RepairPlan linked = plan(folder, context());
    EXPECT_FALSE(touches(linked, "Pellimore.ini.txt"));
    EXPECT_EQ(std::count(linked.leftAlone.begin(), linked.leftAlone.end(), fs::path("Pellimore.ini.txt")), 1);
}

TEST_F(RepairPlanTest, ThePagesNewestDownloadComesInByThePlayersChoiceAndGoesBackOnUndo) {
    const fs::path folder = game();
    write(folder / "Pellimore.asi", moduleBytes(1, 0, 0));
    write(folder / "Pellimore.ini", ownSettings("75"));
    const fs::path downloads = scratchDirectory / "Downloads";
    const std::string saved = withDownloadMark(ownSettings("76"), "2026-12-09 14:05");
    write(downloads / "Pellimore (1).ini", saved);
    write(downloads / "Pellimore (2).ini", ownSettings("77"));  // a download the page did not save
    write(downloads / "Pellimore.ini", withDownloadMark(ownSettings("78"), "2026-12-01 10:00"));
    const auto now = fs::file_time_type::clock::now();
    fs::last_write_time(folder / "Pellimore.ini", now - std::chrono::hours(2));
    fs::last_write_time(downloads / "Pellimore.ini", now - std::chrono::hours(3));  // older than the game's file
    fs::last_write_time(downloads / "Pellimore (2).ini", now);
    fs::last_write_time(downloads / "Pellimore (1).ini", now - std::chrono::hours(1));
    DoctorContext withDownloads = context();
    withDownloads.downloadsFolder = downloads;
    const RepairPlan found = plan(folder, withDownloads);
    ASSERT_EQ(found.choices.size(), 1u);
    EXPECT_EQ(found.choices.front().other, fs::absolute(downloads / "Pellimore (1).ini"));
    EXPECT_TRUE(safeStepsOf(found).steps.empty()) << "--fix never brings a download in";
    EXPECT_TRUE(withAnswer(folder, found, found.choices.front(), 1, "stamp").steps.empty())
        << "keeping Pellimore.ini leaves the download where it is";
    const RepairPlan brought = withAnswer(folder, found, found.choices.front(), 2, "stamp");
    ASSERT_EQ(runRepairs(folder, brought, false).problem, RepairProblem::None);
    EXPECT_EQ(readWholeFile(folder / "Pellimore.ini"), saved);
    EXPECT_EQ(readWholeFile(folder / "Pellimore.ini.stamp.bak"), ownSettings("75"));
    EXPECT_FALSE(fs::exists(downloads / "Pellimore (1).ini"));
    ASSERT_EQ(undoLastRepair(folder, false).problem, RepairProblem::None);
    EXPECT_EQ(readWholeFile(downloads / "Pellimore (1).ini"), saved);
    EXPECT_EQ(readWholeFile(folder / "Pellimore.ini"), ownSettings("75"));
}

TEST_F(RepairPlanTest, AModuleCutShortHasNoVersion) {
    const std::string whole = moduleBytes(1, 2, 3);
    ASSERT_EQ(versionInModuleBytes(whole), "1.2.3");
    for (std::size_t length = 0; length < whole.size(); ++length)
        EXPECT_FALSE(versionInModuleBytes(std::string_view(whole).substr(0, length))) << "cut at " << length;
}

TEST_F(RepairPlanTest, TheGameRunningIsAFindingOfTheLook) {
    const fs::path folder = game();
    DoctorContext running = context();
    running.gameRunning = [] { return true; };
    const DoctorReport looked = diagnoseGameFolder(folder, running);
    EXPECT_TRUE(std::any_of(looked.findings.begin(), looked.findings.end(),
                            [](const Finding& finding) { return finding.kind == DoctorFindingKind::GameRunning; }));
}

}  // namespace
