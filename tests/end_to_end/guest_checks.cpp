// Pellimore.asi as a guest in a process that is not its own: no heap traffic
// per tick once the settings file is read, and hundreds of unload/load cycles,
// as a modder's hot reloads make them, with nothing left behind.
#include "end_to_end_checks.h"

#include <cstdio>
#include <cstdlib>

namespace {

int heapCalls = 0;

void* __cdecl countedMalloc(size_t size) {
    ++heapCalls;
    return std::malloc(size);
}
void* __cdecl countedCalloc(size_t count, size_t size) {
    ++heapCalls;
    return std::calloc(count, size);
}
void* __cdecl countedRealloc(void* memory, size_t size) {
    ++heapCalls;
    return std::realloc(memory, size);
}

// Loads the module with its clock on the stand-in's; null (and a failed check) when it does not load.
HMODULE loadModule(const char* modulePath) {
    HMODULE module = LoadLibraryA(modulePath);
    CHECK(module != nullptr);
    if (module) CHECK(standinRedirectTickCount(module));
    return module;
}

// Every allocation the module makes goes through its own msvcrt imports; count those.
void countHeapCalls(HMODULE module) {
    CHECK(standinRedirectImport(module, "msvcrt.dll", "malloc", reinterpret_cast<void*>(&countedMalloc)));
    standinRedirectImport(module, "msvcrt.dll", "calloc", reinterpret_cast<void*>(&countedCalloc));
    standinRedirectImport(module, "msvcrt.dll", "realloc", reinterpret_cast<void*>(&countedRealloc));
}

int heapCallsOverTicks(int ticks) {
    heapCalls = 0;
    for (int index = 0; index < ticks; ++index) tick();
    return heapCalls;
}

// The lowest TLS slot a new allocation gets: it climbs when a module leaks slots.
DWORD lowestFreeTlsSlot() {
    const DWORD slot = TlsAlloc();
    TlsFree(slot);
    return slot;
}

// Committed private memory, summed over the address space (wine does not report PrivateUsage).
std::size_t privateBytes() {
    std::size_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (auto* address = static_cast<char*>(nullptr); VirtualQuery(address, &region, sizeof region) == sizeof region;
         address += region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        if (region.RegionSize == 0) break;
    }
    return total;
}

void reloadCycles(const char* modulePath, int cycles) {
    for (int cycle = 0; cycle < cycles; ++cycle) {
        HMODULE module = loadModule(modulePath);
        if (!module) return;
        for (int index = 0; index < 3; ++index) tick();
        // The stand-in deletes the withdrawn script's fiber, as a host does, before the next load.
        FreeLibrary(module);
    }
}

}  // namespace

void testQuietTicks(const char* modulePath) {
    currentTest = "no heap calls per tick in steady state";
    standinReset();
    HMODULE module = loadModule(modulePath);
    if (!module) return;
    countHeapCalls(module);
    const std::string unloadable = "\xEF\xBB\xBF[Pellimore]\r\niXKey=88\r\n";
    for (const std::string& text : {twelveKeySettingsWithKnockoutOnK(), unloadable}) {
        writeSettings(text);
        heapCallsOverTicks(3);  // the first ticks may grow the document's storage
        CHECK_EQUAL(heapCallsOverTicks(100), 0);
    }
    FreeLibrary(module);
    DeleteFileA("Pellimore.ini");
}

void testHotReloadCycles(const char* modulePath) {
    currentTest = "hot reload: 200 unload/load cycles leave no TLS slot or memory behind";
    constexpr int cycles = 200;
    constexpr std::size_t memoryBound = 4u << 20;
    const std::string unloadable = "[Pellimore]\r\niXKey=not a number\r\n";
    for (const std::string& text : {twelveKeySettingsWithKnockoutOnK(), unloadable}) {
        writeSettings(text);
        standinReset();
        reloadCycles(modulePath, 5);  // the driver's own first-use costs
        const DWORD slotBefore = lowestFreeTlsSlot();
        const std::size_t memoryBefore = privateBytes();
        reloadCycles(modulePath, cycles);
        const DWORD slotAfter = lowestFreeTlsSlot();
        const std::size_t memoryAfter = privateBytes();
        std::printf("hot reload (%s file): lowest free TLS slot %lu -> %lu, private bytes %zu -> %zu KiB\n",
                    text == unloadable ? "unloadable" : "good", slotBefore, slotAfter, memoryBefore >> 10,
                    memoryAfter >> 10);
        CHECK(slotAfter <= slotBefore + 2);
        CHECK(memoryAfter <= memoryBefore + memoryBound);
        CHECK_EQUAL(standinScriptWaitCount(), 0);
    }
    DeleteFileA("Pellimore.ini");
}
