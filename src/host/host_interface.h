// The nine script-hook functions and the Windows pieces the module calls.
// The module declares them itself: on Windows they come from the hook's import
// library (see cmake/ScriptHookRDR2.def) and kernel32; on other systems the
// stand-in host defines them so the same code builds and runs in tests.
#pragma once

#include <cstdint>

struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;

// The script body the hook runs; it never returns.
using ScriptFunction = void (*)();

// Called once per keyboard message: key code, repeat count, scan code,
// extended key, Alt down, key already down, key released.
using KeyboardHandler = void (*)(std::uint32_t, std::uint16_t, std::uint8_t, std::int32_t,
                                 std::int32_t, std::int32_t, std::int32_t);

#if defined(_WIN32) && !defined(STANDIN_HOST_BUILDING_DLL)
#define PELLIMORE_HOST_IMPORT __declspec(dllimport)
#else
#define PELLIMORE_HOST_IMPORT
#endif

extern "C" {
PELLIMORE_HOST_IMPORT void scriptRegister(HINSTANCE module, ScriptFunction script);
PELLIMORE_HOST_IMPORT void scriptUnregister(HINSTANCE module);
PELLIMORE_HOST_IMPORT void keyboardHandlerRegister(KeyboardHandler handler);
PELLIMORE_HOST_IMPORT void keyboardHandlerUnregister(KeyboardHandler handler);
PELLIMORE_HOST_IMPORT void scriptWait(std::uint32_t milliseconds);
PELLIMORE_HOST_IMPORT std::int32_t worldGetAllPeds(std::int32_t* handles, std::int32_t capacity);
PELLIMORE_HOST_IMPORT void nativeInit(std::uint64_t hash);
PELLIMORE_HOST_IMPORT void nativePush64(std::uint64_t value);
PELLIMORE_HOST_IMPORT std::uint64_t* nativeCall();

#ifdef _WIN32
// kernel32; unsigned long is 32 bits on Windows.
__declspec(dllimport) unsigned long __stdcall GetTickCount();
#else
std::uint32_t GetTickCount();
#endif
}
