#include "allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define PELLIMORE_SANITIZER_OWNS_NEW 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define PELLIMORE_SANITIZER_OWNS_NEW 1
#endif

namespace {
std::atomic<std::uint64_t> allocations{0};
}

std::uint64_t allocationCount() { return allocations.load(std::memory_order_relaxed); }

#ifdef PELLIMORE_SANITIZER_OWNS_NEW
bool allocationCountingAvailable() { return false; }
#else
bool allocationCountingAvailable() { return true; }

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
#endif
