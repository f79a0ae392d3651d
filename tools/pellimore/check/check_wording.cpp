#include "pellimore/check/check_wording.h"

#include "host/key_state_table.h"
#include "pellimore/common/key_names.h"
#include "pellimore/common/text.h"
#include "pellimore/common/words.h"
#include "settings/move_table.h"

#include <iterator>

namespace {

// "81 (Q)", or "300" for a code without a name.
std::string codeAndName(const Voice& voice, std::int64_t code) {
    const std::string name = shownKeyName(voice, code);
    return name.empty() ? std::to_string(code) : std::to_string(code) + " (" + name + ")";
}

std::string number(std::int64_t value) { return std::to_string(value); }

// Each key's name and what it does, from the catalogues by the list of moves: a move the English catalogue does
// not name fails to compile here.
struct KeyWords {
    MessageKey name;
    MessageKey about;
};
constexpr KeyWords moveWords[] = {
#define PELLIMORE_MOVE_WORDS(move) {message::move_##move, message::move_##move##_about},
    PELLIMORE_MELEE_ACTIONS(PELLIMORE_MOVE_WORDS)
#undef PELLIMORE_MOVE_WORDS
};
static_assert(std::size(moveWords) == meleeActionCount);
constexpr KeyWords modifierWords{message::move_Modifier, message::move_Modifier_about};

const KeyWords& wordsOf(KeyOwner owner) { return owner ? moveWords[static_cast<int>(*owner)] : modifierWords; }

// What a finding's binding is called; "" for a finding about the whole file.
std::string bindingName(const Voice& voice, const SettingsFinding& finding) {
    return finding.binding ? playerName(voice, *finding.binding) : "";
}

// Which editor setting puts the mark there, as Notepad names it.
std::string markName(const Voice& voice, const SettingsFinding& finding) {
    return say(voice, finding.utf16Mark ? message::check_mark_unicode : message::check_mark_utf8);
}

bool isModifier(const SettingsFinding& finding) { return finding.binding && *finding.binding == theModifier; }

bool onPage(Reader reader) { return reader == Reader::Page; }

// How the mark goes: saving from the page drops it; in Notepad, another encoding.
std::string saveWithoutMark(const Voice& voice, Reader reader) {
    return say(voice, onPage(reader) ? message::check_fix_page_save_drops_mark : message::check_fix_save_without_mark);
}

KeyOwner ownerOf(const SettingsFinding& finding) { return finding.binding.value_or(theModifier); }

std::string usualKey(const Voice& voice, const SettingsFinding& finding) {
    return shownKeyName(voice, defaultCode(keyRow(ownerOf(finding))));
}

std::string usualCode(const SettingsFinding& finding) { return number(defaultCode(keyRow(ownerOf(finding)))); }

// The fix for a key the game cannot read: its usual code, or -1 to switch the move off. `lineFix` says
// whether the line is added or written, and whether it names the move that goes off; the page's own fix is
// choosing the move and a key.
std::string usualOrOff(const Voice& voice, const SettingsFinding& finding, MessageKey lineFix, Reader reader) {
    if (onPage(reader))
        return say(voice, message::check_fix_page_usual_or_off,
                   {{"move", bindingName(voice, finding)}, {"key", usualKey(voice, finding)}});
    return say(voice, lineFix,
               {{"setting", finding.settingsKey},
                {"code", usualCode(finding)},
                {"move", playerName(voice, ownerOf(finding))}});
}

// The fix for a code written the wrong way: the code meant.
std::string writeCode(const Voice& voice, const SettingsFinding& finding, std::int32_t code, Reader reader) {
    if (onPage(reader))
        return shownKeyName(voice, code).empty()
                   ? say(voice, message::check_fix_page_its_key, {{"move", bindingName(voice, finding)}})
                   : say(voice, message::check_fix_page_key,
                         {{"move", bindingName(voice, finding)}, {"key", shownKeyName(voice, code)}});
    return say(voice, message::check_fix_write_code, {{"setting", finding.settingsKey}, {"code", number(code)}});
}

std::string hexSentence(const Voice& voice, const SettingsFinding& finding, Reader reader) {
    const std::string written = say(voice, message::check_hex,
                                    {{"move", bindingName(voice, finding)}, {"written", shownAsText(finding.written)}});
    if (!finding.meantCode) return written;
    return say(voice, message::check_hex_meant,
               {{"hex_sentence", written},
                {"hex", shownAsText(finding.hexText)},
                {"code", codeAndName(voice, *finding.meantCode)},
                {"fix", writeCode(voice, finding, *finding.meantCode, reader)}});
}

std::string codeZeroSentence(const Voice& voice, const SettingsFinding& finding, Reader reader) {
    const std::string fix =
        onPage(reader) ? say(voice, message::check_fix_page_key_or_off, {{"move", bindingName(voice, finding)}})
                       : say(voice, message::check_fix_code_or_off);
    return say(voice, isModifier(finding) ? message::check_code_zero_modifier : message::check_code_zero,
               {{"move", bindingName(voice, finding)}, {"fix", fix}});
}

std::string notAKeyCodeSentence(const Voice& voice, const SettingsFinding& finding, Reader reader) {
    const std::string fix = onPage(reader) ? say(voice, message::check_fix_page_key_or_off_on_purpose,
                                                 {{"move", bindingName(voice, finding)}})
                                           : say(voice, message::check_fix_off_on_purpose);
    return say(voice, isModifier(finding) ? message::check_not_a_key_code_modifier : message::check_not_a_key_code,
               {{"move", bindingName(voice, finding)},
                {"code", number(finding.keyCode)},
                {"last", number(keyStateRowCount - 1)},
                {"fix", fix}});
}

std::string missingKeyReason(const Voice& voice, const SettingsFinding& finding, Reader reader) {
    const std::string fix = usualOrOff(voice, finding, message::check_fix_add_usual_or_off_named, reader);
    if (!finding.otherLine)
        return say(voice, message::check_stop_missing_key, {{"setting", finding.settingsKey}, {"fix", fix}});
    return say(voice, message::check_stop_missing_key_commented,
               {{"setting", finding.settingsKey}, {"line", number(finding.otherLine)}, {"fix", fix}});
}

std::string unknownKeyNameReason(const Voice& voice, const SettingsFinding& finding, Reader reader) {
    const std::string value = shownAsText(finding.written);
    if (onPage(reader))
        return say(voice, message::check_stop_unknown_key_name_page,
                   {{"value", value}, {"move", bindingName(voice, finding)}});
    return say(voice, message::check_stop_unknown_key_name,
               {{"value", value}, {"move", bindingName(voice, finding)}, {"setting", finding.settingsKey}});
}

std::string stopReason(const Voice& voice, const SettingsFinding& finding, Reader reader) {
    const std::string value = shownAsText(finding.written);
    switch (finding.cause) {
        case StopCause::HeaderHidden: return say(voice, message::check_stop_header_hidden);
        case StopCause::NoHeader: return say(voice, message::check_stop_no_header);
        case StopCause::MissingKey: return missingKeyReason(voice, finding, reader);
        case StopCause::OutOfRange:
            return say(
                voice, message::check_stop_out_of_range,
                {{"value", value}, {"fix", usualOrOff(voice, finding, message::check_fix_write_usual_or_off, reader)}});
        case StopCause::EmptyValue:
            return say(voice, message::check_stop_empty_value,
                       {{"setting", finding.settingsKey},
                        {"fix", usualOrOff(voice, finding, message::check_fix_write_usual_or_off_named, reader)}});
        case StopCause::KeyName:
            return say(voice, message::check_stop_key_name,
                       {{"value", value},
                        {"code", number(finding.meantCode.value_or(0))},
                        {"fix", writeCode(voice, finding, finding.meantCode.value_or(0), reader)}});
        case StopCause::UnknownKeyName: return unknownKeyNameReason(voice, finding, reader);
        case StopCause::NotANumber:
            return say(voice, message::check_stop_not_a_number,
                       {{"value", value},
                        {"fix", usualOrOff(voice, finding, message::check_fix_write_usual_or_off_named, reader)}});
    }
    return "";
}

std::string loadStopsSentence(const Voice& voice, const SettingsFinding& finding, Reader reader) {
    if (!finding.count)
        return say(voice, message::check_load_stops,
                   {{"move", bindingName(voice, finding)}, {"reason", stopReason(voice, finding, reader)}});
    return sayCounted(voice, message::check_load_stops_with_later, finding.count,
                      {{"move", bindingName(voice, finding)},
                       {"reason", stopReason(voice, finding, reader)},
                       {"count", number(finding.count)}});
}

std::string sharedKeySentence(const Voice& voice, const SettingsFinding& finding, Reader reader) {
    const std::string name = bindingName(voice, finding);
    const std::string first = playerName(voice, finding.otherMove.value_or(MeleeAction::GrappleThrowFront));
    const std::string shared =
        say(voice, finding.onlyWithoutModifier ? message::check_shared_key_without_modifier : message::check_shared_key,
            {{"move", name}, {"other", first}, {"key", shownKeyLabel(voice, finding.keyCode)}});
    if (!finding.lacksOwnKey) return say(voice, message::check_shared_key_move_one, {{"shared", shared}});
    return say(voice, onPage(reader) ? message::check_shared_key_no_own_key_page : message::check_shared_key_no_own_key,
               {{"shared", shared}, {"move", name}, {"setting", finding.settingsKey}});
}

std::string largeFileSentence(const Voice& voice, const SettingsFinding& finding) {
    return say(voice, finding.tooLargeToRead ? message::check_large_file_unread : message::check_large_file,
               {{"size", number(finding.count)}});
}

std::string numLockChallengeSentence(const Voice& voice, const SettingsFinding& finding) {
    return say(voice, message::check_num_lock_challenge,
               {{"key", shownKeyName(voice, finding.keyCode)},
                {"sent", shownKeyLabel(voice, keypadCodeWithoutNumLock(finding.keyCode))},
                {"challenge", playerName(voice, MeleeAction::GrappleChallengeFront)},
                {"throw", playerName(voice, MeleeAction::GrappleThrowFront)},
                {"up", shownKeyName(voice, keypadCodeWithoutNumLock(firstKeypadDigitCode + 8))}});
}

std::string emptyFileSentence(const Voice& voice, Reader reader) {
    return say(voice, onPage(reader) ? message::check_empty_file_page : message::check_empty_file);
}

// A finding about one binding, its key and what was written: the common fillings of most sentences.
std::string bindingSentence(const Voice& voice, MessageKey key, const SettingsFinding& finding) {
    return say(
        voice, key,
        {{"move", bindingName(voice, finding)},
         {"key", shownKeyLabel(voice, finding.keyCode)},
         {"written", shownAsText(finding.written)},
         {"setting", finding.settingsKey},
         {"line", number(finding.otherLine)},
         {"code", codeAndName(voice, finding.keyCode)},
         {"sent",
          isKeypadDigitCode(finding.keyCode) ? shownKeyLabel(voice, keypadCodeWithoutNumLock(finding.keyCode)) : ""},
         {"section", settingsSectionName},
         {"layout", finding.written}});
}

}  // namespace

