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
