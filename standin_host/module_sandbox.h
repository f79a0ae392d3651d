// A clean module for every test, benchmark and simulation: the stand-in host
// reset, the keyboard table, bindings and settings document as at load, and a
// scratch folder of its own for Pellimore.ini.
#pragma once

#include <filesystem>
#include <string>

// Puts the module and the stand-in host back as a game would load them, with
// settingsPath "Pellimore.ini" again.
void resetModuleState();

// A fresh, empty folder under the system's temporary folder, unique to this
// process and call, removed again when the value is destroyed.
struct ScratchDirectory {
    explicit ScratchDirectory(const std::string& purpose);
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    // Writes the bytes as a file of this folder and returns its path.
    std::filesystem::path writeFile(const std::string& name, const std::string& bytes) const;

    std::filesystem::path path;
};

// The module as a game loads it, reading its settings from a scratch folder of
// its own instead of the working directory: for programs that run the module
// beside other work (the simulator, the fuzzers). Reset again when destroyed.
class ModuleSandbox {
public:
    explicit ModuleSandbox(const std::string& purpose);
    ~ModuleSandbox();
    ModuleSandbox(const ModuleSandbox&) = delete;
    ModuleSandbox& operator=(const ModuleSandbox&) = delete;

    // The Pellimore.ini the module reads, in the scratch folder.
    const std::filesystem::path& settingsFile() const { return settings; }

    // Writes the bytes as that file; false when the write failed.
    bool writeSettings(const std::string& bytes) const;

private:
    ScratchDirectory scratch;
    std::filesystem::path settings;
};
