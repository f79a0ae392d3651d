#include "pellimore/check/check_wording.h"

#include "host/key_state_table.h"
#include "pellimore/common/key_names.h"
#include "pellimore/common/text.h"
#include "pellimore/common/words.h"

namespace {

// "81 (Q)", or "300" for a code without a name.
std::string codeAndName(std::int64_t code) {
    const std::string name = shownKeyName(code);
    return name.empty() ? std::to_string(code) : std::to_string(code) + " (" + name + ")";
}

std::string number(std::int64_t value) { return std::to_string(value); }

// A key row's name or description in the chosen language; the table's own English where the catalogue has none.
std::string moveText(KeyOwner owner, std::string_view part) {
    const std::string code = owner ? moveRow(*owner).codeName : "Modifier";
    const std::string key = "move." + code + std::string(part);
    const auto& messages = catalogue(chosenLanguage());
    if (const auto found = messages.find(key); found != messages.end()) return found->second;
    return part.empty() ? keyRow(owner).playerName : keyRow(owner).description;
}

// What a finding's binding is called; "" for a finding about the whole file.
std::string bindingName(const SettingsFinding& finding) { return finding.binding ? playerName(*finding.binding) : ""; }

// Which editor setting puts the mark there, as Notepad names it.
std::string markName(const SettingsFinding& finding) {
    return say(finding.utf16Mark ? "check.mark.unicode" : "check.mark.utf8");
}

bool isModifier(const SettingsFinding& finding) { return finding.binding && *finding.binding == theModifier; }

bool onPage(Reader reader) { return reader == Reader::Page; }

// How the mark goes: saving from the page drops it; in Notepad, another encoding.
std::string saveWithoutMark(Reader reader) {
    return say(onPage(reader) ? "check.fix.page.save_drops_mark" : "check.fix.save_without_mark");
}

KeyOwner ownerOf(const SettingsFinding& finding) { return finding.binding.value_or(theModifier); }

std::string usualKey(const SettingsFinding& finding) { return shownKeyName(defaultCode(keyRow(ownerOf(finding)))); }

std::string usualCode(const SettingsFinding& finding) { return number(defaultCode(keyRow(ownerOf(finding)))); }

// The fix for a key the game cannot read: its usual code, or -1 to switch the move off. `verb` says
// whether the line is added, written or just set; the page's own fix is choosing the move and a key.
std::string usualOrOff(const SettingsFinding& finding, std::string_view verb, bool sayWhatGoesOff, Reader reader) {
    if (onPage(reader))
        return say("check.fix.page.usual_or_off", {{"move", bindingName(finding)}, {"key", usualKey(finding)}});
    const std::string key =
        "check.fix." + std::string(verb) + (sayWhatGoesOff ? "_usual_or_off_named" : "_usual_or_off");
    return say(
        key, {{"setting", finding.settingsKey}, {"code", usualCode(finding)}, {"move", playerName(ownerOf(finding))}});
}

// The fix for a code written the wrong way: the code meant.
std::string writeCode(const SettingsFinding& finding, std::int32_t code, Reader reader) {
    if (onPage(reader))
        return shownKeyName(code).empty()
                   ? say("check.fix.page.its_key", {{"move", bindingName(finding)}})
                   : say("check.fix.page.key", {{"move", bindingName(finding)}, {"key", shownKeyName(code)}});
    return say("check.fix.write_code", {{"setting", finding.settingsKey}, {"code", number(code)}});
}

std::string hexSentence(const SettingsFinding& finding, Reader reader) {
    const std::string written =
        say("check.hex", {{"move", bindingName(finding)}, {"written", shownAsText(finding.written)}});
    if (!finding.meantCode) return written;
    return say("check.hex.meant", {{"hex_sentence", written},
                                   {"hex", shownAsText(finding.hexText)},
                                   {"code", codeAndName(*finding.meantCode)},
                                   {"fix", writeCode(finding, *finding.meantCode, reader)}});
}

std::string codeZeroSentence(const SettingsFinding& finding, Reader reader) {
    const std::string fix = onPage(reader) ? say("check.fix.page.key_or_off", {{"move", bindingName(finding)}})
                                           : say("check.fix.code_or_off");
    return say(isModifier(finding) ? "check.code_zero.modifier" : "check.code_zero",
               {{"move", bindingName(finding)}, {"fix", fix}});
}

std::string notAKeyCodeSentence(const SettingsFinding& finding, Reader reader) {
    const std::string fix = onPage(reader)
                                ? say("check.fix.page.key_or_off_on_purpose", {{"move", bindingName(finding)}})
                                : say("check.fix.off_on_purpose");
    return say(isModifier(finding) ? "check.not_a_key_code.modifier" : "check.not_a_key_code",
               {{"move", bindingName(finding)},
                {"code", number(finding.keyCode)},
                {"last", number(keyStateRowCount - 1)},
                {"fix", fix}});
}

std::string missingKeyReason(const SettingsFinding& finding, Reader reader) {
    const std::string fix = usualOrOff(finding, "add", true, reader);
    if (!finding.otherLine) return say("check.stop.missing_key", {{"setting", finding.settingsKey}, {"fix", fix}});
    return say("check.stop.missing_key.commented",
               {{"setting", finding.settingsKey}, {"line", number(finding.otherLine)}, {"fix", fix}});
}

std::string unknownKeyNameReason(const SettingsFinding& finding, Reader reader) {
    const std::string value = shownAsText(finding.written);
    if (onPage(reader))
        return say("check.stop.unknown_key_name.page", {{"value", value}, {"move", bindingName(finding)}});
    return say("check.stop.unknown_key_name",
               {{"value", value}, {"move", bindingName(finding)}, {"setting", finding.settingsKey}});
}

std::string stopReason(const SettingsFinding& finding, Reader reader) {
    const std::string value = shownAsText(finding.written);
    const std::string verb = onPage(reader) ? "set" : "write";
    switch (finding.cause) {
        case StopCause::HeaderHidden: return say("check.stop.header_hidden");
        case StopCause::NoHeader: return say("check.stop.no_header");
        case StopCause::MissingKey: return missingKeyReason(finding, reader);
        case StopCause::OutOfRange:
            return say("check.stop.out_of_range",
                       {{"value", value}, {"fix", usualOrOff(finding, verb, false, reader)}});
        case StopCause::EmptyValue:
            return say("check.stop.empty_value",
                       {{"setting", finding.settingsKey}, {"fix", usualOrOff(finding, verb, true, reader)}});
        case StopCause::KeyName:
            return say("check.stop.key_name", {{"value", value},
                                               {"code", number(finding.meantCode.value_or(0))},
                                               {"fix", writeCode(finding, finding.meantCode.value_or(0), reader)}});
        case StopCause::UnknownKeyName: return unknownKeyNameReason(finding, reader);
        case StopCause::NotANumber:
            return say("check.stop.not_a_number", {{"value", value}, {"fix", usualOrOff(finding, verb, true, reader)}});
    }
    return "";
}

std::string loadStopsSentence(const SettingsFinding& finding, Reader reader) {
    if (!finding.count)
        return say("check.load_stops", {{"move", bindingName(finding)}, {"reason", stopReason(finding, reader)}});
    return sayCounted(
        "check.load_stops.with_later", finding.count,
        {{"move", bindingName(finding)}, {"reason", stopReason(finding, reader)}, {"count", number(finding.count)}});
}

std::string sharedKeySentence(const SettingsFinding& finding, Reader reader) {
    const std::string name = bindingName(finding);
    const std::string first = playerName(finding.otherMove.value_or(MeleeAction::GrappleThrowFront));
    const std::string shared =
        say(finding.onlyWithoutModifier ? "check.shared_key.without_modifier" : "check.shared_key",
            {{"move", name}, {"other", first}, {"key", shownKeyLabel(finding.keyCode)}});
    if (!finding.lacksOwnKey) return say("check.shared_key.move_one", {{"shared", shared}});
    return say(onPage(reader) ? "check.shared_key.no_own_key.page" : "check.shared_key.no_own_key",
               {{"shared", shared}, {"move", name}, {"setting", finding.settingsKey}});
}

std::string largeFileSentence(const SettingsFinding& finding) {
    return say(finding.tooLargeToRead ? "check.large_file.unread" : "check.large_file",
               {{"size", number(finding.count)}});
}

std::string numLockChallengeSentence(const SettingsFinding& finding) {
    return say("check.num_lock.challenge", {{"key", shownKeyName(finding.keyCode)},
                                            {"sent", shownKeyLabel(keypadCodeWithoutNumLock(finding.keyCode))},
                                            {"challenge", playerName(MeleeAction::GrappleChallengeFront)},
                                            {"throw", playerName(MeleeAction::GrappleThrowFront)},
                                            {"up", shownKeyName(keypadCodeWithoutNumLock(firstKeypadDigitCode + 8))}});
}

std::string emptyFileSentence(Reader reader) {
    return say(onPage(reader) ? "check.empty_file.page" : "check.empty_file");
}

// A finding about one binding, its key and what was written: the common fillings of most sentences.
std::string bindingSentence(std::string_view key, const SettingsFinding& finding) {
    return say(
        key,
        {{"move", bindingName(finding)},
         {"key", shownKeyLabel(finding.keyCode)},
         {"written", shownAsText(finding.written)},
         {"setting", finding.settingsKey},
         {"line", number(finding.otherLine)},
         {"code", codeAndName(finding.keyCode)},
         {"sent", isKeypadDigitCode(finding.keyCode) ? shownKeyLabel(keypadCodeWithoutNumLock(finding.keyCode)) : ""},
         {"section", settingsSectionName},
         {"layout", finding.written}});
}

}  // namespace