std::string playerName(const Voice& voice, KeyOwner owner) { return say(voice, wordsOf(owner).name); }

std::string moveDescription(const Voice& voice, KeyOwner owner) { return say(voice, wordsOf(owner).about); }

std::string findingSentence(const Voice& voice, const SettingsFinding& finding, Reader reader) {
    switch (finding.kind) {
        case FindingKind::CarriageReturnsOnly: return say(voice, message::check_carriage_returns_only);
        case FindingKind::Utf16: return say(voice, message::check_utf16);
        case FindingKind::ByteOrderMark:
            return say(voice, message::check_byte_order_mark,
                       {{"mark", markName(voice, finding)}, {"fix", saveWithoutMark(voice, reader)}});
        case FindingKind::ByteOrderMarkHidesLine:
            return say(voice, message::check_byte_order_mark_hides_line,
                       {{"mark", markName(voice, finding)},
                        {"written", shownAsText(finding.written)},
                        {"fix", saveWithoutMark(voice, reader)}});
        case FindingKind::ByteOrderMarkBeforeComment:
            return say(voice, message::check_byte_order_mark_before_comment, {{"mark", markName(voice, finding)}});
        case FindingKind::SectionCase: return bindingSentence(voice, message::check_section_case, finding);
        case FindingKind::RepeatedKey: return bindingSentence(voice, message::check_repeated_key, finding);
        case FindingKind::KeyCase: return bindingSentence(voice, message::check_key_case, finding);
        case FindingKind::UnknownKey: return bindingSentence(voice, message::check_unknown_key, finding);
        case FindingKind::InvalidLine:
            return say(voice,
                       finding.hashComment ? message::check_invalid_line_hash_comment : message::check_invalid_line);
        case FindingKind::KeyAboveSection: return bindingSentence(voice, message::check_key_above_section, finding);
        case FindingKind::NoSection: return say(voice, message::check_no_section);
        case FindingKind::EmptyFile: return emptyFileSentence(voice, reader);
        case FindingKind::TextAfterNumber: return bindingSentence(voice, message::check_text_after_number, finding);
        case FindingKind::NotAKeyCode: return notAKeyCodeSentence(voice, finding, reader);
        case FindingKind::SwitchedOff:
            return isModifier(finding) ? say(voice, message::check_switched_off_modifier)
                                       : bindingSentence(voice, message::check_switched_off, finding);
        case FindingKind::CodeZero: return codeZeroSentence(voice, finding, reader);
        case FindingKind::HexNumber: return hexSentence(voice, finding, reader);
        case FindingKind::LoadStops: return loadStopsSentence(voice, finding, reader);
        case FindingKind::SharedKey: return sharedKeySentence(voice, finding, reader);
        case FindingKind::BoundToModifier: return bindingSentence(voice, message::check_bound_to_modifier, finding);
        case FindingKind::ModifierOnMoveKey:
            return bindingSentence(voice, message::check_modifier_on_move_key, finding);
        case FindingKind::LargeFile: return largeFileSentence(voice, finding);
        case FindingKind::NumLock: return bindingSentence(voice, message::check_num_lock, finding);
        case FindingKind::NumLockChallenge: return numLockChallengeSentence(voice, finding);
        case FindingKind::GameKey: return bindingSentence(voice, message::check_game_key, finding);
        case FindingKind::OtherFileName:
            return say(voice,
                       lowerCase(finding.written).ends_with(".txt") ? message::check_other_name_txt
                                                                    : message::check_other_name,
                       {{"file", finding.written}});
        case FindingKind::ReadOnly: return say(voice, message::check_read_only);
        case FindingKind::WalkingKey: return bindingSentence(voice, message::check_walking_key, finding);
    }
    return "";
}

