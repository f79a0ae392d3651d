// End-to-end test of the real Pellimore.asi under wine: the stand-in host DLL
// is loaded, the module is loaded from a scratch working directory, its
// kernel32 GetTickCount import is pointed at the stand-in's clock, and the
// registered script is ticked on a fiber while keyboard messages go through
// the registered handler.
//
// The guest checks (no heap per tick, leak-free hot reload) are in guest_checks.cpp.
//
// Usage: end_to_end_driver.exe <path of Pellimore.asi> <scratch directory>
#include "end_to_end_checks.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Written out on purpose, independent of the plug-in's headers and of the
// stand-in's: the test states what the game expects.
constexpr std::uint64_t qualifiesNative = 0xB980061DA992779D;
constexpr std::uint64_t playerPedNative = 0x096275889B8E0EE0;
constexpr std::uint64_t hashNameNative = 0xFD340785ADF8CFB7;
constexpr std::uint64_t startTaskActionNative = 0x8301D87B1B89E219;
constexpr std::uint64_t setFlagWordNative = 0x789DABD18E9024DB;

const char* hashedName(const StandinNativeCall& call) {
    return reinterpret_cast<const char*>(static_cast<std::uintptr_t>(call.arguments[0]));
}

std::vector<StandinNativeCall> calls() {
    std::vector<StandinNativeCall> result;
    for (int index = 0; index < standinNativeCallCount(); ++index) result.push_back(standinNativeCallAt(index));
    return result;
}

int countHashed(const char* name) {
    int count = 0;
    for (const auto& call : calls())
        if (call.hash == hashNameNative && std::strcmp(hashedName(call), name) == 0) ++count;
    return count;
}

void testRegistration(HMODULE module) {
    currentTest = "registration on attach";
    CHECK_EQUAL(standinHostEventCount(), 2);
    const StandinHostEvent script = standinHostEventAt(0);
    const StandinHostEvent keyboard = standinHostEventAt(1);
    CHECK_EQUAL(script.kind, StandinScriptRegistered);
    CHECK(script.moduleHandle == module);
    CHECK(script.callback != nullptr);
    CHECK_EQUAL(keyboard.kind, StandinKeyboardHandlerRegistered);
    CHECK(keyboard.callback != nullptr);
}

void testDefaultThrow() {
    currentTest = "default throw: hold X, release up arrow";
    const std::int32_t peds[] = {101, 102, 103, 7};
    standinSetPeds(peds, 4);
    standinSetPlayerPed(7);
    standinSetQualifies(103, 0);
    standinSetTickCount(100000);
    standinPressKey(88);
    standinReleaseKey(38);
    tick();
    const auto log = calls();
    CHECK_EQUAL(log.size(), 13u);
    if (log.size() != 13u) return;
    const std::uint32_t nameHash = standinNameHash("ACT_GRAPPLE_THROW_FRONT");
    for (int ped = 0; ped < 2; ++ped) {
        const std::uint64_t handle = 101 + ped;
        const StandinNativeCall* sequence = &log[ped * 5];
        CHECK(sequence[0].hash == qualifiesNative && sequence[0].arguments[0] == handle);
        CHECK(sequence[1].hash == playerPedNative && sequence[1].argumentCount == 0);
        CHECK(sequence[2].hash == hashNameNative);
        CHECK(std::strcmp(hashedName(sequence[2]), "ACT_GRAPPLE_THROW_FRONT") == 0);
        CHECK(sequence[3].hash == startTaskActionNative && sequence[3].arguments[0] == handle &&
              sequence[3].arguments[1] == nameHash && sequence[3].argumentCount == 2);
        CHECK(sequence[4].hash == setFlagWordNative && sequence[4].arguments[0] == handle &&
              sequence[4].arguments[1] == 32768 && sequence[4].arguments[2] == 0 && sequence[4].argumentCount == 3);
    }
    CHECK(log[10].hash == qualifiesNative && log[10].arguments[0] == 103);
    CHECK(log[11].hash == qualifiesNative && log[11].arguments[0] == 7);
    CHECK(log[12].hash == playerPedNative);

    standinAdvanceTime(10);
    tick();
    CHECK_EQUAL(standinNativeCallCount(), 0);
}

