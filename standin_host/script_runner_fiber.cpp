// Windows script runner: the script runs on a fiber, and scriptWait switches
// back to the fiber that resumed it, as a game's script scheduler does.
#include "script_runner.h"

#include <windows.h>

namespace {

void* callerFiber = nullptr;
void* scriptFiber = nullptr;
ScriptFunction runningScript = nullptr;
std::int32_t waits = 0;

void __stdcall scriptFiberBody(void*) {
    runningScript();
    // A script that returns is parked for good.
    for (;;) SwitchToFiber(callerFiber);
}

}  // namespace

void resumeScript(ScriptFunction script) {
    if (!callerFiber) {
        callerFiber = IsThreadAFiber() ? GetCurrentFiber() : ConvertThreadToFiber(nullptr);
    }
    if (!scriptFiber) {
        runningScript = script;
        scriptFiber = CreateFiber(1 << 20, scriptFiberBody, nullptr);
    }
    SwitchToFiber(scriptFiber);
}

void parkScript() {
    ++waits;
    SwitchToFiber(callerFiber);
}

void stopScriptRunner() {
    // Only ever called from the caller's fiber, so the script's is not running.
    if (scriptFiber) DeleteFiber(scriptFiber);
    scriptFiber = nullptr;
    runningScript = nullptr;
    waits = 0;
}

std::int32_t scriptWaitCount() { return waits; }
