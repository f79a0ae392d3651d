#include "pellimore/check/settings_names.h"

#include "pellimore/common/text.h"

#include <string>

bool isOtherSettingsFileName(std::string_view fileName) {
    const std::string lower = lowerCase(std::string(fileName));
    // A name with ':' is a file's stream (Windows' download mark among them), never a file of its own.
    if (lower.find(':') != std::string::npos || !lower.starts_with("pellimore") || lower == "pellimore.ini")
        return false;
    return lower.ends_with(".ini") || lower.ends_with(".ini.txt");
}
