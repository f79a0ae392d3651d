#include "pellimore/check/check_wording.h"

#include "host/key_state_table.h"
#include "pellimore/common/key_names.h"
#include "pellimore/common/text.h"

namespace {

// "81 (Q)", or "300" for a code without a name.
std::string codeAndName(std::int64_t code) {
    const std::string name = keyName(code);
    return name.empty() ? std::to_string(code) : std::to_string(code) + " (" + name + ")";
}

std::string moveName(MeleeAction move) { return moveRow(move).key.playerName; }

// What a finding's binding is called; "" for a finding about the whole file.
std::string bindingName(const SettingsFinding& finding) { return finding.binding ? playerName(*finding.binding) : ""; }

// Which editor setting puts the mark there, as Notepad names it.
std::string markName(const SettingsFinding& finding) {
    return finding.utf16Mark ? "of a file saved as \"Unicode\"" : "Notepad's \"UTF-8 with BOM\"";
}

bool isModifier(const SettingsFinding& finding) { return finding.binding && *finding.binding == theModifier; }

// "write " before a line to write; nothing before the page's own fix.
std::string writeOr(Reader reader) { return reader == Reader::Page ? "" : "write "; }

// How the mark goes: saving from the page drops it; in Notepad, another encoding.
std::string saveWithoutMark(Reader reader) {
    return reader == Reader::Page ? "saving from this page removes the mark"
                                  : "in Notepad choose File > Save As, set Encoding to \"UTF-8\" and save";
}

KeyOwner ownerOf(const SettingsFinding& finding) { return finding.binding.value_or(theModifier); }

// The page's own way to carry out a fix: choose the move and press a key.
std::string chooseAndPress(const SettingsFinding& finding, const std::string& key) {
    return "choose " + bindingName(finding) + " and press " + key;
}

// The fix for a key the game cannot read: its usual code, or -1 to switch the move off.
std::string writeUsualOrOff(const SettingsFinding& finding, bool sayWhatGoesOff, Reader reader) {
    const KeyOwner owner = ownerOf(finding);
    if (reader == Reader::Page)
        return chooseAndPress(
            finding, "its key (" + keyName(defaultCode(keyRow(owner))) + " is the usual one), or press Switch off");
    const std::string key = finding.settingsKey;
    const std::string usual = key + "=" + std::to_string(defaultCode(keyRow(owner)));
    return usual + ", or " + key + "=-1" + (sayWhatGoesOff ? " to switch " + playerName(owner) + " off" : "");
}

// The fix for a code written the wrong way: the code meant.
std::string writeCode(const SettingsFinding& finding, std::int32_t code, Reader reader) {
    if (reader == Reader::Page) return chooseAndPress(finding, keyName(code).empty() ? "its key" : keyName(code));
    return "write " + finding.settingsKey + "=" + std::to_string(code);
}

std::string hexSentence(const SettingsFinding& finding, Reader reader) {
    std::string text = bindingName(finding) + " is written " + shownAsText(finding.written) +
                       ", which the game reads as 0: codes are decimal numbers";
    if (finding.meantCode)
        text += "; " + shownAsText(finding.hexText) + " is " + codeAndName(*finding.meantCode) + ", so " +
                writeCode(finding, *finding.meantCode, reader);
    return text;
}

std::string codeZeroSentence(const SettingsFinding& finding, Reader reader) {
    return (isModifier(finding) ? "the Modifier is on code 0, which no key sends, so the four throws"
                                : bindingName(finding) + " is on code 0, which no key sends, so it") +
           std::string(" can never fire: ") +
           (reader == Reader::Page ? chooseAndPress(finding, "a key, or press Switch off")
                                   : "write the key's code, or -1 to switch it off");
}

std::string notAKeyCodeSentence(const SettingsFinding& finding, Reader reader) {
    const bool modifier = isModifier(finding);
    return (modifier ? std::string("the four throws are") : bindingName(finding) + " is") +
           " switched off: " + std::to_string(finding.keyCode) + " is not a key code (key codes go from 1 to " +
           std::to_string(keyStateRowCount - 1) + "); " +
           (reader == Reader::Page ? chooseAndPress(finding, "a key, or press Switch off to switch it off on purpose")
                                   : "write -1 to switch a move off on purpose");
}

std::string stopReason(const SettingsFinding& finding, Reader reader) {
    const std::string key = finding.settingsKey;
    const std::string value = shownAsText(finding.written);
    switch (finding.cause) {
        case StopCause::HeaderHidden: return "the byte-order mark hides [Pellimore], so it finds no key at all";
        case StopCause::NoHeader: return "there is no [Pellimore] line, so it finds no key at all";
        case StopCause::MissingKey:
            return "the line " + key + "=... is missing" +
                   (finding.otherLine ? " (line " + std::to_string(finding.otherLine) + " has it behind ';')" : "") +
                   (reader == Reader::Page ? ": " : ": add ") + writeUsualOrOff(finding, true, reader);
        case StopCause::OutOfRange:
            return value + " is far too large to be a key code: " + writeOr(reader) +
                   writeUsualOrOff(finding, false, reader);
        case StopCause::EmptyValue:
            return key + " has no value: " + writeOr(reader) + writeUsualOrOff(finding, true, reader);
        case StopCause::KeyName:
            return "\"" + value + "\" is a key's name, not its code: " + value + " is " +
                   std::to_string(finding.meantCode.value_or(0)) + ", so " +
                   writeCode(finding, finding.meantCode.value_or(0), reader);
        case StopCause::UnknownKeyName:
            return "\"" + value + "\" is not a key code, and not a key name these tools know: " +
                   (reader == Reader::Page
                        ? chooseAndPress(finding, "the key you want, or press Switch off")
                        : "open Pellimore-editor.html, " + chooseAndPress(finding, "the key you want") + ", or write " +
                              key + "=-1 to switch it off");
        case StopCause::NotANumber:
            return "\"" + value + "\" is not a number: " + writeOr(reader) + writeUsualOrOff(finding, true, reader);
    }
    return "";
}

std::string loadStopsSentence(const SettingsFinding& finding, Reader reader) {
    const std::string name = bindingName(finding);
    return "the game stops reading the file at " + name + ": " + stopReason(finding, reader) + ". Until it is fixed, " +
           name + (finding.count ? " and the " + std::to_string(finding.count) + " settings after it keep" : " keeps") +
           " the keys they had";
}

std::string sharedKeySentence(const SettingsFinding& finding, Reader reader) {
    const std::string name = bindingName(finding);
    const std::string first = moveName(finding.otherMove.value_or(MeleeAction::GrappleThrowFront));
    return name + " and " + first + " are both on " + keyLabel(finding.keyCode) +
           (finding.onlyWithoutModifier ? ": with the Modifier held only " + first + " fires"
                                        : ": only " + first + " fires") +
           (!finding.lacksOwnKey ? std::string(". Move one of them to a free key")
            : reader == Reader::Page
                ? ". This file gives " + name + " no key of its own: " + chooseAndPress(finding, "a free key")
                : ". This file gives " + name + " no key of its own: add a line " + finding.settingsKey +
                      "=<code>, or choose it in the editor and press a free key");
}

std::string largeFileSentence(const SettingsFinding& finding) {
    const std::string size = std::to_string(finding.count) + " KB";
    return finding.tooLargeToRead ? "the file is " + size +
                                        ", too large for the game to read at all: keep only the [Pellimore] section "
                                        "(well under 1 KB)"
                                  : "the file is " + size +
                                        ", and the game reads it again every frame, which costs the game time: keep "
                                        "only the [Pellimore] section (well under 1 KB)";
}

std::string numLockChallengeSentence(const SettingsFinding& finding) {
    const std::string key = keyName(finding.keyCode);
    return "with Num Lock off, " + key + " sends " + keyLabel(keypadCodeWithoutNumLock(finding.keyCode)) + ", so " +
           moveName(MeleeAction::GrappleChallengeFront) + " (always on " + key +
           ") cannot fire, and the key may fire whatever is on Up instead (" +
           moveName(MeleeAction::GrappleThrowFront) + ", by default)";
}

}  // namespace

