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
    bool utf16 = false;                                       // saved as UTF-16, which the game reads as plain text
    int invalidLines = 0;                                     // lines that are no header, comment or key
    std::map<std::string, int> commentedKeys;                 // "; iKnockout=81": the key, and its line
    std::vector<SettingsFinding> warnings;
    std::vector<SettingsFinding> notes;
};

// Whether the bytes start with a UTF-8 byte-order mark.
bool startsWithByteOrderMark(std::string_view bytes);

// How many bytes of a byte-order mark start the first line as the game's reader
// has it (NUL bytes dropped): 3 for UTF-8's, 2 for UTF-16's, 0 for none.
std::size_t byteOrderMarkLength(std::string_view firstLine);

// Whether the bytes look like a file saved as UTF-16: its byte-order mark, or
// NUL bytes between letters.
bool looksLikeUtf16(std::string_view bytes);

// Walks the file's lines (as the reader split them) and its raw bytes.
FileSurvey surveySettingsFile(const std::vector<std::string>& lines, std::string_view rawBytes);
