// What the settings editor page asks of the plug-in's own code, compiled to
// WebAssembly: the checker's analysis of a file's bytes, the rewrite that
// saves new keys into them, the moves, and the shipped sample. The page's
// JavaScript draws and handles input; it never reads the settings format.
#include "host/key_state_table.h"
#include "pellimore/check/check_wording.h"
#include "pellimore/check/download_mark.h"
#include "pellimore/check/settings_analysis.h"
#include "pellimore/check/settings_checker.h"
#include "pellimore/common/key_names.h"
#include "pellimore/common/keyboard_layout.h"
#include "pellimore/common/layout_caps.h"
#include "pellimore/common/words.h"
#include "settings_rewrite.h"
#include "shipped_sample.h"

#include <emscripten.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <sstream>

namespace {

// The last result handed to the page; it copies it out before the next call.
std::string result;

void appendJsonString(std::string& out, std::string_view text) {
    out += '"';
    for (unsigned char byte : text) {
        if (byte == '"' || byte == '\\') out += '\\';
        if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", byte);
            out += escaped;
        } else {
            out += static_cast<char>(byte);
        }
    }
    out += '"';
}

// The page names its language and its layout in every call that words something, so the bridge keeps neither.
Voice voiceOf(const char* language, const char* layout) {
    return voiceFor(language, layoutNamed(layout).value_or(KeyboardLayout::Us));
}

bool hasFinding(const SettingsReport& report, FindingKind kind) {
    for (const auto* list : {&report.warnings, &report.notes})
        for (const SettingsFinding& finding : *list)
            if (finding.kind == kind) return true;
    return false;
}

// What saving repairs, said from the same facts as the checker's findings: a byte-order mark by what it hides.
std::string repairSentence(const Voice& voice, SaveRepair repair, const SettingsReport& before) {
    switch (repair) {
        case SaveRepair::Utf16ToPlainText: return say(voice, message::page_repair_utf16);
        case SaveRepair::ByteOrderMarkRemoved:
            if (hasFinding(before, FindingKind::ByteOrderMarkHidesLine))
                return say(voice, message::page_repair_byte_order_mark_line);
            if (hasFinding(before, FindingKind::ByteOrderMarkBeforeComment))
                return say(voice, message::page_repair_byte_order_mark_comment);
            return say(voice, message::page_repair_byte_order_mark);
    }
    return "";
}

const char* verdictName(ExitStatus verdict) {
    return verdict == exitAllGood ? "complete" : verdict == exitWithWarnings ? "warnings" : "fails";
}

// The page's headline about a file, in the voice's language: an empty file is one fact, not a load that stops.
std::string headline(const Voice& voice, const SettingsReport& report) {
    if (hasFinding(report, FindingKind::EmptyFile)) return say(voice, message::page_verdict_empty);
    if (report.verdict == exitAllGood) return say(voice, message::page_verdict_complete);
    return say(voice,
               report.verdict == exitWithWarnings ? message::page_verdict_warnings : message::page_verdict_fails);
}

// Whether a move bound as the row says cannot fire as bound: the page marks its key. Every state decides here,
// so a new one cannot be left unmarked.
bool cannotFire(BindingState state) {
    switch (state) {
        case BindingState::Ok:
        case BindingState::Modifier:
        case BindingState::Off:
        case BindingState::KeepsPreviousKey: return false;
        case BindingState::NeverFiresSharedKey:
        case BindingState::FiresOnlyWithoutModifier:
        case BindingState::NeverFiresOnModifier:
        case BindingState::NeverFiresCodeZero:
        case BindingState::FiresOnModifierRelease:
        case BindingState::NeverFiresNoModifier: return true;
    }
    return false;
}

// A binding as the move list draws it: the table's name and description for it.
void appendRow(const Voice& voice, std::string& out, const BindingRow& row) {
    const KeyRow& key = keyRow(row.owner);
    out += "{\"field\":";
    appendJsonString(out, fieldName(row.owner));
    out += ",\"settingsKey\":";
    appendJsonString(out, key.settingsKey);
    out += std::string(",\"modifier\":") + (row.owner == theModifier ? "true" : "false");
    out += ",\"readFrom\":";
    appendJsonString(out, row.readFrom);
    out += ",\"name\":";
    appendJsonString(out, playerName(voice, row.owner));
    out += ",\"description\":";
    appendJsonString(out, moveDescription(voice, row.owner));
    out += ",\"code\":" + std::to_string(row.code) + ",\"line\":" + std::to_string(row.line);
    out += std::string(",\"loaded\":") + (row.loaded ? "true" : "false");
    out += std::string(",\"cannotFire\":") + (cannotFire(row.state) ? "true" : "false") + "}";
}

