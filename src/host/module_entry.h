// The module's entry point and the script it hands to the host.
#pragma once

#include "host/host_interface.h"

#include <cstdint>

constexpr std::uint32_t processDetach = 0;
constexpr std::uint32_t processAttach = 1;

// Runs the script loop; never returns.
void scriptMain();

#ifdef _WIN32
extern "C" int __stdcall DllMain(HINSTANCE module, unsigned long reason, void* reserved);
#else
// Natively the same entry logic is an ordinary function that tests call directly.
extern "C" int DllMain(HINSTANCE module, std::uint32_t reason, void* reserved);
#endif
