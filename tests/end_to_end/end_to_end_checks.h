// What the end-to-end driver's checks share: counting checks that report and
// go on, the settings file in the scratch folder, and one script tick.
#pragma once

#include "sample_settings.h"
#include "standin_host.h"

#include <windows.h>

#include <fstream>
#include <string>

inline int passedChecks = 0;
inline int failedChecks = 0;
inline const char* currentTest = "";

inline void check(bool condition, const char* expression, int line, const std::string& detail = "") {
    if (condition) {
        ++passedChecks;
        return;
    }
    ++failedChecks;
    std::printf("FAIL [%s] line %d: %s %s\n", currentTest, line, expression, detail.c_str());
}
#define CHECK(condition) check((condition), #condition, __LINE__)
#define CHECK_EQUAL(actual, expected)                                 \
    check((actual) == (expected), #actual " == " #expected, __LINE__, \
          "(got " + std::to_string(actual) + ", expected " + std::to_string(expected) + ")")

inline void writeSettings(const std::string& text) {
    std::ofstream("Pellimore.ini", std::ios::binary | std::ios::trunc) << text;
}

// The players' twelve-key file as Windows editors save it (CR LF), with the knockout moved to K.
inline std::string twelveKeySettingsWithKnockoutOnK() {
    std::string text;
    for (const char* cursor = twelveKeySettingsText; *cursor; ++cursor)
        text += *cursor == '\n' ? "\r\n" : std::string(1, *cursor);
    return text + "iKnockout=75\r\n";
}

inline void tick() {
    standinClearNativeCalls();
    standinRunScriptTick();
}

// The guest checks of guest_checks.cpp; each loads the module itself.
void testQuietTicks(const char* modulePath);
void testHotReloadCycles(const char* modulePath);