void appendFinding(const Voice& voice, std::string& out, const SettingsFinding& finding, bool note) {
    out += "{\"line\":" + std::to_string(finding.line) + ",\"field\":";
    appendJsonString(out, finding.binding ? fieldName(*finding.binding) : "");
    out += ",\"code\":" + std::to_string(finding.keyCode) + ",\"note\":" + (note ? "true" : "false") + ",\"text\":";
    appendJsonString(out, findingWithLine(voice, finding, Reader::Page));
    out += "}";
}

std::string reportJson(const Voice& voice, const SettingsReport& report) {
    std::ostringstream printed;
    printSettingsReport(voice, report, printed);
    std::string out = "{\"verdict\":";
    appendJsonString(out, verdictName(report.verdict));
    out += ",\"report\":";
    appendJsonString(out, printed.str());
    // The facts the page acts on, so it names no kind of finding: its headline, where the load stops, walking keys.
    out += ",\"headline\":";
    appendJsonString(out, headline(voice, report));
    out += std::string(",\"walking\":") + (hasFinding(report, FindingKind::WalkingKey) ? "true" : "false");
    out += ",\"stopsAt\":";
    const auto stop = std::find_if(report.warnings.begin(), report.warnings.end(), [](const SettingsFinding& finding) {
        return finding.kind == FindingKind::LoadStops;
    });
    appendJsonString(out, stop != report.warnings.end() && stop->binding ? fieldName(*stop->binding) : "");
    out += ",\"rows\":[";
    for (std::size_t index = 0; index < report.rows.size(); ++index) {
        if (index) out += ',';
        appendRow(voice, out, report.rows[index]);
    }
    out += "],\"findings\":[";
    bool first = true;
    for (const auto* list : {&report.warnings, &report.notes})
        for (const auto& finding : *list) {
            out += first ? "" : ",";
            appendFinding(voice, out, finding, list == &report.notes);
            first = false;
        }
    return out + "]}";
}

// "field=code;field=code" as the page sends changes; an item that is not a
// binding and a whole number is left out, so nothing here can throw.
std::vector<BindingChange> parseChanges(const std::string& text) {
    std::vector<BindingChange> changes;
    std::istringstream items(text);
    for (std::string item; std::getline(items, item, ';');) {
        const std::size_t equals = item.find('=');
        if (equals == std::string::npos) continue;
        std::int32_t code = 0;
        const char* begin = item.data() + equals + 1;
        const char* end = item.data() + item.size();
        const auto [stop, error] = std::from_chars(begin, end, code);
        if (error != std::errc() || stop != end) continue;
        for (const KeyOwner owner : loadOrder)
            if (item.substr(0, equals) == fieldName(owner)) changes.push_back({owner, code});
    }
    return changes;
}

}  // namespace