std::string playerName(KeyOwner owner) { return moveText(owner, ""); }

std::string moveDescription(KeyOwner owner) { return moveText(owner, ".about"); }

std::string findingSentence(const SettingsFinding& finding, Reader reader) {
    switch (finding.kind) {
        case FindingKind::CarriageReturnsOnly: return say("check.carriage_returns_only");
        case FindingKind::Utf16: return say("check.utf16");
        case FindingKind::ByteOrderMark:
            return say("check.byte_order_mark", {{"mark", markName(finding)}, {"fix", saveWithoutMark(reader)}});
        case FindingKind::ByteOrderMarkHidesLine:
            return say("check.byte_order_mark.hides_line", {{"mark", markName(finding)},
                                                            {"written", shownAsText(finding.written)},
                                                            {"fix", saveWithoutMark(reader)}});
        case FindingKind::ByteOrderMarkBeforeComment:
            return say("check.byte_order_mark.before_comment", {{"mark", markName(finding)}});
        case FindingKind::SectionCase: return bindingSentence("check.section_case", finding);
        case FindingKind::RepeatedKey: return bindingSentence("check.repeated_key", finding);
        case FindingKind::KeyCase: return bindingSentence("check.key_case", finding);
        case FindingKind::UnknownKey: return bindingSentence("check.unknown_key", finding);
        case FindingKind::InvalidLine:
            return say(finding.hashComment ? "check.invalid_line.hash_comment" : "check.invalid_line");
        case FindingKind::KeyAboveSection: return bindingSentence("check.key_above_section", finding);
        case FindingKind::NoSection: return say("check.no_section");
        case FindingKind::EmptyFile: return emptyFileSentence(reader);
        case FindingKind::TextAfterNumber: return bindingSentence("check.text_after_number", finding);
        case FindingKind::NotAKeyCode: return notAKeyCodeSentence(finding, reader);
        case FindingKind::SwitchedOff:
            return isModifier(finding) ? say("check.switched_off.modifier")
                                       : bindingSentence("check.switched_off", finding);
        case FindingKind::CodeZero: return codeZeroSentence(finding, reader);
        case FindingKind::HexNumber: return hexSentence(finding, reader);
        case FindingKind::LoadStops: return loadStopsSentence(finding, reader);
        case FindingKind::SharedKey: return sharedKeySentence(finding, reader);
        case FindingKind::BoundToModifier: return bindingSentence("check.bound_to_modifier", finding);
        case FindingKind::ModifierOnMoveKey: return bindingSentence("check.modifier_on_move_key", finding);
        case FindingKind::LargeFile: return largeFileSentence(finding);
        case FindingKind::NumLock: return bindingSentence("check.num_lock", finding);
        case FindingKind::NumLockChallenge: return numLockChallengeSentence(finding);
        case FindingKind::GameKey: return bindingSentence("check.game_key", finding);
        case FindingKind::OtherFileName:
            return say(lowerCase(finding.written).ends_with(".txt") ? "check.other_name.txt" : "check.other_name",
                       {{"file", finding.written}});
        case FindingKind::ReadOnly: return say("check.read_only");
        case FindingKind::WalkingKey: return bindingSentence("check.walking_key", finding);
    }
    return "";
}