std::string findingWithLine(const Voice& voice, const SettingsFinding& finding, Reader reader) {
    if (!finding.line) return findingSentence(voice, finding, reader);
    return say(voice, message::check_on_line,
               {{"line", number(finding.line)}, {"sentence", findingSentence(voice, finding, reader)}});
}

std::string noteLine(const Voice& voice, const SettingsFinding& finding) {
    return say(voice, message::check_note, {{"sentence", findingSentence(voice, finding)}});
}

std::size_t noteIndent(const Voice& voice) { return shownWidth(say(voice, message::check_note, {{"sentence", ""}})); }

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

std::string fileProblemSentence(const Voice& voice, const SettingsReport& report) {
    const std::string path = unbreakable(report.path);
    switch (report.fileProblem) {
        case FileProblem::None: return "";
        case FileProblem::Folder: return say(voice, message::check_file_folder, {{"path", path}});
        case FileProblem::Unreadable: return say(voice, message::check_file_unreadable, {{"path", path}});
        case FileProblem::ProgramFile: return say(voice, message::check_file_program, {{"path", path}});
        case FileProblem::BinaryData: return say(voice, message::check_file_binary, {{"path", path}});
        case FileProblem::ReadsLikeText: return say(voice, message::check_file_text, {{"path", path}});
    }
    return "";
}

}  // namespace

