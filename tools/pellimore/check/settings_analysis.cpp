#include "pellimore/check/settings_analysis.h"

#include "pellimore/check/settings_names.h"

#include "host/key_state_table.h"
#include "pellimore/check/settings_survey.h"
#include "pellimore/common/key_names.h"
#include "pellimore/common/keyboard_layout.h"
#include "pellimore/common/platform.h"
#include "pellimore/common/text.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>

namespace {

struct DispatchState {
    BindingState state;
    std::optional<MeleeAction> sharedWith;
};
// The fixed challenge key has no binding, so no state of its own.
using StateByMove = std::map<MeleeAction, DispatchState>;

// Reading the file every frame costs about a millisecond per few hundred KB:
// past this, the file costs the game noticeable time.
constexpr std::size_t largeFileBytes = 256 * 1024;

// A file with no [Pellimore] line and this many lines the game skips is some other file.
constexpr int unrelatedFileInvalidLines = 20;

// The code the readme tells players to write to switch a move off.
constexpr std::int32_t switchedOffCode = -1;

bool isKeyCode(std::int32_t code) { return code >= 0 && static_cast<std::uint32_t>(code) < keyStateRowCount; }

// The text a value has after its leading number ("; X key" of "88 ; X key"), or "".
std::string textAfterTheNumber(const std::string& text) {
    std::size_t end = text.find_first_of("0123456789");
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
    if (end >= text.size()) return "";
    const std::size_t start = text.find_first_not_of(" \t", end);
    return start == std::string::npos ? "" : text.substr(start);
}

// A finding about one binding's row.
SettingsFinding rowFinding(FindingKind kind, const BindingRow& row, std::int32_t keyCode) {
    SettingsFinding finding{kind, row.line};
    finding.binding = row.owner;
    finding.keyCode = keyCode;
    finding.settingsKey = row.readFrom;
    return finding;
}

BindingRow readRow(int position, const IniSection& section, const FileSurvey& survey, const HotkeyBindings& loaded) {
    const KeyOwner owner = loadOrder[position];
    const KeyRow& key = keyRow(owner);
    BindingRow row{owner, effectiveSettingsKey(key, section)};
    row.code = loaded.*key.binding;
    const auto found = survey.sectionKeys.find(row.readFrom);
    if (found != survey.sectionKeys.end()) row.line = found->second.back().line;
    if (section.hasKey(row.readFrom)) row.rawValue = section.getValue(row.readFrom);
    return row;
}

void warnAboutValue(const BindingRow& row, const IniSection& section, std::vector<SettingsFinding>& warnings) {
    const std::string text = section.getValue(row.readFrom);
    if (lowerCase(text).starts_with("0x")) {
        SettingsFinding hex = rowFinding(FindingKind::HexNumber, row, row.code);
        hex.written = text;
        hex.hexText = text.substr(0, text.find_first_of(" \t;"));
        if (const auto meant = parseKey(hex.hexText)) hex.meantCode = static_cast<std::int32_t>(*meant);
        warnings.push_back(hex);
    } else if (const std::string after = textAfterTheNumber(text); !after.empty()) {
        SettingsFinding trailing = rowFinding(FindingKind::TextAfterNumber, row, row.code);
        trailing.written = after;
        warnings.push_back(trailing);
    }
    if (row.code == 0) warnings.push_back(rowFinding(FindingKind::CodeZero, row, 0));
    if (isKeyCode(row.code) || row.code == switchedOffCode) return;
    warnings.push_back(rowFinding(FindingKind::NotAKeyCode, row, row.code));
}

// -1, the readme's way to switch a move off, is a choice the player made: a note, not a problem.
std::vector<SettingsFinding> switchedOffNotes(const std::vector<BindingRow>& rows) {
    std::vector<SettingsFinding> notes;
    for (const auto& row : rows)
        if (row.loaded && row.code == switchedOffCode) notes.push_back(rowFinding(FindingKind::SwitchedOff, row, -1));
    return notes;
}

// Why the game stops reading at this binding, with what the player wrote there.
SettingsFinding stopFinding(const BindingRow& row, int position, const IniSection& section, const FileSurvey& survey,
                            ConversionError error) {
    SettingsFinding stop = rowFinding(FindingKind::LoadStops, row, -1);
    stop.count = loadOrderLength - position - 1;
    const std::string value = section.getValue(row.readFrom);
    stop.written = value;
    if (survey.headerLine == 0)
        stop.cause = survey.markHidesHeader ? StopCause::HeaderHidden : StopCause::NoHeader;
    else if (!section.hasKey(row.readFrom)) {
        stop.cause = StopCause::MissingKey;
        const auto commented = survey.commentedKeys.find(row.readFrom);
        if (commented != survey.commentedKeys.end()) stop.otherLine = commented->second;
    } else if (error == ConversionError::OutOfRange)
        stop.cause = StopCause::OutOfRange;
    else if (value.empty())
        stop.cause = StopCause::EmptyValue;
    else if (const auto code = parseKey(value)) {
        stop.cause = StopCause::KeyName;
        stop.meantCode = static_cast<std::int32_t>(*code);
    } else if (looksLikeAKeyName(value))
        stop.cause = StopCause::UnknownKeyName;
    return stop;
}

std::vector<BindingRow> bindingRows(const SettingsEvaluation& load, const IniSection& section, const FileSurvey& survey,
                                    std::vector<SettingsFinding>& warnings) {
    std::vector<BindingRow> rows;
    for (int position = 0; position < loadOrderLength; ++position) {
        BindingRow row = readRow(position, section, survey, load.bindings);
        row.loaded = load.stop.position < 0 || position < load.stop.position;
        if (row.loaded) warnAboutValue(row, section, warnings);
        if (position == load.stop.position)
            warnings.push_back(stopFinding(row, position, section, survey, load.stop.error));
        rows.push_back(row);
    }
    return rows;
}

// The first earlier move on the same key fires instead of this one, or only without the modifier.
void noteSharedKey(const MoveRow& move, const MoveRow& first, std::uint32_t code, const IniSection& section,
                   StateByMove& states, std::vector<SettingsFinding>& warnings) {
    SettingsFinding shared{FindingKind::SharedKey, 0};
    shared.binding = move.action;
    shared.keyCode = static_cast<std::int32_t>(code);
    shared.otherMove = first.action;
    shared.settingsKey = move.key.settingsKey ? move.key.settingsKey : "";  // the fixed challenge key has none
    shared.onlyWithoutModifier = first.needsModifier && !move.needsModifier;
    shared.lacksOwnKey = move.key.fallbackSettingsKey && !section.hasKey(move.key.settingsKey);
    states[move.action] = {
        shared.onlyWithoutModifier ? BindingState::FiresOnlyWithoutModifier : BindingState::NeverFiresSharedKey,
        first.action};
    warnings.push_back(shared);
}

// A move on the modifier's own key fires each time the modifier is let go,
// after every throw too: a surprise worth a warning, unless it never fires anyway.
void noteMovesOnTheModifier(const HotkeyBindings& bindings, StateByMove& states,
                            std::vector<SettingsFinding>& warnings) {
    const auto modifier = static_cast<std::uint32_t>(bindings.xKey);
    if (modifier == 0 || modifier >= keyStateRowCount) return;
    for (const MoveRow& move : moveTable) {
        if (move.needsModifier || triggerKeyCode(move, bindings) != modifier || states.contains(move.action)) continue;
        states[move.action] = {BindingState::FiresOnModifierRelease, std::nullopt};
        SettingsFinding onModifierKey{FindingKind::ModifierOnMoveKey, 0};
        onModifierKey.binding = move.action;
        onModifierKey.keyCode = static_cast<std::int32_t>(modifier);
        warnings.push_back(onModifierKey);
    }
}

// What the dispatch order does with the loaded codes; code 0 and codes off the table never fire anyway.
StateByMove dispatchStates(const IniSection& section, const HotkeyBindings& bindings,
                           std::vector<SettingsFinding>& warnings) {
    StateByMove states;
    const auto modifier = static_cast<std::uint32_t>(bindings.xKey);
    for (int later = 0; later < meleeActionCount; ++later) {
        const MoveRow& move = moveTable[later];
        const std::uint32_t code = triggerKeyCode(move, bindings);
        if (code == 0 || code >= keyStateRowCount) continue;
        if (move.needsModifier && code == modifier) {
            states[move.action] = {BindingState::NeverFiresOnModifier, std::nullopt};
            SettingsFinding onModifier{FindingKind::BoundToModifier, 0};
            onModifier.binding = move.action;
            onModifier.keyCode = static_cast<std::int32_t>(code);
            warnings.push_back(onModifier);
            continue;
        }
        const auto first = std::find_if(moveTable, moveTable + later, [&](const MoveRow& earlier) {
            return triggerKeyCode(earlier, bindings) == code;
        });
        if (first != moveTable + later) noteSharedKey(move, *first, code, section, states, warnings);
    }
    noteMovesOnTheModifier(bindings, states, warnings);
    return states;
}

// A throw needs the modifier held: with the modifier on no key, no throw can fire.
bool throwWithoutModifier(const BindingRow& row, std::int32_t modifierCode) {
    return row.owner && moveRow(*row.owner).needsModifier && (modifierCode == 0 || !isKeyCode(modifierCode));
}

void setRowState(BindingRow& row, const StateByMove& states, std::int32_t modifierCode) {
    if (!row.loaded)
        row.state = BindingState::KeepsPreviousKey;
    else if (!isKeyCode(row.code))
        row.state = BindingState::Off;
    else if (row.code == 0)
        row.state = BindingState::NeverFiresCodeZero;
    else if (throwWithoutModifier(row, modifierCode))
        row.state = BindingState::NeverFiresNoModifier;
    else if (const auto found = row.owner ? states.find(*row.owner) : states.end(); found != states.end()) {
        row.state = found->second.state;
        row.sharedWith = found->second.sharedWith;
    } else if (row.owner == theModifier)
        row.state = BindingState::Modifier;
    else
        row.state = BindingState::Ok;
}

// Keypad keys change code with Num Lock, which players often have off.
std::vector<SettingsFinding> keypadNotes(const std::vector<BindingRow>& rows) {
    std::vector<SettingsFinding> notes;
    for (const auto& row : rows)
        if (row.loaded && isKeypadDigitCode(row.code) && row.owner != theModifier)
            notes.push_back(rowFinding(FindingKind::NumLock, row, row.code));
    if (notes.empty()) return notes;
    SettingsFinding challenge{FindingKind::NumLockChallenge, 0};
    challenge.keyCode = static_cast<std::int32_t>(grappleChallengeKeyCode);
    notes.push_back(challenge);
    return notes;
}

// Moves on a key the player walks with, on any of their layouts: every step there orders the move too.
std::vector<SettingsFinding> walkingKeyWarnings(const std::vector<BindingRow>& rows,
                                                const std::vector<PlayerLayout>& layouts) {
    std::vector<SettingsFinding> warnings;
    for (const auto& row : rows) {
        if (!row.loaded || row.owner == theModifier) continue;
        if (const auto layout = walkingLayoutOf(layouts, row.code)) {
            SettingsFinding finding = rowFinding(FindingKind::WalkingKey, row, row.code);
            finding.written = layoutRow(*layout).letters;
            warnings.push_back(finding);
        }
    }
    return warnings;
}

// Keys the game itself uses on foot: each press in play also orders the brawl.
std::vector<SettingsFinding> gameKeyNotes(const std::vector<BindingRow>& rows) {
    static constexpr std::int32_t gameKeysOnFoot[] = {'E', 'F'};
    std::vector<SettingsFinding> notes;
    for (const auto& row : rows) {
        if (!row.loaded || row.owner == theModifier) continue;
        if (std::find(std::begin(gameKeysOnFoot), std::end(gameKeysOnFoot), row.code) != std::end(gameKeysOnFoot))
            notes.push_back(rowFinding(FindingKind::GameKey, row, row.code));
    }
    return notes;
}

ExitStatus verdictOf(const SettingsReport& report) {
    if (report.loadError != ConversionError::None) return exitFailed;
    return report.warnings.empty() ? exitAllGood : exitWithWarnings;
}

// Some other file (a readme, a program) dropped where a settings file belongs: one sentence, not a page of lines.
FileProblem unrelatedFile(std::string_view bytes, const FileSurvey& survey) {
    if (survey.anyCaseHeader) return FileProblem::None;
    if (bytes.starts_with("MZ")) return FileProblem::ProgramFile;
    if (bytes.find('\0') != std::string_view::npos && !looksLikeUtf16(bytes)) return FileProblem::BinaryData;
    if (survey.invalidLines > unrelatedFileInvalidLines) return FileProblem::ReadsLikeText;
    return FileProblem::None;
}

void noteLargeFile(std::string_view bytes, std::vector<SettingsFinding>& warnings) {
    if (bytes.size() <= largeFileBytes) return;
    SettingsFinding large{FindingKind::LargeFile, 0};
    large.count = static_cast<int>(bytes.size() / 1024);
    large.tooLargeToRead = bytes.size() > maximumSettingsFileBytes;
    warnings.push_back(large);
}

}  // namespace