std::string playerName(KeyOwner owner) { return keyRow(owner).playerName; }

std::string findingSentence(const SettingsFinding& finding, Reader reader) {
    const std::string written = shownAsText(finding.written);
    switch (finding.kind) {
        case FindingKind::CarriageReturnsOnly:
            return "the lines of this file end with a lone carriage return, so the game reads it as one single line "
                   "and loads nothing from it: open it in Notepad and save it again";
        case FindingKind::Utf16:
            return "the file is saved as \"Unicode\" (UTF-16); the game skips the zero bytes that format puts between "
                   "letters and reads the rest as plain text. Saving it from the editor, or in Notepad with Encoding "
                   "\"UTF-8\", makes it plain text";
        case FindingKind::ByteOrderMark:
            return "the file starts with a byte-order mark (" + markName(finding) +
                   "), which hides [Pellimore] on this line from the game: " + saveWithoutMark(reader);
        case FindingKind::ByteOrderMarkHidesLine:
            return "the file starts with a byte-order mark (" + markName(finding) + "), which hides this line, " +
                   written + ", from the game: " + saveWithoutMark(reader);
        case FindingKind::ByteOrderMarkBeforeComment:
            return "the file starts with a byte-order mark (" + markName(finding) +
                   "), which hides its first line from the game; that line is a comment, so nothing is lost";
        case FindingKind::SectionCase:
            return "[" + written + "] must be written [" + settingsSectionName +
                   "]: letter case matters, so the game skips this section";
        case FindingKind::RepeatedKey:
            return written + " was already set on line " + std::to_string(finding.otherLine) +
                   "; the game uses this later line";
        case FindingKind::KeyCase:
            return written + " must be written " + finding.settingsKey +
                   ": letter case matters, so the game skips this line";
        case FindingKind::UnknownKey: return written + " is not a setting the game knows; it skips this line";
        case FindingKind::InvalidLine:
            return std::string("the game skips this line: it is not [a section], a comment or name = value") +
                   (finding.hashComment ? " (comments start with ';', not '#')" : "");
        case FindingKind::KeyAboveSection:
            return written + " stands above the first [section] line, so the game skips it: move it below [Pellimore]";
        case FindingKind::NoSection:
            return "there is no [Pellimore] line, so the game loads no key from this file: add [Pellimore] on a line "
                   "of "
                   "its own above the keys";
        case FindingKind::EmptyFile:
            return "the file is empty, so the game loads no key from it and every move keeps its key (the default keys "
                   "when the game starts): " +
                   (reader == Reader::Page ? std::string("click \"Start from the shipped file\"")
                                           : "open it in Pellimore-editor.html and choose \"Start from the shipped "
                                             "file\", or delete it");
        case FindingKind::TextAfterNumber:
            return bindingName(finding) + " reads as " + codeAndName(finding.keyCode) + ": the game ignores \"" +
                   written + "\" after the number; put a comment on a line of its own";
        case FindingKind::NotAKeyCode: return notAKeyCodeSentence(finding, reader);
        case FindingKind::SwitchedOff:
            return isModifier(finding) ? "the Modifier is switched off (-1), and with it the four throws"
                                       : bindingName(finding) + " is switched off (-1)";
        case FindingKind::CodeZero: return codeZeroSentence(finding, reader);
        case FindingKind::HexNumber: return hexSentence(finding, reader);
        case FindingKind::LoadStops: return loadStopsSentence(finding, reader);
        case FindingKind::SharedKey: return sharedKeySentence(finding, reader);
        case FindingKind::BoundToModifier:
            return bindingName(finding) + " is on " + keyLabel(finding.keyCode) +
                   ", the Modifier's own key, so it can never fire: move one of them to a free key";
        case FindingKind::ModifierOnMoveKey:
            return "the Modifier and " + bindingName(finding) + " are both on " + keyLabel(finding.keyCode) +
                   ": each time you let go of the Modifier, after a throw too, " + bindingName(finding) +
                   " fires as well. Move one of them to a free key";
        case FindingKind::LargeFile: return largeFileSentence(finding);
        case FindingKind::NumLock:
            return bindingName(finding) + " is on " + keyLabel(finding.keyCode) +
                   ": it works only while Num Lock is on; with Num Lock off that key sends " +
                   keyLabel(keypadCodeWithoutNumLock(finding.keyCode));
        case FindingKind::NumLockChallenge: return numLockChallengeSentence(finding);
        case FindingKind::GameKey:
            return bindingName(finding) + " is on " + keyLabel(finding.keyCode) +
                   ", a key the game itself uses on foot: each press in play also makes the characters around you "
                   "brawl. If that gets in the way, move it to a free key in the editor";
    }
    return "";
}