std::string fileProblemLine(const Voice& voice, const SettingsReport& report) {
    return say(voice, message::check_problem, {{"sentence", fileProblemSentence(voice, report)}});
}

std::string verdictSentence(const Voice& voice, const SettingsReport& report) {
    const std::size_t count = report.warnings.size();
    if (report.empty) return say(voice, message::check_verdict_empty);
    if (report.verdict == exitFailed) return say(voice, message::check_verdict_fails);
    if (report.verdict == exitWithWarnings) {
        const auto points = static_cast<std::int64_t>(count);
        return sayCounted(
            voice, report.notes.empty() ? message::check_verdict_points : message::check_verdict_points_with_notes,
            points, {{"count", number(points)}});
    }
    return say(voice, message::check_verdict_fine);
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

std::string tableHeading(const Voice& voice) { return say(voice, message::check_table_heading); }

std::vector<std::string> tableColumnTitles() { return {"binding", "read from", "value", "code", "key", "in game"}; }

std::string fixedKeyLine() {
    const MoveRow& challenge = moveRow(MeleeAction::GrappleChallengeFront);
    return "  (" + std::string(challenge.codeName) + " is always on " + keyName(defaultCode(challenge.key)) +
           ", code " + std::to_string(defaultCode(challenge.key)) + ")";
}

std::string rawValueText(const BindingRow& row) { return row.rawValue ? shownAsText(*row.rawValue) : "(missing)"; }

std::string notInGameFolderSentence(const Voice& voice, const std::string& toolFolder) {
    return say(voice, message::check_double_click_not_in_game_folder, {{"path", unbreakable(toolFolder)}});
}

std::string noSettingsInGameFolderSentence(const Voice& voice, const std::string& gameFolder) {
    return say(voice, message::check_double_click_no_settings, {{"path", unbreakable(gameFolder)}});
}

std::string checkingGameSettingsLine(const Voice& voice, const std::string& settingsFile) {
    return say(voice, message::check_double_click_checking, {{"path", settingsFile}});
}
