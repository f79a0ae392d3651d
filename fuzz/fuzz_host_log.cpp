// Any bytes as the hook's log: the reader never crashes, and every script it
// reports is text that stands in the log.
#include "pellimore/doctor/host_log.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const HostLog log = parseHostLog(text);
    for (const auto* scripts : {&log.registeredScripts, &log.launchedScripts})
        for (const auto& script : *scripts)
            if (text.find(script) == std::string::npos) __builtin_trap();
    for (const auto& fatal : log.fatals)
        if (text.find(fatal.text) == std::string::npos) __builtin_trap();
    return 0;
}