std::string findingWithLine(const SettingsFinding& finding, Reader reader) {
    return (finding.line ? "line " + std::to_string(finding.line) + ": " : std::string()) +
           findingSentence(finding, reader);
}

std::string noteLine(const SettingsFinding& finding) { return "note: " + findingSentence(finding); }

std::string bindingStateText(const BindingRow& row) {
    const std::string shared = row.sharedWith ? moveRow(*row.sharedWith).codeName : "";
    switch (row.state) {
        case BindingState::Ok: return "ok";
        case BindingState::Modifier: return "modifier for the throws";
        case BindingState::Off: return "off";
        case BindingState::KeepsPreviousKey: return "keeps its previous key";
        case BindingState::NeverFiresSharedKey: return "never fires: same key as " + shared;
        case BindingState::FiresOnlyWithoutModifier: return "fires only without the modifier: same key as " + shared;
        case BindingState::NeverFiresOnModifier: return "never fires: bound to the modifier";
        case BindingState::NeverFiresCodeZero: return "never fires: no key sends code 0";
        case BindingState::NeverFiresNoModifier: return "never fires: the modifier is on no key";
        case BindingState::FiresOnModifierRelease: return "also fires when the modifier is let go: same key";
    }
    return "";
}

namespace {

std::string fileProblemSentence(const SettingsReport& report) {
    const std::string dropped = report.path + " is not " + settingsFileName + ": ";
    const std::string dropAdvice =
        ". Drop " + std::string(settingsFileName) +
        " itself onto pellimore.exe, or double-click pellimore.exe to check the game folder's " + settingsFileName;
    switch (report.fileProblem) {
        case FileProblem::None: return "";
        case FileProblem::Folder:
            return report.path + " is a folder, not a settings file, so the game cannot read it. If it is named " +
                   settingsFileName + ", rename that folder (to Pellimore-folder, say), then copy " + settingsFileName +
                   " from the release archive in its place";
        case FileProblem::Unreadable:
            return "cannot open " + report.path + ": there is no such file, or it cannot be read";
        case FileProblem::ProgramFile: return dropped + "it is a program file, not a settings file" + dropAdvice;
        case FileProblem::BinaryData: return dropped + "it holds binary data, not settings" + dropAdvice;
        case FileProblem::ReadsLikeText:
            return dropped + "it has no [Pellimore] section and reads like a text" + dropAdvice;
    }
    return "";
}

}  // namespace

