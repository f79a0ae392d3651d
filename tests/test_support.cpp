#include "test_support.h"

#include "brawl/hotkey_bindings.h"
#include "host/key_state_table.h"
#include "settings/hotkey_settings.h"

#include <fstream>
#include <unistd.h>

const char* defaultSettingsText =
    "[Pellimore]\n"
    "iXKey=88\n"
    "iKnockout=81\n"
    "iExecute=69\n"
    "iGrappleFront=105\n"
    "iGrappleBack=70\n"
    "iTackle=90\n"
    "iGrappleSwitchFrontToBack=66\n"
    "iGrappleSwitchBackToFront=71\n"
    "iGrappleSwitchFrontToMount=17\n"
    "iSubdue=78\n"
    "iGrappleThrowFront=38\n"
    "iGrappleThrowLeft=37\n";

void PellimoreTest::SetUp() {
    standinReset();
    clearKeyStateTable();
    hotkeyBindings = HotkeyBindings{};
    settingsDocument.clear();
    settingsPath = "Pellimore.ini";
    previousDirectory = std::filesystem::current_path();
    scratchDirectory = std::filesystem::temp_directory_path() /
                       ("pellimore-test-" + std::to_string(::getpid()) + "-" +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(scratchDirectory);
    std::filesystem::create_directories(scratchDirectory);
    std::filesystem::current_path(scratchDirectory);
}

void PellimoreTest::TearDown() {
    standinReset();
    std::filesystem::current_path(previousDirectory);
    std::filesystem::remove_all(scratchDirectory);
}

void PellimoreTest::writeSettings(const std::string& text) {
    std::ofstream(scratchDirectory / "Pellimore.ini", std::ios::binary) << text;
}

void PellimoreTest::removeSettings() { std::filesystem::remove(scratchDirectory / "Pellimore.ini"); }

std::vector<StandinNativeCall> loggedCalls() {
    std::vector<StandinNativeCall> calls;
    for (std::int32_t index = 0; index < standinNativeCallCount(); ++index)
        calls.push_back(standinNativeCallAt(index));
    return calls;
}

PedSnapshot snapshotOf(std::initializer_list<std::int32_t> handles) {
    PedSnapshot snapshot{};
    for (std::int32_t handle : handles) snapshot.pedHandles[snapshot.pedCount++] = handle;
    return snapshot;
}

void expectCalls(const std::vector<ExpectedCall>& expected) {
    const auto calls = loggedCalls();
    ASSERT_EQ(calls.size(), expected.size());
    for (std::size_t index = 0; index < calls.size(); ++index) {
        SCOPED_TRACE("call " + std::to_string(index));
        EXPECT_EQ(calls[index].hash, expected[index].hash);
        ASSERT_EQ(calls[index].argumentCount, static_cast<std::int32_t>(expected[index].arguments.size()));
        for (std::size_t argument = 0; argument < expected[index].arguments.size(); ++argument)
            EXPECT_EQ(calls[index].arguments[argument], expected[index].arguments[argument])
                << "argument " << argument;
    }
}

std::vector<std::string> movesFired() {
    std::vector<std::string> moves;
    std::uint64_t previousHash = 0;
    for (const auto& call : loggedCalls()) {
        const std::uint64_t value = call.arguments[1];
        if (call.hash == natives::hashName)
            moves.emplace_back(reinterpret_cast<const char*>(static_cast<std::uintptr_t>(call.arguments[0])));
        else if (call.hash == natives::startTaskAction && value == 73296627)
            moves.emplace_back("GrappleSwitchFrontToBack");
        else if (call.hash == natives::startTaskAction && value == 0xDBC9B5C6)
            moves.emplace_back("GrappleSwitchBackToFront");
        else if (call.hash == natives::startActionResponse && value == 0xAD251A6C)
            moves.emplace_back("Subdue");
        else if (call.hash == natives::setFlagWord && value == 512 && previousHash != natives::startTaskAction)
            moves.emplace_back("GrappleSwitchFrontToMount");
        previousHash = call.hash;
    }
    return moves;
}
