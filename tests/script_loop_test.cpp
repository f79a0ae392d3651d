#include "brawl/script_loop.h"
#include "host/key_state_table.h"
#include "host/module_entry.h"
#include "settings/hotkey_settings.h"
#include "test_support.h"

namespace {

constexpr std::uint32_t keyX = 88, keyUp = 38, keyLeft = 37, keyRight = 39, keyDown = 40;
constexpr std::uint32_t keyQ = 81, keyZ = 90, keyNumpad8 = 104;

// Runs the real module: attached through its entry, ticked by the stand-in host.
class ScriptLoopTest : public PellimoreTest {
protected:
    void SetUp() override {
        PellimoreTest::SetUp();
        const std::int32_t peds[] = {101, 102, 7};
        standinSetPeds(peds, 3);
        standinSetPlayerPed(7);
        standinSetTickCount(100000);
        DllMain(moduleHandle, processAttach, nullptr);
    }
    void TearDown() override {
        DllMain(moduleHandle, processDetach, nullptr);
        PellimoreTest::TearDown();
    }
    static void tick() {
        standinClearNativeCalls();
        ASSERT_EQ(standinRunScriptTick(), 1);
    }
    HINSTANCE moduleHandle = reinterpret_cast<HINSTANCE>(0x1234);
};

using Moves = std::vector<std::string>;

TEST_F(ScriptLoopTest, DefaultThrowNeedsTheModifierAndFiresOnce) {
    standinPressKey(keyX);
    standinReleaseKey(keyUp);
    tick();
    // Two non-player peds receive it; the player's ped is spared.
    EXPECT_EQ(movesFired(), (Moves{"ACT_GRAPPLE_THROW_FRONT", "ACT_GRAPPLE_THROW_FRONT"}));
    standinAdvanceTime(10);
    tick();
    EXPECT_EQ(movesFired(), Moves{}) << "one release fires one move";
    EXPECT_EQ(standinScriptWaitCount(), 2);
}

TEST_F(ScriptLoopTest, ThrowWithoutModifierKeepsTheReleaseForALatePress) {
    standinReleaseKey(keyUp);
    tick();
    EXPECT_EQ(movesFired(), Moves{});
    standinAdvanceTime(50);
    standinPressKey(keyX);
    tick();
    EXPECT_EQ(movesFired().size(), 2u);
}

TEST_F(ScriptLoopTest, ReleaseOlderThanTheWindowIsLost) {
    standinReleaseKey(keyQ);
    standinAdvanceTime(100);
    tick();
    EXPECT_EQ(movesFired(), Moves{});
}

TEST_F(ScriptLoopTest, ModifierStopsCountingAfterThirtySeconds) {
    standinPressKey(keyX);
    standinAdvanceTime(30000);
    standinReleaseKey(keyLeft);
    tick();
    EXPECT_EQ(movesFired(), Moves{});
}

TEST_F(ScriptLoopTest, ModifierStaysHeldForTheNextThrow) {
    standinPressKey(keyX);
    standinReleaseKey(keyRight);
    tick();
    const Moves right = movesFired();
    ASSERT_FALSE(right.empty()) << "the right throw fired nothing";
    EXPECT_EQ(right.front(), "ACT_GRAPPLE_THROW_RIGHT");
    standinAdvanceTime(500);
    standinReleaseKey(keyDown);
    tick();
    const Moves backLeft = movesFired();
    ASSERT_FALSE(backLeft.empty()) << "the back-left throw fired nothing";
    EXPECT_EQ(backLeft.front(), "ACT_GRAPPLE_THROW_BACK_LEFT");
}

// Every throw, not only the first, waits for the modifier: released alone, each fires nothing.
TEST_F(ScriptLoopTest, EveryThrowNeedsTheModifier) {
    for (const std::uint32_t key : {keyUp, keyLeft, keyRight, keyDown}) {
        standinReleaseKey(key);
        tick();
        EXPECT_EQ(movesFired(), Moves{}) << "key " << key << " fired without the modifier";
        standinAdvanceTime(200);  // the release falls out of its window before the next key
    }
}

TEST_F(ScriptLoopTest, EntriesFireInTableOrderWithinOneTick) {
    standinSetPeds(std::array<std::int32_t, 1>{101}.data(), 1);
    standinReleaseKey(keyZ);
    standinReleaseKey(keyQ);
    standinReleaseKey(keyNumpad8);
    tick();
    EXPECT_EQ(movesFired(), (Moves{"ACT_GRAPPLE_CUSTOM_KNOCKOUT_AI", "AR_grapple_challenge_front",
                                   "AR_grapple_mount_standing_from_front"}));
}

TEST_F(ScriptLoopTest, EveryDefaultBindingReachesItsMove) {
    standinSetPeds(std::array<std::int32_t, 1>{101}.data(), 1);
    const std::pair<std::uint32_t, const char*> cases[] = {
        {81, "ACT_GRAPPLE_CUSTOM_KNOCKOUT_AI"},
        {69, "ACT_GRAPPLE_CUSTOM_EXECUTION_AI"},
        {66, "GrappleSwitchFrontToBack"},
        {71, "GrappleSwitchBackToFront"},
        {78, "Subdue"},
        {17, "GrappleSwitchFrontToMount"},
        {104, "AR_grapple_challenge_front"},
        {90, "AR_grapple_mount_standing_from_front"},
        {105, "AR_GRAPPLE_FRONT_FROM_FRONT"},
        {70, "AR_GRAPPLE_BACK_FROM_BACK"},
    };
    for (const auto& [key, move] : cases) {
        SCOPED_TRACE(move);
        standinAdvanceTime(1000);
        standinReleaseKey(key);
        tick();
        EXPECT_EQ(movesFired(), Moves{move});
    }
}

TEST_F(ScriptLoopTest, TwoEntriesOnOneKeyFireOnlyTheEarlier) {
    hotkeyBindings.tackle = 81;  // Knockout's key; no settings file, so it stays
    standinSetPeds(std::array<std::int32_t, 1>{101}.data(), 1);
    standinReleaseKey(keyQ);
    tick();
    EXPECT_EQ(movesFired(), Moves{"ACT_GRAPPLE_CUSTOM_KNOCKOUT_AI"});
}

TEST_F(ScriptLoopTest, SkippedThrowLeavesTheRowForALaterEntryOnTheSameKey) {
    hotkeyBindings.knockout = static_cast<std::int32_t>(keyUp);
    standinSetPeds(std::array<std::int32_t, 1>{101}.data(), 1);
    standinReleaseKey(keyUp);
    tick();
    EXPECT_EQ(movesFired(), Moves{"ACT_GRAPPLE_CUSTOM_KNOCKOUT_AI"});
}

TEST_F(ScriptLoopTest, ThrowBoundToTheModifierNeverFires) {
    hotkeyBindings.grappleThrowFront = static_cast<std::int32_t>(keyX);
    standinPressKey(keyX);
    tick();
    standinReleaseKey(keyX);
    tick();
    EXPECT_EQ(movesFired(), Moves{});
}

TEST_F(ScriptLoopTest, OutOfRangeBindingsSwitchTheirMoveOff) {
    // 337 and 344 are Q and X plus 256: a code cut to a byte anywhere on the way
    // to the table would fire the knockout or the throw.
    writeSettings(std::string(twelveKeySettingsText) + "iKnockout=337\niXKey=344\niExecute=-1\n");
    standinPressKey(keyX);
    standinReleaseKey(keyUp);
    standinReleaseKey(keyQ);
    handleKeyMessage(static_cast<std::uint32_t>(-1), 1, 0, 0, 0, 1, 1);
    tick();
    EXPECT_EQ(hotkeyBindings.knockout, 337) << "the file was loaded";
    EXPECT_EQ(movesFired(), Moves{});
}

TEST_F(ScriptLoopTest, NoPedsStillConsumesTheRelease) {
    standinSetPeds(nullptr, 0);
    standinReleaseKey(keyQ);
    tick();
    EXPECT_EQ(standinNativeCallCount(), 0);
    const std::int32_t peds[] = {101};
    standinSetPeds(peds, 1);
    standinAdvanceTime(10);
    tick();
    EXPECT_EQ(movesFired(), Moves{}) << "the release was consumed by the empty tick";
}

TEST_F(ScriptLoopTest, SnapshotHoldsTheHostsCountToTheBuffer) {
    std::vector<std::int32_t> peds(pedSnapshotCapacity + 10, 5);
    standinSetPeds(peds.data(), static_cast<std::int32_t>(peds.size()));
    PedSnapshot snapshot{};
    for (const std::int32_t reported : {1 << 30, pedSnapshotCapacity + 1, pedSnapshotCapacity, 3, 0, -4}) {
        standinSetReportedPedCount(reported);
        takePedSnapshot(snapshot);
        EXPECT_EQ(snapshot.pedCount, std::min(reported, pedSnapshotCapacity)) << reported;
    }
}

TEST_F(ScriptLoopTest, OversizedPedCountIsTreatedAsTheBufferSize) {
    std::vector<std::int32_t> peds(pedSnapshotCapacity + 10);
    for (std::size_t index = 0; index < peds.size(); ++index) peds[index] = static_cast<std::int32_t>(index + 1);
    standinSetPeds(peds.data(), static_cast<std::int32_t>(peds.size()));
    standinSetReportedPedCount(1 << 30);
    standinSetPlayerPed(0);
    standinReleaseKey(keyQ);
    tick();
    EXPECT_EQ(movesFired().size(), static_cast<std::size_t>(pedSnapshotCapacity));
}

TEST_F(ScriptLoopTest, SettingsEditIsHonouredOnTheNextTick) {
    writeSettings(std::string(twelveKeySettingsText) + "iKnockout=75\n");
    standinReleaseKey(keyQ);
    tick();
    EXPECT_EQ(movesFired(), Moves{}) << "Q is no longer bound";
    standinAdvanceTime(10);
    standinReleaseKey(75);
    tick();
    EXPECT_EQ(movesFired().size(), 2u);
}

TEST_F(ScriptLoopTest, LoadedFileMakesRightAndBackLeftThrowsShareKeys) {
    writeSettings(twelveKeySettingsText);
    standinPressKey(keyX);
    standinReleaseKey(keyRight);
    tick();
    EXPECT_EQ(movesFired(), Moves{}) << "right arrow is unbound once a twelve-key file loads";
    standinReleaseKey(keyUp);
    tick();
    EXPECT_EQ(movesFired(), (Moves{"ACT_GRAPPLE_THROW_FRONT", "ACT_GRAPPLE_THROW_FRONT"}));
}

TEST_F(ScriptLoopTest, BrokenSettingsFileNeverStopsTheScript) {
    // iExecute is missing: xKey and knockout load, the rest keep their values.
    writeSettings("[Pellimore]\niXKey=88\niKnockout=75\n");
    standinReleaseKey(75);
    tick();
    EXPECT_EQ(movesFired().size(), 2u) << "the tick went on with the partial load";
    standinAdvanceTime(10);
    standinReleaseKey(69);  // Execute keeps its default
    tick();
    ASSERT_FALSE(movesFired().empty()) << "Execute kept its default key";
    EXPECT_EQ(movesFired().front(), "ACT_GRAPPLE_CUSTOM_EXECUTION_AI");

    writeSettings("[Pellimore]\niXKey=99999999999\n");
    for (int tickNumber = 0; tickNumber < 3; ++tickNumber) tick();
    EXPECT_EQ(standinScriptWaitCount(), 5) << "every tick reached its wait";

    writeSettings(std::string(twelveKeySettingsText) + "iExecute=76\n");
    standinAdvanceTime(10);
    standinReleaseKey(76);
    tick();
    ASSERT_FALSE(movesFired().empty()) << "the fixed file takes effect";
    EXPECT_EQ(movesFired().front(), "ACT_GRAPPLE_CUSTOM_EXECUTION_AI");
}

TEST_F(ScriptLoopTest, DeletedFileKeepsTheLastLoadedBindings) {
    writeSettings(std::string(twelveKeySettingsText) + "iKnockout=75\n");
    tick();
    removeSettings();
    standinAdvanceTime(10);
    standinReleaseKey(75);
    tick();
    EXPECT_EQ(movesFired().size(), 2u);
}

}  // namespace