std::string findingWithLine(const SettingsFinding& finding, Reader reader) {
    if (!finding.line) return findingSentence(finding, reader);
    return say("check.on_line", {{"line", number(finding.line)}, {"sentence", findingSentence(finding, reader)}});
}

std::string noteLine(const SettingsFinding& finding) {
    return say("check.note", {{"sentence", findingSentence(finding)}});
}

std::size_t noteIndent() { return shownWidth(say("check.note", {{"sentence", ""}})); }

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
    const std::string path = unbreakable(report.path);
    switch (report.fileProblem) {
        case FileProblem::None: return "";
        case FileProblem::Folder: return say("check.file.folder", {{"path", path}});
        case FileProblem::Unreadable: return say("check.file.unreadable", {{"path", path}});
        case FileProblem::ProgramFile: return say("check.file.program", {{"path", path}});
        case FileProblem::BinaryData: return say("check.file.binary", {{"path", path}});
        case FileProblem::ReadsLikeText: return say("check.file.text", {{"path", path}});
    }
    return "";
}

}  // namespace

std::string fileProblemLine(const SettingsReport& report) {
    return say("check.problem", {{"sentence", fileProblemSentence(report)}});
}

std::string verdictSentence(const SettingsReport& report) {
    const std::size_t count = report.warnings.size();
    if (report.empty) return say("check.verdict.empty");
    if (report.verdict == exitFailed) return say("check.verdict.fails");
    if (report.verdict == exitWithWarnings) {
        const auto points = static_cast<std::int64_t>(count);
        return sayCounted(report.notes.empty() ? "check.verdict.points" : "check.verdict.points.with_notes", points,
                          {{"count", number(points)}});
    }
    return say("check.verdict.fine");
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

std::string tableHeading() { return say("check.table.heading"); }

std::vector<std::string> tableColumnTitles() { return {"binding", "read from", "value", "code", "key", "in game"}; }

std::string fixedKeyLine() {
    const MoveRow& challenge = moveRow(MeleeAction::GrappleChallengeFront);
    return "  (" + std::string(challenge.codeName) + " is always on " + keyName(defaultCode(challenge.key)) +
           ", code " + std::to_string(defaultCode(challenge.key)) + ")";
}

std::string rawValueText(const BindingRow& row) { return row.rawValue ? shownAsText(*row.rawValue) : "(missing)"; }

std::string notInGameFolderSentence(const std::string& toolFolder) {
    return say("check.double_click.not_in_game_folder", {{"path", unbreakable(toolFolder)}});
}

std::string noSettingsInGameFolderSentence(const std::string& gameFolder) {
    return say("check.double_click.no_settings", {{"path", unbreakable(gameFolder)}});
}

std::string checkingGameSettingsLine(const std::string& settingsFile) {
    return say("check.double_click.checking", {{"path", settingsFile}});
}
