#include "pellimore/check/settings_finding.h"

#include <cctype>

const char* findingKindName(FindingKind kind) {
    switch (kind) {
        case FindingKind::CarriageReturnsOnly: return "carriage-returns-only";
        case FindingKind::Utf16: return "utf16";
        case FindingKind::ByteOrderMark: return "byte-order-mark";
        case FindingKind::ByteOrderMarkHidesLine: return "byte-order-mark-hides-line";
        case FindingKind::ByteOrderMarkBeforeComment: return "byte-order-mark-before-comment";
        case FindingKind::SectionCase: return "section-case";
        case FindingKind::RepeatedKey: return "repeated-key";
        case FindingKind::KeyCase: return "key-case";
        case FindingKind::UnknownKey: return "unknown-key";
        case FindingKind::InvalidLine: return "invalid-line";
        case FindingKind::KeyAboveSection: return "key-above-section";
        case FindingKind::NoSection: return "no-section";
        case FindingKind::EmptyFile: return "empty-file";
        case FindingKind::TextAfterNumber: return "text-after-number";
        case FindingKind::NotAKeyCode: return "not-a-key-code";
        case FindingKind::SwitchedOff: return "switched-off";
        case FindingKind::CodeZero: return "code-zero";
        case FindingKind::HexNumber: return "hex-number";
        case FindingKind::LoadStops: return "load-stops";
        case FindingKind::SharedKey: return "shared-key";
        case FindingKind::BoundToModifier: return "bound-to-modifier";
        case FindingKind::ModifierOnMoveKey: return "modifier-on-move-key";
        case FindingKind::LargeFile: return "large-file";
        case FindingKind::NumLock: return "num-lock";
        case FindingKind::NumLockChallenge: return "num-lock-challenge";
        case FindingKind::GameKey: return "game-key";
        case FindingKind::OtherFileName: return "other-file-name";
        case FindingKind::ReadOnly: return "read-only";
        case FindingKind::WalkingKey: return "walking-key";
    }
    return "";
}

// Every settings key is the field's name with an "i" before it and its first letter raised.
std::string fieldName(KeyOwner owner) {
    const char* settingsKey = keyRow(owner).settingsKey;
    if (!settingsKey) return "";
    std::string name = settingsKey + 1;
    name[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
    return name;
}
