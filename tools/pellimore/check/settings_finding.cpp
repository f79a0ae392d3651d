#include "pellimore/check/settings_finding.h"

#include <cctype>

// Every settings key is the field's name with an "i" before it and its first letter raised.
std::string fieldName(KeyOwner owner) {
    const char* settingsKey = keyRow(owner).settingsKey;
    if (!settingsKey) return "";
    std::string name = settingsKey + 1;
    name[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
    return name;
}
