// Runs the registered script as a coroutine of the caller: resumeScript runs it
// until it next calls scriptWait, and parkScript (inside scriptWait) hands
// control back. Threads natively, fibers on Windows.
#pragma once

#include "host/host_interface.h"

#include <cstdint>

void resumeScript(ScriptFunction script);
void parkScript();
void stopScriptRunner();
std::int32_t scriptWaitCount();
