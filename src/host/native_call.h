// One call of a game script function through the host's init/push/call sequence.
#pragma once

#include <cstdint>
#include <initializer_list>

using NativeHash = std::uint64_t;

// A 32-bit value travels in the low half of a 64-bit argument; the high half is zero.
constexpr std::uint64_t nativeArgument(std::int32_t value) { return static_cast<std::uint32_t>(value); }
constexpr std::uint64_t nativeArgument(std::uint32_t value) { return value; }

// A string travels as the address of the NUL-terminated constant itself.
std::uint64_t nativeArgument(const char* text);

// Makes one complete native call and returns the low 32 bits of its result,
// read before anything else can touch the host's result slot.
std::uint32_t callNative(NativeHash hash, std::initializer_list<std::uint64_t> arguments);
