#include "brawl/melee_actions.h"
#include "test_support.h"

namespace {

using namespace natives;

constexpr std::uint64_t actionFlag = 32768;
constexpr std::uint64_t switchFlag = 512;

class MeleeActionsTest : public PellimoreTest {};

// The logged name-hash call must have pushed the address of exactly this text.
void expectHashedName(const StandinNativeCall& call, const char* name) {
    ASSERT_EQ(call.hash, hashName);
    EXPECT_STREQ(reinterpret_cast<const char*>(static_cast<std::uintptr_t>(call.arguments[0])), name);
}

TEST_F(MeleeActionsTest, NamedTaskActionsQualifySpareHashAndMove) {
    const std::pair<MeleeAction, const char*> cases[] = {
        {MeleeAction::GrappleThrowFront, "ACT_GRAPPLE_THROW_FRONT"},
        {MeleeAction::GrappleThrowLeft, "ACT_GRAPPLE_THROW_LEFT"},
        {MeleeAction::GrappleThrowRight, "ACT_GRAPPLE_THROW_RIGHT"},
        {MeleeAction::GrappleThrowBackLeft, "ACT_GRAPPLE_THROW_BACK_LEFT"},
        {MeleeAction::Knockout, "ACT_GRAPPLE_CUSTOM_KNOCKOUT_AI"},
        {MeleeAction::Execute, "ACT_GRAPPLE_CUSTOM_EXECUTION_AI"},
    };
    for (const auto& [action, name] : cases) {
        SCOPED_TRACE(name);
        standinClearNativeCalls();
        applyMeleeAction(action, snapshotOf({101}));
        const auto calls = loggedCalls();
        ASSERT_EQ(calls.size(), 5u);
        expectHashedName(calls[2], name);
        const std::uint64_t nameHash = standinNameHash(name);
        const std::uint64_t nameAddress = calls[2].arguments[0];
        expectCalls({{qualifiesForMelee, {101}},
                     {playerPed, {}},
                     {hashName, {nameAddress}},
                     {startTaskAction, {101, nameHash}},
                     {setFlagWord, {101, actionFlag, 0}}});
    }
}

TEST_F(MeleeActionsTest, NamedActionResponsesQualifySpareHashAndMove) {
    const std::pair<MeleeAction, const char*> cases[] = {
        {MeleeAction::GrappleChallengeFront, "AR_grapple_challenge_front"},
        {MeleeAction::Tackle, "AR_grapple_mount_standing_from_front"},
        {MeleeAction::GrappleFront, "AR_GRAPPLE_FRONT_FROM_FRONT"},
        {MeleeAction::GrappleBack, "AR_GRAPPLE_BACK_FROM_BACK"},
    };
    for (const auto& [action, name] : cases) {
        SCOPED_TRACE(name);
        standinClearNativeCalls();
        applyMeleeAction(action, snapshotOf({101}));
        const auto calls = loggedCalls();
        ASSERT_EQ(calls.size(), 4u);
        expectHashedName(calls[2], name);
        expectCalls({{qualifiesForMelee, {101}},
                     {playerPed, {}},
                     {hashName, {calls[2].arguments[0]}},
                     {startActionResponse, {101, standinNameHash(name)}}});
    }
}

TEST_F(MeleeActionsTest, FixedValueMovesSendTheirValuesZeroExtended) {
    applyMeleeAction(MeleeAction::GrappleSwitchFrontToBack, snapshotOf({101}));
    expectCalls({{qualifiesForMelee, {101}}, {startTaskAction, {101, 73296627}}, {setFlagWord, {101, switchFlag, 0}}});

    standinClearNativeCalls();
    applyMeleeAction(MeleeAction::GrappleSwitchBackToFront, snapshotOf({101}));
    expectCalls({{qualifiesForMelee, {101}},
                 {playerPed, {}},
                 {startTaskAction, {101, 0x00000000DBC9B5C6}},
                 {setFlagWord, {101, switchFlag, 0}}});

    standinClearNativeCalls();
    applyMeleeAction(MeleeAction::Subdue, snapshotOf({101}));
    expectCalls(
        {{qualifiesForMelee, {101}}, {setFlagWord, {101, 1037, 0}}, {startActionResponse, {101, 0x00000000AD251A6C}}});

    standinClearNativeCalls();
    applyMeleeAction(MeleeAction::GrappleSwitchFrontToMount, snapshotOf({101}));
    expectCalls({{qualifiesForMelee, {101}}, {playerPed, {}}, {setFlagWord, {101, switchFlag, 0}}});
}

TEST_F(MeleeActionsTest, NegativePedHandlesAreNotSignExtended) {
    applyMeleeAction(MeleeAction::Subdue, snapshotOf({-2}));
    expectCalls({{qualifiesForMelee, {0xFFFFFFFEu}},
                 {setFlagWord, {0xFFFFFFFEu, 1037, 0}},
                 {startActionResponse, {0xFFFFFFFEu, 0xAD251A6C}}});
}

TEST_F(MeleeActionsTest, EmptyOrNegativeSnapshotCallsNothing) {
    PedSnapshot snapshot = snapshotOf({101, 102});
    for (std::int32_t count : {0, -1, -1000}) {
        snapshot.pedCount = count;
        applyMeleeAction(MeleeAction::Knockout, snapshot);
    }
    EXPECT_EQ(standinNativeCallCount(), 0);
}

TEST_F(MeleeActionsTest, NonQualifyingPedCostsOneCall) {
    standinSetQualifies(102, 0);
    applyMeleeAction(MeleeAction::Knockout, snapshotOf({102}));
    expectCalls({{qualifiesForMelee, {102}}});
}

TEST_F(MeleeActionsTest, PlayerIsSparedByTwelveMovesButNotBySwitchFrontToBackOrSubdue) {
    standinSetPlayerPed(7);
    for (int index = 0; index < meleeActionCount; ++index) {
        const auto action = static_cast<MeleeAction>(index);
        SCOPED_TRACE(meleeActionName(action));
        standinClearNativeCalls();
        applyMeleeAction(action, snapshotOf({7}));
        if (action == MeleeAction::GrappleSwitchFrontToBack || action == MeleeAction::Subdue) {
            EXPECT_EQ(standinNativeCallCount(), 3);
            EXPECT_EQ(movesFired().size(), 1u);
        } else {
            expectCalls({{qualifiesForMelee, {7}}, {playerPed, {}}});
        }
    }
}

TEST_F(MeleeActionsTest, PedsAreVisitedInListOrderEachHashedAfresh) {
    standinSetPlayerPed(2);
    standinSetQualifies(3, 0);
    applyMeleeAction(MeleeAction::GrappleFront, snapshotOf({5, 2, 3, 1}));
    const auto calls = loggedCalls();
    // 5: four calls; 2 (player): two; 3 (does not qualify): one; 1: four.
    ASSERT_EQ(calls.size(), 11u);
    EXPECT_EQ(calls[0].arguments[0], 5u);
    EXPECT_EQ(calls[4].arguments[0], 2u);
    EXPECT_EQ(calls[6].arguments[0], 3u);
    EXPECT_EQ(calls[7].arguments[0], 1u);
    EXPECT_EQ(calls[5].hash, playerPed) << "the player query is made afresh for each ped";
    EXPECT_EQ(calls[2].hash, hashName);
    EXPECT_EQ(calls[9].hash, hashName);
    EXPECT_EQ(calls[2].arguments[0], calls[9].arguments[0]) << "same string address each time";
    EXPECT_EQ(calls[10].arguments[0], 1u);
}

TEST_F(MeleeActionsTest, ResultIsReadAsTheLowThirtyTwoBits) {
    // The stand-in answers the player query with the handle zero-extended; a
    // negative handle must still compare equal to the ped it names.
    standinSetPlayerPed(-5);
    applyMeleeAction(MeleeAction::Knockout, snapshotOf({-5}));
    EXPECT_EQ(standinNativeCallCount(), 2);
}

}  // namespace
