// The names a settings file gets by mistake, defined once for check and the
// doctor: the game reads only a file named exactly Pellimore.ini.
#pragma once

#include <string_view>

// "Pellimore (1).ini" (a second download), "Pellimore.ini.txt" (Notepad, with
// Explorer hiding extensions), "Pellimore-old.ini": a name that starts like
// Pellimore's settings file and ends in .ini or .ini.txt, but is not it.
bool isOtherSettingsFileName(std::string_view fileName);
