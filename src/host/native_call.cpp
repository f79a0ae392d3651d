#include "host/native_call.h"

#include "host/host_interface.h"

#include <cstring>

std::uint64_t nativeArgument(const char* text) { return reinterpret_cast<std::uintptr_t>(text); }

std::uint32_t callNative(NativeHash hash, std::initializer_list<std::uint64_t> arguments) {
    nativeInit(hash);
    for (std::uint64_t argument : arguments) nativePush64(argument);
    const std::uint64_t* resultSlot = nativeCall();
    // The 32-bit value at the start of the slot; the pointer is not kept.
    std::uint32_t result = 0;
    std::memcpy(&result, resultSlot, sizeof result);
    return result;
}
