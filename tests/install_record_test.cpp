// The doctor's memory of which Pellimore.asi it first saw, and when: a hook log
// that lists other scripts but not Pellimore is a FIX only when it was written
// after the doctor first saw this very module.
#include "pellimore/doctor/install_record.h"
#include "test_support.h"

#include <chrono>

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

const std::string installed(64, 'a');
const std::string previous(64, 'b');
const fs::file_time_type seen = fs::file_time_type::clock::now() - 2h;

TEST(InstallRecordDecision, OnlyALogAfterTheModuleWasSeenIsEvidence) {
    // First run after install, with yesterday's log: no record yet.
    EXPECT_EQ(logAgainstRecord(std::nullopt, installed, seen - 24h), LogAge::Unknown);
    // Second run, after a game start that did not load it.
    EXPECT_EQ(logAgainstRecord(InstallRecord{installed, seen}, installed, seen + 1h), LogAge::AfterModuleSeen);
    // Seen, but the game has not run since.
    EXPECT_EQ(logAgainstRecord(InstallRecord{installed, seen}, installed, seen - 1h), LogAge::Unknown);
    // An update replaced the module the doctor saw: the log may be from before it.
    EXPECT_EQ(logAgainstRecord(InstallRecord{previous, seen}, installed, seen + 1h), LogAge::Unknown);
}

class InstallRecordFile : public PellimoreTest {};

TEST_F(InstallRecordFile, WrittenOnceForAModuleAndRenewedWhenItChanges) {
    const fs::path file = installRecordFile(scratchDirectory / "profile", scratchDirectory / "game");
    EXPECT_FALSE(readInstallRecord(file).has_value());
    renewInstallRecord(file, installed, std::nullopt);
    const auto first = readInstallRecord(file);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->moduleDigest, installed);

    // The same module again keeps the time it was first seen.
    fs::last_write_time(file, seen);
    renewInstallRecord(file, installed, readInstallRecord(file));
    EXPECT_EQ(readInstallRecord(file)->firstSeen, seen);

    // Other bytes start a new record, from now.
    renewInstallRecord(file, previous, readInstallRecord(file));
    const auto renewed = readInstallRecord(file);
    ASSERT_TRUE(renewed.has_value());
    EXPECT_EQ(renewed->moduleDigest, previous);
    EXPECT_GT(renewed->firstSeen, seen);
}

// Each game folder has a record of its own in the profile; on Windows a path differing only in letter case
// is the same folder.
TEST_F(InstallRecordFile, KeyedByTheGameFoldersFullPath) {
    const fs::path profile = scratchDirectory / "profile";
    EXPECT_NE(installRecordFile(profile, scratchDirectory / "game"),
              installRecordFile(profile, scratchDirectory / "other"));
    EXPECT_EQ(installRecordFile(profile, scratchDirectory / "game"),
              installRecordFile(profile, scratchDirectory / "game/"));
    EXPECT_EQ(installRecordFile(profile, "game").parent_path(), profile);
}

}  // namespace
