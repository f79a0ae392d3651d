// One thing the checker found in a settings file, as facts: what kind it is,
// where, and the values it concerns. No sentence is made here: the check's
// wording (check_wording.h) turns a finding into words, and the editor page
// draws its markings from the same facts.
#pragma once

#include "settings/move_table.h"

#include <cstdint>
#include <optional>
#include <string>

enum class FindingKind {
    CarriageReturnsOnly,         // lines ended by carriage returns alone: one single line
    Utf16,                       // saved as UTF-16, which the game reads as plain text (a note)
    ByteOrderMark,               // a byte-order mark hides [Pellimore] on the first line (utf16Mark: UTF-16's)
    ByteOrderMarkHidesLine,      // ... hides the first line, a setting (written: that line)
    ByteOrderMarkBeforeComment,  // ... hides only the first line, a comment: nothing lost (a note)
    SectionCase,                 // [pellimore] in another letter case (written: the name)
    RepeatedKey,                 // a key given twice; the later value wins (written: the key; otherLine: the earlier)
    KeyCase,                     // a settings key in another letter case (written; settingsKey: the right spelling)
    UnknownKey,                  // a key the game never reads (written)
    InvalidLine,                 // neither header, comment nor key = value (hashComment: a '#' in it)
    KeyAboveSection,             // a key before the first header (written)
    NoSection,                   // no [Pellimore] at all
    EmptyFile,                   // no bytes at all: the game loads nothing
    TextAfterNumber,             // "88 X": the text after the number is ignored (written: that text)
    NotAKeyCode,                 // outside 0..254: the move is off
    SwitchedOff,                 // -1, the readme's way to switch a move off (a note)
    CodeZero,                    // code 0, which no key sends: the move cannot fire
    HexNumber,                   // "0x51" reads as 0 (written: the value; hexText, meantCode when it parses)
    LoadStops,                   // the value that ends the load (cause, count: the settings after it)
    SharedKey,                   // a later move on an earlier move's key (otherMove fires instead)
    BoundToModifier,             // a throw on the modifier's own key
    ModifierOnMoveKey,           // a move on the modifier's key: letting go of the modifier fires it too
    LargeFile,                   // so large that reading it every frame costs time (count: KB; tooLargeToRead)
    NumLock,                     // a keypad key that changes code with Num Lock (a note)
    NumLockChallenge,            // the fixed challenge key changes code with Num Lock too (a note)
    GameKey,                     // a key the game itself uses on foot (a note)
    OtherFileName,               // the file is not named Pellimore.ini, so the game never reads it (written: its name)
    ReadOnly,                    // the file is read-only: an edit saved into it does not stick
    WalkingKey,                  // a move on a key the player walks with (written: the layout's letters, "AZERTY")
};

// Why the game stops reading at a binding.
enum class StopCause {
    HeaderHidden,    // a byte-order mark hides [Pellimore]
    NoHeader,        // there is no [Pellimore] line
    MissingKey,      // the key's line is missing (otherLine: a commented-out copy of it, or 0)
    OutOfRange,      // the value is far too large (written)
    EmptyValue,      // the key has no value
    KeyName,         // a key's name where its code belongs (written; meantCode)
    UnknownKeyName,  // a word that is no key name the tools know (written)
    NotANumber,      // anything else (written)
};

struct SettingsFinding {
    FindingKind kind;
    int line = 0;                           // 0 when it concerns the whole file
    std::optional<KeyOwner> binding;        // the binding it concerns, if one
    std::int32_t keyCode = -1;              // the key code it concerns, or -1
    std::string written;                    // what the file says there, as written
    std::string settingsKey;                // the settings key read, or the right spelling of one
    std::optional<std::int32_t> meantCode;  // the code the writer meant (hex, a key's name)
    std::optional<MeleeAction> otherMove;   // the move that takes the key instead
    int otherLine = 0;                      // an earlier line the finding refers to
    int count = 0;                          // settings after the stop; the file's size in KB
    StopCause cause = StopCause::NotANumber;
    std::string hexText;               // "0x51", the hexadecimal part of a value
    bool onlyWithoutModifier = false;  // SharedKey: the later move fires while the modifier is up
    bool lacksOwnKey = false;          // SharedKey: the file gives the later move no key of its own
    bool hashComment = false;          // InvalidLine: the line holds a '#'
    bool tooLargeToRead = false;       // LargeFile: past the game's read limit
    bool utf16Mark = false;            // ByteOrderMark...: the mark is UTF-16's
};

// The binding's name in the plug-in's code ("knockout"), as modders and the page know it.
std::string fieldName(KeyOwner owner);