const std::vector<PlayerLayout>& usKeyboardOnly() {
    static const std::vector<PlayerLayout> layouts{playerLayout(KeyboardLayout::Us)};
    return layouts;
}

SettingsReport analyzeSettingsBytes(std::string_view bytes, const std::string& path,
                                    const std::vector<PlayerLayout>& layouts) {
    SettingsReport report;
    report.path = path;
    // The game reads nothing from a file over its size limit.
    const std::string_view read = bytes.size() > maximumSettingsFileBytes ? std::string_view() : bytes;
    FileSurvey survey = surveySettingsFile(splitLines(read), read);
    report.fileProblem = unrelatedFile(read, survey);
    if (report.fileProblem != FileProblem::None) {
        report.verdict = exitFailed;
        return report;
    }
    report.warnings = std::move(survey.warnings);
    noteLargeFile(bytes, report.warnings);

    IniDocument document;
    document.parseBytes(read);
    const SettingsEvaluation load = evaluateSettings(document, HotkeyBindings{});
    report.loadError = load.stop.error;
    const IniSection* found = document.findTrimmedSection(settingsSectionName);
    const IniSection section = found ? *found : IniSection{};
    // A byte-order mark before [Pellimore] is the whole story; its own finding says so.
    if (survey.headerLine == 0 && !survey.markHidesHeader) report.warnings.push_back({FindingKind::NoSection, 0});
    report.rows = bindingRows(load, section, survey, report.warnings);
    const StateByMove states = dispatchStates(section, load.bindings, report.warnings);
    for (auto& row : report.rows) setRowState(row, states, load.bindings.xKey);
    report.notes = std::move(survey.notes);
    for (auto& note : switchedOffNotes(report.rows)) report.notes.push_back(std::move(note));
    for (auto& note : keypadNotes(report.rows)) report.notes.push_back(std::move(note));
    for (auto& note : gameKeyNotes(report.rows)) report.notes.push_back(std::move(note));
    for (auto& warning : walkingKeyWarnings(report.rows, layouts)) report.warnings.push_back(std::move(warning));
    std::stable_sort(report.warnings.begin(), report.warnings.end(),
                     [](const SettingsFinding& a, const SettingsFinding& b) { return a.line < b.line; });
    report.verdict = verdictOf(report);
    // An empty file is one fact, not a missing section and a failed load.
    report.empty = bytes.empty();
    if (report.empty) report.warnings = {SettingsFinding{FindingKind::EmptyFile, 0}};
    return report;
}

