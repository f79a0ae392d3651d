// The stand-in host is what every other test trusts; these pin its promises.
#include "host/host_interface.h"
#include "test_support.h"

namespace {

class StandinHostTest : public PellimoreTest {};

TEST_F(StandinHostTest, PedListHonoursCapacityAndReportedCount) {
    const std::int32_t peds[] = {5, 6, 7};
    standinSetPeds(peds, 3);
    std::int32_t buffer[2] = {};
    EXPECT_EQ(worldGetAllPeds(buffer, 2), 2);
    EXPECT_EQ(buffer[1], 6);
    standinSetReportedPedCount(-3);
    EXPECT_EQ(worldGetAllPeds(buffer, 2), -3);
}

TEST_F(StandinHostTest, ScriptRunsOneTickPerResumeAndStops) {
    static int iterations = 0;
    iterations = 0;
    scriptRegister(nullptr, [] {
        for (;;) {
            ++iterations;
            scriptWait(0);
        }
    });
    EXPECT_EQ(standinRunScriptTick(), 1);
    EXPECT_EQ(standinRunScriptTick(), 1);
    EXPECT_EQ(iterations, 2);
    EXPECT_EQ(standinScriptWaitCount(), 2);
    scriptUnregister(nullptr);
    EXPECT_EQ(standinRunScriptTick(), 0);
    EXPECT_EQ(iterations, 2);
}

TEST_F(StandinHostTest, KeyMessagesNeedARegisteredHandler) { EXPECT_EQ(standinPressKey(65), 0); }

}  // namespace
