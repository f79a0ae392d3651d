#include "host/module_entry.h"

#include "brawl/script_loop.h"
#include "host/key_state_table.h"

void scriptMain() { runScriptLoop(); }

#if defined(_WIN32) && defined(__GLIBCXX__)
// The static C++ runtime sets aside an emergency pool for exceptions (about
// 73 KiB) when the module loads and never frees it, so every hot reload would
// leave one behind in the game's heap. The runtime's own release call frees it.
namespace __gnu_cxx {
void __freeres();
}
static void releaseRuntimeLeftovers() { __gnu_cxx::__freeres(); }
#else
static void releaseRuntimeLeftovers() {}
#endif

#ifdef _WIN32
extern "C" int __stdcall DllMain(HINSTANCE module, unsigned long reason, void*) {
#else
extern "C" int DllMain(HINSTANCE module, std::uint32_t reason, void*) {
#endif
    // Withdrawal runs in the same order as registration: script, then keyboard.
    if (reason == processAttach) {
        scriptRegister(module, scriptMain);
        keyboardHandlerRegister(handleKeyMessage);
    } else if (reason == processDetach) {
        scriptUnregister(module);
        keyboardHandlerUnregister(handleKeyMessage);
        releaseRuntimeLeftovers();
    }
    return 1;
}