SettingsReport analyzeSettingsFileContent(const std::string& path, const std::vector<PlayerLayout>& layouts) {
    std::error_code filesystemError;
    SettingsReport report;
    report.path = path;
    if (std::filesystem::is_directory(pathFromText(path), filesystemError)) report.fileProblem = FileProblem::Folder;
    const std::optional<std::string> bytes =
        report.fileProblem == FileProblem::None ? readWholeFile(pathFromText(path)) : std::nullopt;
    if (report.fileProblem == FileProblem::None && !bytes) report.fileProblem = FileProblem::Unreadable;
    if (report.fileProblem != FileProblem::None) {
        report.verdict = exitFailed;
        return report;
    }
    return analyzeSettingsBytes(*bytes, path, layouts);
}

SettingsReport analyzeSettingsFile(const std::string& path, const std::vector<PlayerLayout>& layouts) {
    SettingsReport report = analyzeSettingsFileContent(path, layouts);
    if (report.fileProblem != FileProblem::None) return report;
    std::vector<SettingsFinding> facts;
    const std::string name = textFromPath(pathFromText(path).filename());
    if (isOtherSettingsFileName(name)) facts.push_back({FindingKind::OtherFileName, 0, std::nullopt, -1, name});
    if (isReadOnlyFile(pathFromText(path))) facts.push_back({FindingKind::ReadOnly, 0});
    if (facts.empty()) return report;
    // An empty file keeps its one finding first; the file's own facts come before the lines'.
    report.warnings.insert(report.warnings.begin() + (report.empty ? 1 : 0), facts.begin(), facts.end());
    if (report.verdict == exitAllGood) report.verdict = exitWithWarnings;
    return report;
}
