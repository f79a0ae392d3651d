#include "module_sandbox.h"

#include "host/key_state_table.h"
#include "settings/hotkey_settings.h"
#include "standin_host.h"

#include <atomic>
#include <fstream>

#ifdef _WIN32
#include <process.h>
#define processId _getpid
#else
#include <unistd.h>
#define processId getpid
#endif

void resetModuleState() {
    standinReset();
    clearKeyStateTable();
    hotkeyBindings = HotkeyBindings{};
    settingsDocument.clear();
    settingsPath = settingsFileName;
}

ModuleSandbox::ModuleSandbox(const std::string& purpose) : scratch(purpose), settings(scratch.path / settingsFileName) {
    resetModuleState();
    settingsPath = settings.string();
}

ModuleSandbox::~ModuleSandbox() { resetModuleState(); }

bool ModuleSandbox::writeSettings(const std::string& bytes) const {
    std::ofstream file(settings, std::ios::binary | std::ios::trunc);
    file << bytes;
    file.close();
    return !file.fail();
}

ScratchDirectory::ScratchDirectory(const std::string& purpose) {
    static std::atomic<int> made{0};
    path = std::filesystem::temp_directory_path() /
           ("pellimore-" + purpose + "-" + std::to_string(processId()) + "-" + std::to_string(made++));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
}

ScratchDirectory::~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::filesystem::path ScratchDirectory::writeFile(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path file = path / name;
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    return file;
}