extern "C" {

// The length of the last result in bytes (results may hold NUL bytes).
EMSCRIPTEN_KEEPALIVE int editorResultLength() { return static_cast<int>(result.size()); }

// The file players get in the release archive, byte for byte.
EMSCRIPTEN_KEEPALIVE const char* editorShippedSample() {
    result.assign(reinterpret_cast<const char*>(shippedSampleBytes), sizeof shippedSampleBytes);
    return result.data();
}

// What `pellimore check` says of these bytes, as JSON: verdict, the printed report, rows, findings; in the
// language given, for a player on the layout given (its key names, its walking keys).
EMSCRIPTEN_KEEPALIVE const char* editorAnalyze(const char* bytes, int length, const char* language,
                                               const char* layout) {
    const Voice voice = voiceOf(language, layout);
    result = reportJson(voice, analyzeSettingsBytes(std::string_view(bytes, static_cast<std::size_t>(length)),
                                                    "This file", voice.layouts));
    return result.c_str();
}

// What saving repairs in these bytes, as a JSON list of sentences in the language given.
EMSCRIPTEN_KEEPALIVE const char* editorRepairs(const char* bytes, int length, const char* language,
                                               const char* layout) {
    const Voice voice = voiceOf(language, layout);
    const std::string_view text(bytes, static_cast<std::size_t>(length));
    const SettingsReport before = analyzeSettingsBytes(text, "This file", voice.layouts);
    result = "[";
    for (const SaveRepair repair : repairsOnSave(text)) {
        if (result.size() > 1) result += ',';
        appendJsonString(result, repairSentence(voice, repair, before));
    }
    result += "]";
    return result.c_str();
}

// The release's version, as the player's readme and pellimore.exe give it.
EMSCRIPTEN_KEEPALIVE const char* editorVersion() { return PELLIMORE_VERSION; }

// The key codes the page reasons about, as JSON, so they are written once; the fixed key's move named in the
// language given.
EMSCRIPTEN_KEEPALIVE const char* editorKeyCodes(const char* language) {
    result = "{\"challenge\":" + std::to_string(grappleChallengeKeyCode) + ",\"challengeName\":";
    appendJsonString(result, playerName(voiceFor(language), MeleeAction::GrappleChallengeFront));
    result += ",\"lastKeyCode\":" + std::to_string(keyStateRowCount - 1) + "}";
    return result.c_str();
}

// The page's words in the catalogue language nearest the tag ("de-AT" -> "de"), as JSON: that language, every
// language with its own name, and the page's messages (English where the language lacks one).
EMSCRIPTEN_KEEPALIVE const char* editorPageWords(const char* tag) {
    const Voice voice = voiceFor(tag);
    result = "{\"language\":";
    appendJsonString(result, voice.language);
    result += ",\"languages\":[";
    for (const std::string& language : knownLanguages()) {
        result += language == knownLanguages().front() ? "{\"tag\":" : ",{\"tag\":";
        appendJsonString(result, language);
        result += ",\"name\":";
        appendJsonString(result, sayIn(language, message::language_name));
        result += "}";
    }
    result += "],\"messages\":{";
    bool first = true;
    for (const auto& [key, text] : catalogue("en")) {
        if (!key.starts_with("page.")) continue;
        result += first ? "" : ",";
        first = false;
        appendJsonString(result, key);
        result += ":";
        appendJsonString(result, sayListed(voice.language, key));
    }
    result += "}}";
    return result.c_str();
}

// The catalogue language for a browser's language tag ("pt-PT" -> "pt-BR"), or "" when there is none.
EMSCRIPTEN_KEEPALIVE const char* editorLanguageFor(const char* tag) {
    result = catalogueLanguageFor(tag);
    return result.c_str();
}

// The player's layout, by its name or a language tag ("fr", "fr-CA"), as JSON for the keyboard picture: its
// shape, each key it draws by place ({"KeyQ":[65,"A","A",false]}: code, cap, name, punctuation), and the codes
// of the keys the player walks with there. The page names the layout again in each analysis it asks for.
EMSCRIPTEN_KEEPALIVE const char* editorKeyboard(const char* nameOrTag) {
    const KeyboardLayout layout = layoutNamed(nameOrTag).value_or(KeyboardLayout::Us);
    result = std::string("{\"iso\":") + (hasIsoShape(layout) ? "true" : "false") + ",\"keys\":{";
    for (const KeyCap& key : layoutCaps(layout)) {
        if (result.back() != '{') result += ",";
        appendJsonString(result, key.place);
        result += ":[" + std::to_string(key.code) + ",";
        appendJsonString(result, key.cap);
        result += ",";
        appendJsonString(result, key.name);
        result += key.punctuation ? ",true]" : ",false]";
    }
    result += "},\"walking\":[";
    for (const std::int32_t code : layoutRow(layout).walking)
        result += (result.back() == '[' ? "" : ",") + std::to_string(code);
    result += "],\"letters\":";
    appendJsonString(result, layoutRow(layout).letters);
    return (result += "}").c_str();
}

// Every layout the picker offers, as a JSON list of its name and the key of the message that shows it.
EMSCRIPTEN_KEEPALIVE const char* editorLayoutNames() {
    result = "[";
    for (const LayoutRow& row : layoutRows()) {
        result += result.size() > 1 ? ",{\"name\":" : "{\"name\":";
        appendJsonString(result, row.name);
        result += ",\"say\":";
        appendJsonString(result, row.shownName.text());
        result += "}";
    }
    return (result += "]").c_str();
}

// The layout name for a browser's language tag ("fr-CA" -> "ca"), "us" where no layout is known for it.
EMSCRIPTEN_KEEPALIVE const char* editorLayoutFor(const char* tag) {
    result = layoutRow(layoutNamed(tag).value_or(KeyboardLayout::Us)).name;
    return result.c_str();
}

// The bytes with the changes saved into them.
EMSCRIPTEN_KEEPALIVE const char* editorRewrite(const char* bytes, int length, const char* changes) {
    result = rewriteSettings(std::string_view(bytes, static_cast<std::size_t>(length)), parseChanges(changes));
    return result.data();
}

// The saved bytes as a download carries them: the page's mark first, with the time it was saved.
EMSCRIPTEN_KEEPALIVE const char* editorMarkDownload(const char* bytes, int length, const char* savedAt) {
    result = withDownloadMark(std::string_view(bytes, static_cast<std::size_t>(length)), savedAt);
    return result.data();
}

}  // extern "C"
