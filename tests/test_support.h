// A clean world for every test: stand-in host reset, keyboard table and
// bindings as at load, and a scratch working directory for Pellimore.ini.
#pragma once

#include "brawl/melee_actions.h"
#include "module_sandbox.h"
#include "sample_settings.h"
#include "standin_host.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class PellimoreTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes text as the scratch directory's Pellimore.ini.
    void writeSettings(const std::string& text);
    void removeSettings();

    std::filesystem::path scratchDirectory;
    std::filesystem::path previousDirectory;

private:
    std::unique_ptr<ScratchDirectory> scratch;
};

// The native calls logged since the last clear.
std::vector<StandinNativeCall> loggedCalls();

// A snapshot holding the given handles.
PedSnapshot snapshotOf(std::initializer_list<std::int32_t> handles);

// One expected native call: hash and arguments.
struct ExpectedCall {
    std::uint64_t hash;
    std::vector<std::uint64_t> arguments;
};

// Compares the logged calls with the expected ones, in order, hash and arguments.
void expectCalls(const std::vector<ExpectedCall>& expected);

// The moves the logged calls gave, in order, one entry per ped reached: the move
// name for named moves, the action's own name for the four fixed-value moves.
std::vector<std::string> movesFired();

// A module file carrying only a version resource's fixed part, as the doctor reads it, and the tail given.
std::string moduleBytes(int major, int minor, int patch, const std::string& tail = "");
