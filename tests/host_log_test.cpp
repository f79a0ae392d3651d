// Reading the script hook's log: which scripts it loaded and which native it lacked.
#include "pellimore/doctor/host_log.h"

#include <gtest/gtest.h>

namespace {

TEST(HostLog, ScriptsAndTheMissingNativeAreFoundInTheHooksLines) {
    const HostLog log = parseHostLog(
        "[19:02:11] INIT: Registering script 'Pellimore.asi' (0x00007FFB12340000)\r\n"
        "[19:02:40] CORE: Launching main() for 'Pellimore.asi'\r\n"
        "[20:11:31] FATAL: Can't find native 0xB980061DA992779D\r\n"
        "[20:11:32] FATAL: Can't find native 0x1234567\r\n"  // too short to be a native's hash
        "[20:11:33] FATAL: out of memory\r\n");
    EXPECT_EQ(log.registeredScripts, std::vector<std::string>{"Pellimore.asi"});
    EXPECT_EQ(log.launchedScripts, std::vector<std::string>{"Pellimore.asi"});
    ASSERT_EQ(log.fatals.size(), 3u);
    EXPECT_EQ(log.fatals[0].text, "Can't find native 0xB980061DA992779D");
    EXPECT_EQ(log.fatals[0].native, 0xB980061DA992779Dull);
    EXPECT_EQ(log.fatals[1].native, std::nullopt);
    EXPECT_EQ(log.fatals[2].native, std::nullopt);
}

}  // namespace
