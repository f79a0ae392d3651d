// The stand-in's world, natives, clock and registrations, shared by both builds.
#include "standin_host.h"
#include "host/host_interface.h"
#include "script_runner.h"

#include <atomic>
#include <cstring>
#include <set>
#include <vector>

namespace {

// Written out here on purpose rather than taken from the plug-in's headers: the
// stand-in plays the game, and a wrong hash in the plug-in must not agree with itself.
constexpr std::uint64_t qualifiesNative = 0xB980061DA992779D;
constexpr std::uint64_t playerPedNative = 0x096275889B8E0EE0;
constexpr std::uint64_t hashNameNative = 0xFD340785ADF8CFB7;

struct World {
    std::vector<std::int32_t> peds;
    bool reportedCountSet = false;
    std::int32_t reportedCount = 0;
    std::set<std::int32_t> notQualifying;
    std::int32_t playerPed = 0;
};

World world;
std::atomic<std::uint32_t> tickCount{0};
std::atomic<void (*)(void*)> clockReadHook{nullptr};
void* clockReadHookContext = nullptr;

std::vector<StandinNativeCall> nativeLog;
bool nativeLogging = true;
StandinNativeCall pendingCall{};
std::uint64_t resultSlot = 0;

std::vector<StandinHostEvent> hostEvents;
ScriptFunction registeredScript = nullptr;
KeyboardHandler registeredKeyboardHandler = nullptr;

std::uint64_t answer(const StandinNativeCall& call) {
    const auto firstAsHandle = static_cast<std::int32_t>(static_cast<std::uint32_t>(call.arguments[0]));
    if (call.hash == qualifiesNative) return world.notQualifying.count(firstAsHandle) ? 0 : 1;
    if (call.hash == playerPedNative) return static_cast<std::uint32_t>(world.playerPed);
    if (call.hash == hashNameNative && call.argumentCount > 0 && call.arguments[0] != 0)
        return standinNameHash(reinterpret_cast<const char*>(static_cast<std::uintptr_t>(call.arguments[0])));
    return 0;
}

}  // namespace

extern "C" {

void scriptRegister(HINSTANCE module, ScriptFunction script) {
    hostEvents.push_back({StandinScriptRegistered, module, reinterpret_cast<void*>(script)});
    registeredScript = script;
}

void scriptUnregister(HINSTANCE module) {
    hostEvents.push_back({StandinScriptUnregistered, module, nullptr});
    stopScriptRunner();
    registeredScript = nullptr;
}

void keyboardHandlerRegister(KeyboardHandler handler) {
    hostEvents.push_back({StandinKeyboardHandlerRegistered, nullptr, reinterpret_cast<void*>(handler)});
    registeredKeyboardHandler = handler;
}

void keyboardHandlerUnregister(KeyboardHandler handler) {
    hostEvents.push_back({StandinKeyboardHandlerUnregistered, nullptr, reinterpret_cast<void*>(handler)});
    if (registeredKeyboardHandler == handler) registeredKeyboardHandler = nullptr;
}

void scriptWait(std::uint32_t) { parkScript(); }

std::int32_t worldGetAllPeds(std::int32_t* handles, std::int32_t capacity) {
    std::int32_t written = 0;
    for (std::int32_t handle : world.peds) {
        if (written >= capacity) break;
        handles[written++] = handle;
    }
    return world.reportedCountSet ? world.reportedCount : written;
}

void nativeInit(std::uint64_t hash) {
    pendingCall = StandinNativeCall{};
    pendingCall.hash = hash;
}

void nativePush64(std::uint64_t value) {
    if (pendingCall.argumentCount < 4) pendingCall.arguments[pendingCall.argumentCount] = value;
    ++pendingCall.argumentCount;
}

std::uint64_t* nativeCall() {
    pendingCall.result = answer(pendingCall);
    resultSlot = pendingCall.result;
    if (nativeLogging) nativeLog.push_back(pendingCall);
    return &resultSlot;
}

#ifndef _WIN32
// On Windows the test driver points the module's kernel32 import here instead.
std::uint32_t GetTickCount() {
    const std::uint32_t now = tickCount.load(std::memory_order_relaxed);
    if (clockReadHook.load(std::memory_order_relaxed))
        if (const auto hook = clockReadHook.exchange(nullptr)) hook(clockReadHookContext);
    return now;
}
#endif

void standinReset() {
    stopScriptRunner();
    world = World{};
    tickCount = 0;
    clockReadHook = nullptr;
    nativeLog.clear();
    nativeLogging = true;
    hostEvents.clear();
    registeredScript = nullptr;
    registeredKeyboardHandler = nullptr;
}

void standinSetPeds(const std::int32_t* handles, std::int32_t count) {
    world.peds.assign(handles, handles + (count > 0 ? count : 0));
}

void standinSetReportedPedCount(std::int32_t count) {
    world.reportedCountSet = true;
    world.reportedCount = count;
}

void standinClearReportedPedCount() { world.reportedCountSet = false; }

void standinSetQualifies(std::int32_t handle, std::int32_t qualifies) {
    if (qualifies)
        world.notQualifying.erase(handle);
    else
        world.notQualifying.insert(handle);
}

void standinSetPlayerPed(std::int32_t handle) { world.playerPed = handle; }

std::uint32_t standinNameHash(const char* name) {
    std::uint32_t hash = 2166136261u;
    for (; *name; ++name) {
        hash ^= static_cast<unsigned char>(*name);
        hash *= 16777619u;
    }
    return hash;
}

void standinSetTickCount(std::uint32_t milliseconds) { tickCount.store(milliseconds); }
void standinAdvanceTime(std::uint32_t milliseconds) { tickCount.fetch_add(milliseconds); }
std::uint32_t standinGetTickCount() { return tickCount.load(std::memory_order_relaxed); }
void standinOnNextClockRead(void (*hook)(void*), void* context) {
    clockReadHookContext = context;
    clockReadHook = hook;
}

void standinSetNativeLogging(std::int32_t enabled) { nativeLogging = enabled != 0; }
std::int32_t standinNativeCallCount() { return static_cast<std::int32_t>(nativeLog.size()); }
StandinNativeCall standinNativeCallAt(std::int32_t index) {
    return index >= 0 && index < standinNativeCallCount() ? nativeLog[index] : StandinNativeCall{};
}
void standinClearNativeCalls() { nativeLog.clear(); }

std::int32_t standinHostEventCount() { return static_cast<std::int32_t>(hostEvents.size()); }
StandinHostEvent standinHostEventAt(std::int32_t index) {
    return index >= 0 && index < standinHostEventCount() ? hostEvents[index] : StandinHostEvent{};
}

std::int32_t standinSendKeyMessage(std::uint32_t keyCode, std::int32_t altDown, std::int32_t wasDown,
                                   std::int32_t released) {
    if (!registeredKeyboardHandler) return 0;
    registeredKeyboardHandler(keyCode, 1, 0, 0, altDown, wasDown, released);
    return 1;
}

std::int32_t standinPressKey(std::uint32_t keyCode) { return standinSendKeyMessage(keyCode, 0, 0, 0); }
std::int32_t standinReleaseKey(std::uint32_t keyCode) { return standinSendKeyMessage(keyCode, 0, 1, 1); }

std::int32_t standinRunScriptTick() {
    if (!registeredScript) return 0;
    resumeScript(registeredScript);
    return 1;
}

std::int32_t standinScriptWaitCount() { return scriptWaitCount(); }

}  // extern "C"
