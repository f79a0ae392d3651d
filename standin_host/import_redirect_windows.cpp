// Windows only: the plug-in reads the clock through kernel32's GetTickCount,
// so a test points that import of the module at the stand-in's clock (and may
// point others, such as the heap functions, at counters of its own).
#include "standin_host.h"

#include <windows.h>

#include <cstring>

namespace {

// The import address slot of dllName!functionName in a loaded module, or null.
ULONG_PTR* findImportSlot(HMODULE module, const char* dllName, const char* functionName) {
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* ntHeaders = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const auto& directory = ntHeaders->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* descriptor = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         descriptor->Name; ++descriptor) {
        if (_stricmp(reinterpret_cast<char*>(base + descriptor->Name), dllName) != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(
            base + (descriptor->OriginalFirstThunk ? descriptor->OriginalFirstThunk : descriptor->FirstThunk));
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<char*>(byName->Name), functionName) == 0) return &slots->u1.Function;
        }
    }
    return nullptr;
}

}  // namespace

extern "C" std::int32_t standinRedirectImport(void* module, const char* dll, const char* function, void* replacement) {
    ULONG_PTR* slot = findImportSlot(static_cast<HMODULE>(module), dll, function);
    if (!slot) return 0;
    DWORD previousProtection = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &previousProtection);
    *slot = reinterpret_cast<ULONG_PTR>(replacement);
    VirtualProtect(slot, sizeof *slot, previousProtection, &previousProtection);
    return 1;
}

extern "C" std::int32_t standinRedirectTickCount(void* module) {
    return standinRedirectImport(module, "KERNEL32.dll", "GetTickCount", reinterpret_cast<void*>(&standinGetTickCount));
}
