// Native script runner: the script runs on its own thread, and exactly one of
// the two threads runs at a time, handing over through a condition variable.
#include "script_runner.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

// Thrown out of scriptWait to unwind a script the host has stopped.
struct ScriptStopped {};

std::mutex handoverMutex;
std::condition_variable handover;
bool scriptsTurn = false;
bool stopRequested = false;
std::thread scriptThread;
std::int32_t waits = 0;

void scriptThreadBody(ScriptFunction script) {
    {
        std::unique_lock lock(handoverMutex);
        handover.wait(lock, [] { return scriptsTurn || stopRequested; });
        if (stopRequested) return;
    }
    try {
        script();
    } catch (const ScriptStopped&) {}
    std::lock_guard lock(handoverMutex);
    scriptsTurn = false;
    handover.notify_all();
}

}  // namespace

void resumeScript(ScriptFunction script) {
    std::unique_lock lock(handoverMutex);
    if (!scriptThread.joinable()) {
        stopRequested = false;
        scriptThread = std::thread(scriptThreadBody, script);
    }
    scriptsTurn = true;
    handover.notify_all();
    handover.wait(lock, [] { return !scriptsTurn; });
}

void parkScript() {
    std::unique_lock lock(handoverMutex);
    ++waits;
    scriptsTurn = false;
    handover.notify_all();
    handover.wait(lock, [] { return scriptsTurn || stopRequested; });
    if (stopRequested) throw ScriptStopped{};
}

void stopScriptRunner() {
    {
        std::lock_guard lock(handoverMutex);
        if (!scriptThread.joinable()) {
            waits = 0;
            return;
        }
        stopRequested = true;
        handover.notify_all();
    }
    scriptThread.join();
    std::lock_guard lock(handoverMutex);
    scriptThread = std::thread();
    scriptsTurn = false;
    stopRequested = false;
    waits = 0;
}

std::int32_t scriptWaitCount() {
    std::lock_guard lock(handoverMutex);
    return waits;
}
