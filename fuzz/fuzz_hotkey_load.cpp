// Any bytes as Pellimore.ini: the load ends normally or with one of its two
// conversion errors, and the tick that follows runs whatever the bindings are.
#include "brawl/hotkey_bindings.h"
#include "brawl/script_loop.h"
#include "host/key_state_table.h"
#include "settings/hotkey_settings.h"
#include "standin_host.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An absolute settings path: changing directory would lose libFuzzer's relative corpus paths.
    static const std::string path = [] {
        settingsPath = (std::filesystem::temp_directory_path() /
                        ("pellimore-fuzz-load-" + std::to_string(::getpid()) + ".ini")).string();
        std::atexit([] { std::remove(settingsPath.c_str()); });
        standinSetNativeLogging(0);
        const std::int32_t peds[] = {1, 2, 3};
        standinSetPeds(peds, 3);
        standinSetTickCount(100000);
        return settingsPath;
    }();
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);
    hotkeyBindings = HotkeyBindings{};
    try {
        loadHotkeySettings();
    } catch (const std::invalid_argument&) {
    } catch (const std::out_of_range&) {
    }
    // Release every bound key so the dispatch runs with whatever was loaded.
    for (const auto& setting : hotkeySettings)
        handleKeyMessage(static_cast<std::uint32_t>(*setting.binding), 1, 0, 0, 0, 1, 1);
    PedSnapshot snapshot{};
    runScriptTick(snapshot);
    return 0;
}
