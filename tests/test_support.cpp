#include "test_support.h"

#include <fstream>

void PellimoreTest::SetUp() {
    resetModuleState();
    previousDirectory = std::filesystem::current_path();
    scratch = std::make_unique<ScratchDirectory>("test");
    scratchDirectory = scratch->path;
    std::filesystem::current_path(scratchDirectory);
}

void PellimoreTest::TearDown() {
    standinReset();
    std::filesystem::current_path(previousDirectory);
    scratch.reset();
}

void PellimoreTest::writeSettings(const std::string& text) { scratch->writeFile("Pellimore.ini", text); }

void PellimoreTest::removeSettings() { std::filesystem::remove(scratchDirectory / "Pellimore.ini"); }

std::vector<StandinNativeCall> loggedCalls() {
    std::vector<StandinNativeCall> calls;
    for (std::int32_t index = 0; index < standinNativeCallCount(); ++index) calls.push_back(standinNativeCallAt(index));
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
            EXPECT_EQ(calls[index].arguments[argument], expected[index].arguments[argument]) << "argument " << argument;
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

std::string moduleBytes(int major, int minor, int patch, const std::string& tail) {
    const auto le16 = [](int value) {
        return std::string{static_cast<char>(value & 255), static_cast<char>(value >> 8)};
    };
    return std::string("MZ fake\xBD\x04\xEF\xFE\x00\x00\x01\x00", 15) + le16(minor) + le16(major) +
           std::string(2, '\0') + le16(patch) + tail;
}
