// What the settings editor page asks of the plug-in's own code, compiled to
// WebAssembly: the checker's analysis of a file's bytes, the rewrite that
// saves new keys into them, the moves, and the shipped sample. The page's
// JavaScript draws and handles input; it never reads the settings format.
#include "pellimore/settings_analysis.h"
#include "pellimore/settings_checker.h"
#include "pellimore/settings_rewrite.h"
#include "shipped_sample.h"

#include <emscripten.h>

#include <cstdio>
#include <fstream>
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

// Plain words for each move, as the move list shows them.
const char* describe(const std::string& field) {
    static const std::pair<const char*, const char*> descriptions[] = {
        {"xKey", "Modifier: hold it while pressing a throw key"},
        {"knockout", "Knock out: the character knocks the nearest one out"},
        {"execute", "Execute: the character finishes off the one in its grip"},
        {"grappleFront", "Grapple from the front"},
        {"grappleBack", "Grapple from behind"},
        {"tackle", "Tackle to the ground"},
        {"grappleSwitchFrontToBack", "Switch a grapple from the front to the back"},
        {"grappleSwitchBackToFront", "Switch a grapple from the back to the front"},
        {"grappleSwitchFrontToMount", "Switch a grapple from the front to a mount"},
        {"subdue", "Subdue the one in its grip"},
        {"grappleThrowFront", "Throw forward (with the modifier held)"},
        {"grappleThrowLeft", "Throw to the left (with the modifier held)"},
        {"grappleThrowRight", "Throw to the right (with the modifier held)"},
        {"grappleThrowBackLeft", "Throw back to the left (with the modifier held)"},
    };
    for (const auto& [name, text] : descriptions)
        if (field == name) return text;
    return "";
}

const char* verdictName(int verdict) {
    return verdict == checkLoadsCleanly ? "complete" : verdict == checkLoadsWithWarnings ? "warnings" : "fails";
}

void appendRow(std::string& out, const BindingRow& row) {
    out += "{\"field\":";
    appendJsonString(out, row.source->fieldName);
    out += ",\"settingsKey\":";
    appendJsonString(out, row.source->settingsKey);
    out += ",\"readFrom\":";
    appendJsonString(out, row.readFrom);
    out += ",\"description\":";
    appendJsonString(out, describe(row.source->fieldName));
    out += ",\"code\":" + std::to_string(row.code) + ",\"line\":" + std::to_string(row.line);
    out += std::string(",\"loaded\":") + (row.loaded ? "true" : "false") + ",\"state\":";
    appendJsonString(out, row.state);
    out += "}";
}

std::string reportJson(const SettingsReport& report) {
    std::ostringstream printed;
    printSettingsReport(report, printed);
    std::string out = "{\"verdict\":\"" + std::string(verdictName(report.verdict)) + "\",\"report\":";
    appendJsonString(out, printed.str());
    out += ",\"rows\":[";
    for (std::size_t index = 0; index < report.rows.size(); ++index) {
        if (index) out += ',';
        appendRow(out, report.rows[index]);
    }
    out += "],\"problems\":[";
    bool first = true;
    for (const auto& warning : report.warnings) {
        out += first ? "" : ",";
        appendJsonString(out, (warning.line ? "line " + std::to_string(warning.line) + ": " : std::string()) + warning.text);
        first = false;
    }
    for (const auto& note : report.notes) {
        out += first ? "" : ",";
        appendJsonString(out, "note: " + note);
        first = false;
    }
    return out + "]}";
}

// "field=code;field=code" as the page sends changes.
std::vector<BindingChange> parseChanges(const std::string& text) {
    std::vector<BindingChange> changes;
    std::istringstream items(text);
    for (std::string item; std::getline(items, item, ';');) {
        const std::size_t equals = item.find('=');
        if (equals == std::string::npos) continue;
        for (const auto& source : bindingSources)
            if (item.compare(0, equals, source.fieldName) == 0 && std::string(source.fieldName).size() == equals)
                changes.push_back({&source, static_cast<std::int32_t>(std::stol(item.substr(equals + 1)))});
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

// What `pellimore check` says of these bytes, as JSON: verdict, the printed report, rows, problems.
EMSCRIPTEN_KEEPALIVE const char* editorAnalyze(const char* bytes, int length) {
    const char* path = "Pellimore.ini";
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes, length);
    result = reportJson(analyzeSettingsFile(path));
    return result.c_str();
}

// The bytes with the changes saved into them.
EMSCRIPTEN_KEEPALIVE const char* editorRewrite(const char* bytes, int length, const char* changes) {
    result = rewriteSettings(std::string_view(bytes, static_cast<std::size_t>(length)), parseChanges(changes));
    return result.data();
}

}  // extern "C"
