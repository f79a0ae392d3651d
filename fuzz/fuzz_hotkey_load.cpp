// Any bytes as Pellimore.ini, through the real file as the game reads it: the
// load ends normally or with one of its two conversion failures, stopping where
// it says, and the tick that follows runs whatever the bindings are.
#include "brawl/script_loop.h"
#include "host/key_state_table.h"
#include "module_sandbox.h"
#include "settings/hotkey_settings.h"
#include "standin_host.h"

#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An absolute settings path: changing directory would lose libFuzzer's relative corpus paths.
    static const auto sandbox = [] {
        auto made = std::make_unique<ModuleSandbox>("fuzz-load");
        standinSetNativeLogging(0);
        const std::int32_t peds[] = {1, 2, 3};
        standinSetPeds(peds, 3);
        standinSetTickCount(100000);
        return made;
    }();
    sandbox->writeSettings(std::string(reinterpret_cast<const char*>(data), size));
    hotkeyBindings = HotkeyBindings{};
    const LoadStop stop = loadHotkeySettings();
    if ((stop.error == ConversionError::None) != (stop.position < 0)) __builtin_trap();
    if (stop.position >= loadOrderLength) __builtin_trap();
    // Release every bound key so the dispatch runs with whatever was loaded.
    for (const KeyOwner owner : loadOrder)
        handleKeyMessage(static_cast<std::uint32_t>(hotkeyBindings.*keyRow(owner).binding), 1, 0, 0, 0, 1, 1);
    PedSnapshot snapshot{};
    runScriptTick(snapshot);
    return 0;
}
