#include "host/key_state_table.h"
#include "host/host_interface.h"
#include "test_support.h"

namespace {

class KeyStateTableTest : public PellimoreTest {
protected:
    void SetUp() override {
        PellimoreTest::SetUp();
        keyboardHandlerRegister(handleKeyMessage);
    }
    static void release(std::uint32_t key) { standinReleaseKey(key); }
    static void press(std::uint32_t key) { standinPressKey(key); }
};

TEST_F(KeyStateTableTest, MessageStoresTickAndFlagsAsPassed) {
    standinSetTickCount(5000);
    handleKeyMessage(65, 3, 30, 1, 7, -2, 9);
    const KeyState& row = keyStateTable[65];
    EXPECT_EQ(row.messageTick.load(), 5000u);
    EXPECT_EQ(row.altFlag.load(), 7);
    EXPECT_EQ(row.priorDownFlag.load(), -2);
    EXPECT_EQ(row.releaseFlag.load(), 9);
}

TEST_F(KeyStateTableTest, KeyCodesOutsideTheTableAreIgnoredEverywhere) {
    standinSetTickCount(1000);
    for (std::uint32_t key : {255u, 256u, 0xFFFFFFFFu, 0x80000000u}) {
        handleKeyMessage(key, 1, 0, 0, 0, 0, 1);
        EXPECT_FALSE(takeRelease(key)) << key;
        EXPECT_FALSE(isHeld(key)) << key;
    }
    for (const KeyState& row : keyStateTable) EXPECT_EQ(row.messageTick.load(), 0u);
    // Code 0 is an ordinary row.
    release(0);
    EXPECT_TRUE(takeRelease(0));
}

TEST_F(KeyStateTableTest, SweepOfTheWholeThirtyTwoBitRangeTouchesOnlyRealRows) {
    standinSetTickCount(100000);
    for (std::uint64_t key = 0; key <= 0xFFFFFFFFull; key += 65521) {
        const auto code = static_cast<std::uint32_t>(key);
        handleKeyMessage(code, 1, 0, 0, 0, 1, 1);
        EXPECT_EQ(takeRelease(code), code < keyStateRowCount) << code;
        EXPECT_FALSE(isHeld(code)) << code;
    }
}

TEST_F(KeyStateTableTest, ReleaseFiresOnlyWithinOneHundredMilliseconds) {
    standinSetTickCount(10000);
    release(38);
    standinAdvanceTime(99);
    EXPECT_TRUE(takeRelease(38));

    release(38);
    standinAdvanceTime(100);
    EXPECT_FALSE(takeRelease(38));
    EXPECT_EQ(keyStateTable[38].releaseFlag.load(), 1) << "a late test leaves the row as it was";
}

TEST_F(KeyStateTableTest, ReleaseIsConsumedOnce) {
    standinSetTickCount(10000);
    release(81);
    EXPECT_TRUE(takeRelease(81));
    const KeyState& row = keyStateTable[81];
    EXPECT_EQ(row.messageTick.load() | row.altFlag.load() | row.priorDownFlag.load() | row.releaseFlag.load(), 0u);
    EXPECT_FALSE(takeRelease(81));
    release(81);
    EXPECT_TRUE(takeRelease(81));
}

TEST_F(KeyStateTableTest, OnlyTheLastMessageCounts) {
    standinSetTickCount(10000);
    release(81);
    press(81);
    EXPECT_FALSE(takeRelease(81)) << "a press after the release loses it";
    release(81);
    release(81);
    EXPECT_TRUE(takeRelease(81));
    EXPECT_FALSE(takeRelease(81)) << "two releases are one";
}

TEST_F(KeyStateTableTest, PressCountsAsHeldForThirtySecondsUntilReleased) {
    standinSetTickCount(50000);
    press(88);
    standinAdvanceTime(29999);
    EXPECT_TRUE(isHeld(88));
    standinAdvanceTime(1);
    EXPECT_FALSE(isHeld(88));

    press(88);
    EXPECT_TRUE(isHeld(88));
    release(88);
    EXPECT_FALSE(isHeld(88));
    EXPECT_TRUE(isHeld(88) == false && takeRelease(88)) << "isHeld does not consume the release";
}

TEST_F(KeyStateTableTest, UntouchedRowIsHeldOnlyDuringTheFirstThirtySeconds) {
    standinSetTickCount(29999);
    EXPECT_TRUE(isHeld(88));
    EXPECT_FALSE(takeRelease(88));
    standinSetTickCount(30000);
    EXPECT_FALSE(isHeld(88));
}

// The tick count wraps every 49.7 days; elapsed time is what matters.
TEST_F(KeyStateTableTest, WindowsHoldAcrossTheTickCountWrap) {
    standinSetTickCount(0xFFFFFFFFu - 20);
    release(38);
    press(88);
    standinSetTickCount(30);  // 51 ms later, past the wrap
    EXPECT_TRUE(isHeld(88));
    EXPECT_TRUE(takeRelease(38));
}

TEST_F(KeyStateTableTest, StaleReleaseNeverFiresAfterTheWrap) {
    // A release nobody consumed (its throw's modifier was never held) must not
    // come back to life when the counter wraps 49.7 days later and passes
    // below the recorded tick again.
    standinSetTickCount(28672);
    release(38);
    standinAdvanceTime(200);
    EXPECT_FALSE(takeRelease(38));
    standinSetTickCount(10);
    EXPECT_FALSE(takeRelease(38));
    EXPECT_FALSE(isHeld(38));
}

// Both windows close on time on either side of the wrap: a message just before
// it is fresh until the window passes, whether or not the counter has wrapped.
TEST_F(KeyStateTableTest, WindowsCloseOnTimeOnEitherSideOfTheWrap) {
    standinSetTickCount(0xFFFFFFFFu - 49);
    release(38);
    press(88);
    standinAdvanceTime(10);  // still before the wrap, though each window's end lies past it
    EXPECT_TRUE(isHeld(88));
    EXPECT_TRUE(takeRelease(38));
    standinAdvanceTime(heldWindowMilliseconds - 10);  // 30 s after the press, past the wrap
    EXPECT_FALSE(isHeld(88));
}

// The row is read before the clock: a message that lands between the two reads
// (here a key repeat of the held modifier, one millisecond on) must not look
// 49 days old and drop the modifier for a tick.
TEST_F(KeyStateTableTest, MessageLandingBetweenTheQuerysReadsKeepsTheKeyHeld) {
    standinSetTickCount(70000);
    press(88);
    standinAdvanceTime(500);
    standinOnNextClockRead(
        [](void*) {
            standinAdvanceTime(1);
            standinPressKey(88);
        },
        nullptr);
    EXPECT_TRUE(isHeld(88));
    EXPECT_EQ(keyStateTable[88].messageTick.load(), 70501u) << "the repeat did land during the query";
}

}  // namespace