void testSettingsRebind() {
    currentTest = "settings file rebinds on the next tick";
    writeSettings(twelveKeySettingsWithKnockoutOnK());
    tick();
    standinAdvanceTime(10);
    standinReleaseKey(81);
    tick();
    CHECK_EQUAL(countHashed("ACT_GRAPPLE_CUSTOM_KNOCKOUT_AI"), 0);
    standinAdvanceTime(10);
    standinReleaseKey(75);
    tick();
    CHECK_EQUAL(countHashed("ACT_GRAPPLE_CUSTOM_KNOCKOUT_AI"), 2);
}

void testBrokenSettings() {
    currentTest = "broken settings file does not stop the script";
    const int waitsBefore = standinScriptWaitCount();
    writeSettings("[Pellimore]\r\niXKey=not a number\r\n");
    for (int index = 0; index < 3; ++index) tick();
    writeSettings("[Pellimore]\r\niXKey=99999999999\r\n");
    tick();
    CHECK_EQUAL(standinScriptWaitCount() - waitsBefore, 4);
    writeSettings(twelveKeySettingsWithKnockoutOnK() + "iExecute=76\r\n");
    standinAdvanceTime(10);
    standinReleaseKey(76);
    tick();
    CHECK_EQUAL(countHashed("ACT_GRAPPLE_CUSTOM_EXECUTION_AI"), 2);
    DeleteFileA("Pellimore.ini");
}

DWORD WINAPI idleThread(void*) { return 0; }

void testThreadEvents() {
    currentTest = "thread attach and detach do nothing";
    const int eventsBefore = standinHostEventCount();
    HANDLE thread = CreateThread(nullptr, 0, idleThread, nullptr, 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CHECK_EQUAL(standinHostEventCount(), eventsBefore);
}

std::string versionString(const std::vector<char>& info, const char* name) {
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904b0\\") + name;
    if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value) return "";
    return std::string(value);
}

void testVersionResource(const char* modulePath) {
    currentTest = "version resource";
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(modulePath, &ignored);
    CHECK(size > 0);
    if (size == 0) return;
    std::vector<char> info(size);
    CHECK(GetFileVersionInfoA(modulePath, 0, size, info.data()));
    CHECK(versionString(info, "FileVersion") == PELLIMORE_VERSION);
    CHECK(versionString(info, "ProductName") == "Pellimore");
    CHECK(!versionString(info, "FileDescription").empty());
}

void testWithdrawal(HMODULE module) {
    currentTest = "withdrawal on detach";
    const StandinHostEvent keyboardRegistration = standinHostEventAt(1);
    const int eventsBefore = standinHostEventCount();
    CHECK(FreeLibrary(module));
    CHECK_EQUAL(standinHostEventCount(), eventsBefore + 2);
    const StandinHostEvent script = standinHostEventAt(eventsBefore);
    const StandinHostEvent keyboard = standinHostEventAt(eventsBefore + 1);
    CHECK_EQUAL(script.kind, StandinScriptUnregistered);
    CHECK(script.moduleHandle == module);
    CHECK_EQUAL(keyboard.kind, StandinKeyboardHandlerUnregistered);
    CHECK(keyboard.callback == keyboardRegistration.callback);
    CHECK_EQUAL(standinRunScriptTick(), 0);
}

}  // namespace

int main(int argumentCount, char** arguments) {
    if (argumentCount != 3) {
        std::printf("usage: end_to_end_driver <Pellimore.asi> <scratch directory>\n");
        return 2;
    }
    const char* modulePath = arguments[1];
    if (!SetCurrentDirectoryA(arguments[2])) {
        std::printf("FAIL: cannot enter scratch directory %s\n", arguments[2]);
        return 1;
    }
    DeleteFileA("Pellimore.ini");
    standinReset();

    HMODULE module = LoadLibraryA(modulePath);
    if (!module) {
        std::printf("FAIL: LoadLibrary(%s) failed with error %lu\n", modulePath, GetLastError());
        return 1;
    }
    if (!standinRedirectTickCount(module)) {
        std::printf("FAIL: Pellimore.asi does not import GetTickCount from KERNEL32.dll\n");
        return 1;
    }

    testRegistration(module);
    testDefaultThrow();
    testSettingsRebind();
    testBrokenSettings();
    testThreadEvents();
    testVersionResource(modulePath);
    testWithdrawal(module);
    testQuietTicks(modulePath);
    testHotReloadCycles(modulePath);

    std::printf("end-to-end: %d checks passed, %d failed\n", passedChecks, failedChecks);
    std::printf("%d passed, %d failed\n", passedChecks, failedChecks);
    return failedChecks == 0 ? 0 : 1;
}