std::string fileProblemLine(const SettingsReport& report) { return "problem: " + fileProblemSentence(report); }

std::string verdictSentence(const SettingsReport& report) {
    const std::size_t count = report.warnings.size();
    const std::string notNotes = report.notes.empty() ? "" : " (the points not marked note)";
    if (report.empty) return "Result: the file is empty, so the game loads nothing from it.";
    if (report.verdict == exitFailed)
        return "Result: the game stops reading this file part-way, so some moves keep their old keys: see the point "
               "that says where it stops.";
    if (report.verdict == exitWithWarnings)
        return "Result: the game loads this file, but " +
               (count == 1 ? "one point does" : std::to_string(count) + " points do") + " not work as written" +
               notNotes + ".";
    return "Result: fine. The game loads every key from this file, and every move works as bound.";
}

namespace {

// The conversion's failure in words; modders who want the library's own message find it in the code.
std::string loadErrorWords(ConversionError error) {
    switch (error) {
        case ConversionError::None: return "";
        case ConversionError::InvalidArgument: return "no number where the code belongs";
        case ConversionError::OutOfRange: return "a number too large for 32 bits";
    }
    return "";
}

}  // namespace

std::string loadStopSentence(const SettingsReport& report) {
    for (const auto& row : report.rows)
        if (!row.loaded)
            return "the load stops at " + row.readFrom + " (" + loadErrorWords(report.loadError) + "); " +
                   fieldName(row.owner) + " and every binding after it keep their previous codes";
    return "";
}

std::string tableHeading() { return "Details for modders: what the game loads, binding by binding"; }

std::vector<std::string> tableColumnTitles() { return {"binding", "read from", "value", "code", "key", "in game"}; }

std::string fixedKeyLine() {
    const MoveRow& challenge = moveRow(MeleeAction::GrappleChallengeFront);
    return "  (" + std::string(challenge.codeName) + " is always on " + keyName(defaultCode(challenge.key)) +
           ", code " + std::to_string(defaultCode(challenge.key)) + ")";
}

std::string rawValueText(const BindingRow& row) { return row.rawValue ? shownAsText(*row.rawValue) : "(missing)"; }

std::string notInGameFolderSentence(const std::string& toolFolder) {
    return "pellimore.exe is not inside the game folder: there is no RDR2.exe in " + toolFolder +
           " or the two folders above it, so the game never reads a Pellimore.ini from here.\n"
           "Extract the Pellimore archive into the game folder (the folder with RDR2.exe), then double-click\n"
           "pellimore.exe in the Pellimore-tools folder there. To check some other file, drop it onto pellimore.exe.";
}

std::string noSettingsInGameFolderSentence(const std::string& gameFolder) {
    return "there is no Pellimore.ini in the game folder, " + gameFolder +
           ", so the game uses the default keys.\nTo change them, open Pellimore-editor.html in the Pellimore-tools "
           "folder. To check the whole installation, double-click doctor.cmd there.";
}

std::string checkingGameSettingsLine(const std::string& settingsFile) {
    return "checking " + settingsFile + ", the file the game reads";
}
