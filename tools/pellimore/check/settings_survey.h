// A line-by-line walk of a settings file for what the document does not keep:
// line numbers, repeats, keys the game never reads, lines it ignores.
#pragma once

#include "pellimore/check/settings_finding.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

struct KeyLine {
    int line;
    std::string value;
};

struct FileSurvey {
    std::map<std::string, std::vector<KeyLine>> sectionKeys;  // keys of [Pellimore], every occurrence
    int headerLine = 0;                                       // the first [Pellimore]
    bool anyCaseHeader = false;                               // a [Pellimore] in any letter case
    bool markHidesHeader = false;                             // a byte-order mark right before [Pellimore]
    bool utf16 = false;                                       // saved as UTF-16: nothing else matters
    int invalidLines = 0;                                     // lines that are no header, comment or key
    std::map<std::string, int> commentedKeys;                 // "; iKnockout=81": the key, and its line
    std::vector<SettingsFinding> warnings;
};

// Whether the bytes start with a UTF-8 byte-order mark.
bool startsWithByteOrderMark(std::string_view bytes);

// Whether the bytes look like a file saved as UTF-16: its byte-order mark, or
// NUL bytes between letters.
bool looksLikeUtf16(std::string_view bytes);

// Walks the file's lines (as the reader split them) and its raw bytes.
FileSurvey surveySettingsFile(const std::vector<std::string>& lines, std::string_view rawBytes);
