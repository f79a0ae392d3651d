// The repairs' promises under every failure a player's machine can bring:
// each file operation refused in turn, or the run stopped dead at it as a
// closed window or a power cut stops it. Afterwards nothing of the player's is
// lost, the folder is as it was or fully repaired (never in between) and the
// words say which, the next look names a repair cut short, and putting it back
// gives the folder back byte for byte.
#include "pellimore/doctor/repair_run.h"
#include "faulty_repair_files.h"
#include "pellimore/common/platform.h"
#include "pellimore/common/words.h"
#include "pellimore/doctor/doctor_wording.h"
#include "pellimore/doctor/repair_journal.h"
#include "test_support.h"

#include <fstream>
#include <map>
#include <regex>

namespace {

namespace fs = std::filesystem;

// A folder as paths and bytes (folders as "/"), leaving out the doctor's journal.
using Snapshot = std::map<std::string, std::string>;

Snapshot snapshotOf(const fs::path& folder) {
    Snapshot files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = entry.path().lexically_relative(folder).generic_string();
        if (entry.path().filename() == "doctor-repairs.log") continue;
        files[name] = entry.is_directory() ? "/" : readWholeFile(entry.path()).value_or("?");
    }
    return files;
}

std::multiset<std::string> contentsOf(const Snapshot& snapshot) {
    std::multiset<std::string> contents;
    for (const auto& [name, bytes] : snapshot)
        if (bytes != "/") contents.insert(bytes);
    return contents;
}

