// What the script hook's log (ScriptHookRDR2.log) says about the scripts it
// loaded. Lines look like
//   [19:02:11] INIT: Registering script 'Pellimore.asi' (0x00007FFB12340000)
//   [19:02:40] CORE: Launching main() for 'Pellimore.asi'
//   [20:11:31] FATAL: Can't find native 0xB980061DA992779D
// The prefix and the text after the name vary; lines it does not know are skipped.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct HostLogFatal {
    std::string text;                     // after "FATAL:", trimmed
    std::optional<std::uint64_t> native;  // the hash it names, if it names one
};

struct HostLog {
    std::vector<std::string> registeredScripts;
    std::vector<std::string> launchedScripts;
    std::vector<HostLogFatal> fatals;
};

HostLog parseHostLog(const std::string& text);
