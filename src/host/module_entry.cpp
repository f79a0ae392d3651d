#include "host/module_entry.h"

#include "brawl/script_loop.h"
#include "host/key_state_table.h"

void scriptMain() { runScriptLoop(); }

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
    }
    return 1;
}