void write(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

// Thrown where the double stops the run dead: nothing in the repairs catches it, as nothing survives a kill.
struct StoppedDead {};

class RepairRunTest : public PellimoreTest {
protected:
    // A long plan of every kind of step: the player's file set aside to make room, a file moved into its
    // place, a copy moved into a folder the repair makes, and a file moved out of a subfolder.
    fs::path makeGame(const std::string& name = "game") {
        const fs::path game = scratchDirectory / name;
        write(game / "RDR2.exe", "MZ game");
        write(game / "Pellimore.ini", "[Keys]\r\niKnockout=75\r\n");
        write(game / "Pellimore (1).ini", "[Keys]\r\niKnockout=76\r\n");
        write(game / "Pellimore - Copy.asi", "MZ module copy");
        write(game / "bin" / "ScriptHookRDR2.dll", "MZ hook");
        return game;
    }
    static RepairPlan longPlan() {
        return {{{RepairReason::SetAside, "Pellimore.ini", "Pellimore.ini.20261209-1200.bak", true},
                 {RepairReason::SettingsRenamed, "Pellimore (1).ini", "Pellimore.ini", true},
                 {RepairReason::ModuleCopySetAside, "Pellimore - Copy.asi", "Pellimore-set-aside/Pellimore - Copy.asi",
                  false},
                 {RepairReason::HookFromBin, "bin/ScriptHookRDR2.dll", "ScriptHookRDR2.dll", true}},
                {}};
    }
    RepairFiles faulty(Fault fault, int at, bool otherVolume = false) {
        count = std::make_shared<OperationCount>();
        return faultyRepairFiles({fault, at, otherVolume, [] { throw StoppedDead{}; }}, count);
    }
    // How many operations a clean repair of the long plan makes.
    int operationsOfCleanRun(bool otherVolume) {
        const fs::path game = makeGame(otherVolume ? "clean-across" : "clean");
        EXPECT_EQ(runRepairs(game, longPlan(), false, faulty(Fault::None, 0, otherVolume)).problem,
                  RepairProblem::None);
        repaired = snapshotOf(game);
        return count->value;
    }
    std::shared_ptr<OperationCount> count;
    Snapshot repaired;
};

TEST_F(RepairRunTest, AMoveNeverReplacesAFileAndBothKeepTheirBytes) {
    write(scratchDirectory / "a", "first");
    write(scratchDirectory / "b", "second");
    EXPECT_EQ(systemRepairFiles().move(scratchDirectory / "a", scratchDirectory / "b"), MoveResult::Refused);
    EXPECT_EQ(readWholeFile(scratchDirectory / "a"), "first");
    EXPECT_EQ(readWholeFile(scratchDirectory / "b"), "second");
}

TEST_F(RepairRunTest, AMoveAcrossDrivesThatFailsAnywhereLeavesOnlyTheOriginal) {
    // Across drives a move is: the move that reports the other drive, the copy, the rename into place, the
    // removal of the original. Each refused, and a copy whose bytes came out wrong, leave the original alone.
    const std::vector<std::pair<Fault, int>> faults{
        {Fault::Refuse, 1}, {Fault::Refuse, 2}, {Fault::Refuse, 3}, {Fault::Refuse, 4}, {Fault::Garble, 2}};
    for (const auto& [fault, at] : faults) {
        const fs::path folder =
            scratchDirectory / ("across-" + std::to_string(at) + (fault == Fault::Garble ? "-garbled" : ""));
        write(folder / "from" / "Pellimore.asi", "MZ module");
        fs::create_directories(folder / "to");
        const JournalStep step{folder / "from" / "Pellimore.asi", folder / "to" / "Pellimore.asi",
                               fileDigest(folder / "from" / "Pellimore.asi")};
        const Snapshot before = snapshotOf(folder);
        SCOPED_TRACE("operation " + std::to_string(at) + (fault == Fault::Garble ? " garbled" : " refused"));
        EXPECT_FALSE(moveStep(faulty(fault, at, true), step, false));
        EXPECT_EQ(snapshotOf(folder), before);
    }
}

TEST_F(RepairRunTest, ARefusalAtAnyOperationLeavesTheFolderAsItWasOrRepairedAndSaysWhich) {
    for (const bool otherVolume : {false, true}) {
        const int operations = operationsOfCleanRun(otherVolume);
        ASSERT_GT(operations, 8);
        for (int at = 1; at <= operations; ++at) {
            const fs::path game = makeGame("refused-" + std::to_string(at) + (otherVolume ? "-across" : ""));
            const Snapshot original = snapshotOf(game);
            const RepairOutcome outcome = runRepairs(game, longPlan(), false, faulty(Fault::Refuse, at, otherVolume));
            const Snapshot after = snapshotOf(game);
            SCOPED_TRACE("refused operation " + std::to_string(at) + (otherVolume ? " across drives" : ""));
            if (outcome.problem == RepairProblem::None) {
                EXPECT_EQ(after, repaired);
            } else {
                EXPECT_EQ(after, original);
                EXPECT_TRUE(outcome.problem == RepairProblem::RolledBack ||
                            outcome.problem == RepairProblem::JournalRefused);
            }
            EXPECT_FALSE(interruptedRepair(game)) << "a refusal left the journal unfinished";
        }
    }
}

TEST_F(RepairRunTest, AStopAtAnyOperationLosesNothingIsNamedAndIsPutBackByteForByte) {
    for (const bool otherVolume : {false, true}) {
        const int operations = operationsOfCleanRun(otherVolume);
        for (int at = 1; at <= operations; ++at) {
            const fs::path game = makeGame("stopped-" + std::to_string(at) + (otherVolume ? "-across" : ""));
            const Snapshot original = snapshotOf(game);
            SCOPED_TRACE("stopped at operation " + std::to_string(at) + (otherVolume ? " across drives" : ""));
            EXPECT_THROW(runRepairs(game, longPlan(), false, faulty(Fault::StopDead, at, otherVolume)), StoppedDead);
            const auto left = contentsOf(snapshotOf(game));
            for (const std::string& bytes : contentsOf(original)) EXPECT_TRUE(left.count(bytes)) << "lost: " << bytes;
            const auto interrupted = interruptedRepair(game);
            // Only the plan's own write comes before the first move: a stop there leaves no plan and nothing moved.
            EXPECT_EQ(interrupted.has_value(), at > 1);
            if (interrupted) {
                EXPECT_NE(interruptedSentence(Voice{}, game, *interrupted).find("cut short"), std::string::npos);
            }
            const RepairOutcome undone = undoLastRepair(game, false);
            EXPECT_EQ(undone.problem, at > 1 ? RepairProblem::None : RepairProblem::NothingToUndo);
            EXPECT_EQ(snapshotOf(game), original);
            EXPECT_FALSE(interruptedRepair(game));
        }
    }
}

TEST_F(RepairRunTest, AStoppedRepairCanBeFinishedInstead) {
    const int operations = operationsOfCleanRun(true);
    for (int at = 2; at <= operations; ++at) {
        const fs::path game = makeGame("finished-" + std::to_string(at));
        EXPECT_THROW(runRepairs(game, longPlan(), false, faulty(Fault::StopDead, at, true)), StoppedDead);
        EXPECT_EQ(finishInterruptedRepair(game, false).problem, RepairProblem::None) << "stopped at " << at;
        EXPECT_EQ(snapshotOf(game), repaired) << "stopped at " << at;
        // A finished repair is a repair like any other: it can be undone.
        EXPECT_EQ(undoLastRepair(game, false).problem, RepairProblem::None);
    }
}

TEST_F(RepairRunTest, ARollbackThatFailsTooSaysWhereEachFileIsAndTheNextLookPutsItBack) {
    const fs::path game = makeGame();
    const Snapshot original = snapshotOf(game);
    // Everything from the third move on is refused: the repair fails at step 3, and moving back fails as well.
    const auto moves = std::make_shared<int>(0);
    RepairFiles files = systemRepairFiles();
    files.move = [moves](const fs::path& from, const fs::path& to) {
        return ++*moves >= 3 ? MoveResult::Refused : systemRepairFiles().move(from, to);
    };
    const RepairOutcome outcome = runRepairs(game, longPlan(), false, files);
    ASSERT_EQ(outcome.problem, RepairProblem::NotPutBack);
    ASSERT_EQ(outcome.places.size(), 4u);
    EXPECT_EQ(outcome.places[0].place, StepPlace::AtTarget);
    EXPECT_EQ(outcome.places[1].place, StepPlace::AtTarget);
    EXPECT_EQ(outcome.places[2].place, StepPlace::AtSource);
    EXPECT_EQ(readWholeFile(game / "Pellimore.ini"), "[Keys]\r\niKnockout=76\r\n");
    EXPECT_NE(filePlaceSentence(Voice{}, game, outcome.places[0]).find("Pellimore.ini.20261209-1200.bak"),
              std::string::npos);
    ASSERT_TRUE(interruptedRepair(game));
    EXPECT_EQ(putBackInterruptedRepair(game, false).problem, RepairProblem::None);
    EXPECT_EQ(snapshotOf(game), original);
}

TEST_F(RepairRunTest, NothingMovesWhileTheGameRunsOrATargetIsTakenOrTheJournalCannotBeWritten) {
    const fs::path game = makeGame();
    const Snapshot original = snapshotOf(game);
    EXPECT_EQ(runRepairs(game, longPlan(), true).problem, RepairProblem::GameRunning);
    write(game / "ScriptHookRDR2.dll", "MZ another hook");
    EXPECT_EQ(runRepairs(game, longPlan(), false).problem, RepairProblem::TargetTaken);
    fs::remove(game / "ScriptHookRDR2.dll");
    const RepairOutcome refused = runRepairs("game", longPlan(), false, faulty(Fault::Refuse, 1));
    EXPECT_EQ(refused.problem, RepairProblem::JournalRefused);
    // The game folder as the player named it, once: "game/doctor-repairs.log".
    EXPECT_NE(repairOutcomeSentence(Voice{}, "game", refused).find(" game/doctor-repairs.log,"), std::string::npos)
        << repairOutcomeSentence(Voice{}, "game", refused);
    EXPECT_EQ(snapshotOf(game), original);
    EXPECT_FALSE(fs::exists(repairJournalFile(game)));
}

TEST_F(RepairRunTest, UndoReversesOnlyTheLastRepairAndNeverAFileChangedSince) {
    const fs::path game = makeGame();
    const Snapshot original = snapshotOf(game);
    ASSERT_EQ(runRepairs(game, longPlan(), false).problem, RepairProblem::None);
    const Snapshot afterFirst = snapshotOf(game);
    write(game / "Pellimore (2).ini", "[Keys]\r\niKnockout=77\r\n");
    const RepairPlan second{{{RepairReason::SettingsRenamed, "Pellimore (2).ini", "Pellimore (2).ini.bak", true}}, {}};
    ASSERT_EQ(runRepairs(game, second, false).problem, RepairProblem::None);
    write(game / "Pellimore (2).ini.bak", "[Keys]\r\niKnockout=78\r\n");
    const RepairOutcome refused = undoLastRepair(game, false);
    EXPECT_EQ(refused.problem, RepairProblem::ChangedSinceRepair);
    // The refusal names the changed file in every language; no outcome leaves a placeholder unfilled.
    for (const std::string& language : knownLanguages()) {
        const Voice voice = voiceFor(language);
        EXPECT_NE(repairOutcomeSentence(voice, game, refused).find("(2).ini.bak"), std::string::npos) << language;
        for (int problem = 0; problem <= static_cast<int>(RepairProblem::ChangedSinceRepair); ++problem)
            for (const RepairAction action : {RepairAction::Repair, RepairAction::Undo}) {
                RepairOutcome outcome(static_cast<RepairProblem>(problem), game / "x.ini", 2);
                outcome.action = action;
                const std::string sentence = repairOutcomeSentence(voice, game, outcome);
                EXPECT_FALSE(std::regex_search(sentence, std::regex("\\{[a-z_]+\\}"))) << language << ": " << sentence;
            }
    }
    write(game / "Pellimore (2).ini.bak", "[Keys]\r\niKnockout=77\r\n");
    const Snapshot beforeUndo = snapshotOf(game);
    ASSERT_EQ(undoLastRepair(game, false).problem, RepairProblem::None);
    fs::remove(game / "Pellimore (2).ini");
    EXPECT_EQ(snapshotOf(game), afterFirst);
    EXPECT_NE(beforeUndo, afterFirst);
    // The undo is the last repair's only: the one before it stays, as the player last saw it.
    EXPECT_EQ(undoLastRepair(game, false).problem, RepairProblem::NothingToUndo);
    EXPECT_EQ(snapshotOf(game), afterFirst);
    EXPECT_NE(afterFirst, original);
}

TEST_F(RepairRunTest, AnEarlierReleasesLogStaysUndoableAndATornPlanMovedNothing) {
    const fs::path game = makeGame();
    write(game / "Pellimore-1.0.0" / "Pellimore-tools" / "doctor-repairs.log", "");
    fs::rename(game / "Pellimore (1).ini", game / "Pellimore.ini.txt");
    const std::string moved = readWholeFile(game / "Pellimore.ini.txt").value();
    fs::rename(game / "Pellimore.ini", game / "Pellimore.ini.old.bak");
    fs::rename(game / "Pellimore.ini.txt", game / "Pellimore.ini");
    std::ofstream(game / "Pellimore-1.0.0" / "Pellimore-tools" / "doctor-repairs.log", std::ios::binary)
        << "repair 2026-12-01 10:00:00\r\nmove\tPellimore.ini\tPellimore.ini.old.bak\t"
        << fileDigest(game / "Pellimore.ini.old.bak") << "\r\nmove\tPellimore.ini.txt\tPellimore.ini\t"
        << fileDigest(game / "Pellimore.ini") << "\r\ndone 2026-12-01 10:00:00\r\n";
    // This release's journal: a plan cut off before its closing line, its last line torn.
    std::ofstream(repairJournalFile(game), std::ios::binary)
        << "repair 2026-12-02 10:00:00\r\nstep\t1\t" << (game / "RDR2.exe").generic_string() << "\t"
        << (game / "RDR2.exe.bak").generic_string() << "\tab\r\nplann";
    EXPECT_FALSE(interruptedRepair(game));
    ASSERT_EQ(undoLastRepair(game, false).problem, RepairProblem::None);
    EXPECT_EQ(readWholeFile(game / "Pellimore.ini.txt"), moved);
    EXPECT_EQ(readWholeFile(game / "Pellimore.ini"), "[Keys]\r\niKnockout=75\r\n");
}

}  // namespace
