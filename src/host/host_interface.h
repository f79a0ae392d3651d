// The nine functions of the host (the game's script hook, ScriptHookRDR2.dll)
// and the Windows pieces the module calls. The module declares them itself: on
// Windows they come from the host's import library (windows_module/
// ScriptHookRDR2.def) and kernel32; elsewhere the stand-in host defines them,
// so the same code builds and runs in tests. The stand-in includes this header
// too: with extern "C" names the linker matches by name alone, so that include
// is the only compile-time check that both sides agree on every signature.
#pragma once

#include <cstdint>

struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;

// The script body the host runs; it never returns.
using ScriptFunction = void (*)();

// Called once per keyboard message: key code, repeat count, scan code,
// extended key, Alt down, key already down, key released.
using KeyboardHandler = void (*)(std::uint32_t, std::uint16_t, std::uint8_t, std::int32_t, std::int32_t, std::int32_t,
                                 std::int32_t);

extern "C" {
void scriptRegister(HINSTANCE module, ScriptFunction script);
void scriptUnregister(HINSTANCE module);
void keyboardHandlerRegister(KeyboardHandler handler);
void keyboardHandlerUnregister(KeyboardHandler handler);
void scriptWait(std::uint32_t milliseconds);
std::int32_t worldGetAllPeds(std::int32_t* handles, std::int32_t capacity);
void nativeInit(std::uint64_t hash);
void nativePush64(std::uint64_t value);
std::uint64_t* nativeCall();

#ifdef _WIN32
// kernel32; unsigned long is 32 bits on Windows.
__declspec(dllimport) unsigned long __stdcall GetTickCount();
#else
std::uint32_t GetTickCount();
#endif
}
