// Whose file is whose, decided once from the files' bytes, for the findings
// and so for the repairs made from them: a settings file that adds nothing to
// the player's own is never "your keys", and of two modules the one with this
// release's bytes, else the newer, stays.
#pragma once

#include "pellimore/doctor/doctor.h"

#include <filesystem>

// Whether a settings file holds only the shipped keys: the bytes of a release's Pellimore.ini, or a file
// that loads exactly the keys the game has without one.
bool holdsOnlyShippedKeys(const std::filesystem::path& file, const DoctorContext& context);

// How a second settings file stands to the player's Pellimore.ini.
enum class SecondSettings {
    AddsNothing,  // the shipped keys, or the same bytes as Pellimore.ini: set aside, never moved in
    Replaces,     // Pellimore.ini holds only the shipped keys and this file other ones: the player's keys
    Differs,      // both hold keys of their own: the player chooses
};
SecondSettings secondSettingsFile(const std::filesystem::path& installed, const std::filesystem::path& other,
                                  const DoctorContext& context);

// Which of two Pellimore modules stays beside RDR2.exe.
ModuleKept keptModule(const std::filesystem::path& installed, const std::filesystem::path& other,
                      const DoctorContext& context);
