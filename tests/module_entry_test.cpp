#include "host/module_entry.h"
#include "host/key_state_table.h"
#include "test_support.h"

namespace {

class ModuleEntryTest : public PellimoreTest {};

HINSTANCE const moduleHandle = reinterpret_cast<HINSTANCE>(0xABCD0000);

TEST_F(ModuleEntryTest, AttachRegistersScriptThenKeyboardHandler) {
    EXPECT_EQ(DllMain(moduleHandle, processAttach, nullptr), 1);
    ASSERT_EQ(standinHostEventCount(), 2);
    const auto script = standinHostEventAt(0);
    EXPECT_EQ(script.kind, StandinScriptRegistered);
    EXPECT_EQ(script.moduleHandle, moduleHandle);
    EXPECT_EQ(script.callback, reinterpret_cast<void*>(&scriptMain));
    const auto keyboard = standinHostEventAt(1);
    EXPECT_EQ(keyboard.kind, StandinKeyboardHandlerRegistered);
    EXPECT_EQ(keyboard.callback, reinterpret_cast<void*>(&handleKeyMessage));
}

TEST_F(ModuleEntryTest, DetachWithdrawsInTheSameOrderWithTheSameHandle) {
    DllMain(moduleHandle, processAttach, nullptr);
    EXPECT_EQ(standinRunScriptTick(), 1);
    EXPECT_EQ(DllMain(moduleHandle, processDetach, nullptr), 1);
    ASSERT_EQ(standinHostEventCount(), 4);
    EXPECT_EQ(standinHostEventAt(2).kind, StandinScriptUnregistered);
    EXPECT_EQ(standinHostEventAt(2).moduleHandle, moduleHandle);
    EXPECT_EQ(standinHostEventAt(3).kind, StandinKeyboardHandlerUnregistered);
    EXPECT_EQ(standinHostEventAt(3).callback, reinterpret_cast<void*>(&handleKeyMessage));
    EXPECT_EQ(standinRunScriptTick(), 0) << "the host no longer runs the script";
}

TEST_F(ModuleEntryTest, ThreadEventsAndUnknownReasonsDoNothing) {
    for (std::uint32_t reason : {2u, 3u, 4u, 0xFFFFFFFFu}) EXPECT_EQ(DllMain(moduleHandle, reason, nullptr), 1);
    EXPECT_EQ(standinHostEventCount(), 0);
}

}  // namespace
