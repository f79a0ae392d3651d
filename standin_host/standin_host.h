// Control side of the stand-in host: a scripted world, a log of every
// native call, a keyboard message injector, a clock the caller sets, and a
// script runner that runs the registered script one tick at a time.
//
// C linkage and plain structs only, so the same interface serves native tests
// (linked in) and the Windows test driver (through the stand-in ScriptHookRDR2.dll).
#pragma once

#include <cstdint>

// Built into ScriptHookRDR2.dll, the functions are exported; a program that
// uses that DLL (the end-to-end driver) imports them; linked in statically
// (native tests, the tools) they are plain functions.
#if defined(_WIN32) && defined(STANDIN_HOST_BUILDING_DLL)
#define STANDIN_API __declspec(dllexport)
#elif defined(_WIN32) && defined(STANDIN_HOST_USING_DLL)
#define STANDIN_API __declspec(dllimport)
#else
#define STANDIN_API
#endif

struct StandinNativeCall {
    std::uint64_t hash;
    std::uint64_t arguments[4];
    std::int32_t argumentCount;
    std::uint64_t result;
};

enum StandinHostEventKind : std::int32_t {
    StandinScriptRegistered = 1,
    StandinScriptUnregistered = 2,
    StandinKeyboardHandlerRegistered = 3,
    StandinKeyboardHandlerUnregistered = 4,
};

struct StandinHostEvent {
    std::int32_t kind;
    void* moduleHandle;  // for the two script events
    void* callback;      // the script function or keyboard handler
};

extern "C" {
// Forgets the world, both logs, the registrations and the clock; stops a running script.
STANDIN_API void standinReset();

// World. Every listed ped qualifies unless told otherwise; no ped is the player's until set.
STANDIN_API void standinSetPeds(const std::int32_t* handles, std::int32_t count);
STANDIN_API void standinSetReportedPedCount(std::int32_t count);  // what worldGetAllPeds returns
STANDIN_API void standinClearReportedPedCount();
STANDIN_API void standinSetQualifies(std::int32_t handle, std::int32_t qualifies);
STANDIN_API void standinSetPlayerPed(std::int32_t handle);
// The stand-in's name hash: 32-bit FNV-1a over the name's bytes.
STANDIN_API std::uint32_t standinNameHash(const char* name);

// Clock, in milliseconds, wrapping at 2^32.
STANDIN_API void standinSetTickCount(std::uint32_t milliseconds);
STANDIN_API void standinAdvanceTime(std::uint32_t milliseconds);
STANDIN_API std::uint32_t standinGetTickCount();
// Runs hook(context) once, at the plug-in's next reading of the clock, just
// after the value is taken: a test lands a keyboard message between a key
// query's two reads this way. Natively only; the hook may read the clock again.
STANDIN_API void standinOnNextClockRead(void (*hook)(void* context), void* context);

// Native call log. Logging can be switched off for long or timed runs.
STANDIN_API void standinSetNativeLogging(std::int32_t enabled);
STANDIN_API std::int32_t standinNativeCallCount();
STANDIN_API StandinNativeCall standinNativeCallAt(std::int32_t index);
STANDIN_API void standinClearNativeCalls();

// Registration log.
STANDIN_API std::int32_t standinHostEventCount();
STANDIN_API StandinHostEvent standinHostEventAt(std::int32_t index);

// Keyboard: hands one message to the registered handler; 0 when none is registered.
STANDIN_API std::int32_t standinSendKeyMessage(std::uint32_t keyCode, std::int32_t altDown, std::int32_t wasDown,
                                               std::int32_t released);
STANDIN_API std::int32_t standinPressKey(std::uint32_t keyCode);
STANDIN_API std::int32_t standinReleaseKey(std::uint32_t keyCode);

// Script: runs the registered script until its next scriptWait; 0 when none is registered.
STANDIN_API std::int32_t standinRunScriptTick();
STANDIN_API std::int32_t standinScriptWaitCount();

#ifdef _WIN32
// Points one import of a loaded module (dll!function) at a replacement; 0 when
// the module has no such import.
STANDIN_API std::int32_t standinRedirectImport(void* module, const char* dll, const char* function, void* replacement);
// Points the module's kernel32 GetTickCount at the stand-in's clock, so key
// timing follows standinSetTickCount.
STANDIN_API std::int32_t standinRedirectTickCount(void* module);
#endif
}
