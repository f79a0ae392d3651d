// One thing the checker found in a settings file, as data: what kind it is,
// where, which binding and key it concerns, and the sentence that explains it.
// The command line prints the sentence; the editor page draws from the rest.
#pragma once

#include <cstdint>
#include <string>

enum class FindingKind {
    CarriageReturnsOnly,  // lines ended by carriage returns alone: one single line
    Utf16,                // saved as UTF-16
    ByteOrderMark,        // a UTF-8 byte-order mark hides the first header
    SectionCase,          // [pellimore] in another letter case
    RepeatedKey,          // a key given twice; the later value wins
    KeyCase,              // a settings key in another letter case
    UnknownKey,           // a key the game never reads
    InvalidLine,          // neither header, comment nor key = value
    KeyAboveSection,      // a key before the first header
    NoSection,            // no [Pellimore] at all
    TextAfterNumber,      // "88 X": the text after the number is ignored
    NotAKeyCode,          // outside 0..254: the move is off
    CodeZero,             // code 0, which no key sends: the move cannot fire
    HexNumber,            // "0x51" reads as 0: codes are decimal
    LoadStops,            // the value that ends the load
    SharedKey,            // a later move on an earlier move's key
    BoundToModifier,      // a throw on the modifier's own key
    LargeFile,            // so large that reading it every frame costs time
    NumLock,              // a keypad key that changes code with Num Lock (a note)
    GameKey,              // a key the game itself uses on foot (a note)
};

// The kind as the page knows it: "shared-key", "num-lock", ...
const char* findingKindName(FindingKind kind);

struct SettingsFinding {
    FindingKind kind;
    int line = 0;               // 0 when it concerns the whole file
    std::string text;           // the sentence, as `pellimore check` prints it
    std::string field;          // the binding it concerns ("knockout"), or ""
    std::int32_t keyCode = -1;  // the key code it concerns, or -1
};
