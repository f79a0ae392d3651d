// The keyboard handler on one thread against the script's ticks on another,
// sharing only the keyboard table. Run under ThreadSanitizer by the thread preset.
#include "brawl/script_loop.h"
#include "host/key_state_table.h"
#include "test_support.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

class KeyboardConcurrencyStressTest : public PellimoreTest {};

// The observer's context is the counter of knockouts fired.
void countKnockout(void* context, MeleeAction action) {
    if (action == MeleeAction::Knockout) ++*static_cast<int*>(context);
}

// Each release waits for the loop to consume it, while presses and releases of
// other keys hammer neighbouring rows: every release fires exactly once.
TEST_F(KeyboardConcurrencyStressTest, EveryConsumedReleaseFiresExactlyOnce) {
    constexpr int releases = 3000;
    standinSetTickCount(100000);  // frozen: every release stays inside its window
    int knockoutsFired = 0;
    std::atomic<bool> keyboardDone{false};
    // A release the loop never consumes must fail the count below, not hang the suite.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    bool timedOut = false;

    std::thread keyboard([&] {
        for (int index = 0; index < releases && !timedOut; ++index) {
            handleKeyMessage(81, 1, 0, 0, 0, 1, 1);  // release Q
            // Noise on other rows, including the modifier and unbound codes.
            for (std::uint32_t noise : {88u, 200u, 201u, 38u + 200u})
                handleKeyMessage(noise, 1, 0, 0, index & 1, index & 1, index & 1);
            while (keyStateTable[81].releaseFlag.load(std::memory_order_relaxed) != 0 && !timedOut) {
                std::this_thread::yield();
                timedOut = std::chrono::steady_clock::now() > deadline;
            }
        }
        keyboardDone = true;
    });

    const TickObserver observer{&knockoutsFired, nullptr, countKnockout};
    PedSnapshot snapshot{};
    while (!keyboardDone.load()) {
        runScriptTick(snapshot, &observer);
        std::this_thread::yield();
    }
    keyboard.join();
    EXPECT_FALSE(timedOut) << "a release was never consumed";
    EXPECT_EQ(knockoutsFired, releases);
}

// A free-running stream: releases may be lost to the documented race (a new
// message between the loop's tests and its clearing) but never fire twice.
TEST_F(KeyboardConcurrencyStressTest, FreeRunningStreamNeverFiresMoreThanReleased) {
    constexpr int releases = 20000;
    standinSetTickCount(100000);
    int knockoutsFired = 0;
    std::atomic<bool> keyboardDone{false};

    std::thread keyboard([&] {
        for (int index = 0; index < releases; ++index) {
            handleKeyMessage(81, 1, 0, 0, 0, 0, 0);  // press Q
            handleKeyMessage(81, 1, 0, 0, 0, 1, 1);  // release Q
        }
        keyboardDone = true;
    });

    const TickObserver observer{&knockoutsFired, nullptr, countKnockout};
    PedSnapshot snapshot{};
    while (!keyboardDone.load()) runScriptTick(snapshot, &observer);
    keyboard.join();
    runScriptTick(snapshot, &observer);  // the last release, if still unconsumed
    EXPECT_GE(knockoutsFired, 1);
    EXPECT_LE(knockoutsFired, releases);
    EXPECT_EQ(keyStateTable[81].releaseFlag.load(), 0) << "the final release was consumed";
}

}  // namespace
