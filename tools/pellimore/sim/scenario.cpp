#include "pellimore/sim/scenario.h"

#include "pellimore/common/key_names.h"
#include "pellimore/common/platform.h"
#include "pellimore/common/text.h"

#include <charconv>
#include <fstream>
#include <sstream>

namespace {

using Words = std::vector<std::string>;

Words splitWords(const std::string& line) {
    std::istringstream stream(line.substr(0, line.find('#')));
    Words words;
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

// Reads the words of one line, and fails naming the file and the line.
class LineParser {
public:
    LineParser(const std::string& fileName, int line) : fileName(fileName), line(line) {}

    [[noreturn]] void fail(const std::string& message) const {
        throw ScenarioError(fileName + ":" + std::to_string(line) + ": " + message);
    }

    void expectWordCount(const Words& words, std::size_t minimum, std::size_t maximum, const char* usage) const {
        if (words.size() < minimum || words.size() > maximum) fail(std::string("expected '") + usage + "'");
    }

    std::int64_t integer(const std::string& word, const char* what) const {
        std::int64_t value = 0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (error != std::errc() || end != word.data() + word.size())
            fail(std::string("expected ") + what + ", got '" + word + "'");
        return value;
    }

    std::int32_t handle(const std::string& word) const {
        const std::int64_t value = integer(word, "a ped handle (a whole number)");
        if (value < INT32_MIN || value > INT32_MAX) fail("ped handle '" + word + "' does not fit in 32 bits");
        return static_cast<std::int32_t>(value);
    }

    std::vector<std::int32_t> handles(const Words& words, std::size_t from) const {
        std::vector<std::int32_t> result;
        for (std::size_t index = from; index < words.size(); ++index) result.push_back(handle(words[index]));
        return result;
    }

    std::uint32_t milliseconds(const std::string& word) const {
        std::string digits = lowerCase(word);
        std::int64_t scale = 1;
        if (digits.size() > 2 && digits.ends_with("ms"))
            digits.resize(digits.size() - 2);
        else if (digits.size() > 1 && digits.ends_with("s")) {
            digits.resize(digits.size() - 1);
            scale = 1000;
        }
        const std::int64_t value = integer(digits, "a duration such as 50ms or 30s");
        if (value < 0 || value > 0xFFFFFFFFll / scale) fail("duration '" + word + "' is out of range");
        return static_cast<std::uint32_t>(value * scale);
    }

private:
    const std::string& fileName;
    int line;
};

StepAction parsePeds(const LineParser& parser, const Words& words) { return steps::SetPeds{parser.handles(words, 1)}; }

StepAction parsePlayer(const LineParser& parser, const Words& words) {
    parser.expectWordCount(words, 2, 2, "player HANDLE' or 'player none");
    return steps::SetPlayer{lowerCase(words[1]) == "none" ? 0 : parser.handle(words[1])};
}

StepAction parseQualifying(const LineParser& parser, const Words& words) {
    parser.expectWordCount(words, 2, SIZE_MAX, "unqualified HANDLE...' or 'qualified HANDLE...");
    return steps::SetQualifying{parser.handles(words, 1), lowerCase(words[0]) == "qualified"};
}

StepAction parseReportedCount(const LineParser& parser, const Words& words) {
    parser.expectWordCount(words, 2, 2, "reported-count N' or 'reported-count off");
    if (lowerCase(words[1]) == "off") return steps::SetReportedCount{};
    return steps::SetReportedCount{parser.handle(words[1])};
}

StepAction parseTime(const LineParser& parser, const Words& words) {
    parser.expectWordCount(words, 2, 2, "time MILLISECONDS");
    return steps::SetTime{parser.milliseconds(words[1])};
}

StepAction parseKeyMessage(const LineParser& parser, const Words& words) {
    parser.expectWordCount(words, 2, 2, "press KEY' or 'release KEY");
    const auto key = parseKey(words[1]);
    if (!key) parser.fail("expected a key name (X, Up, Numpad8, Ctrl, ...) or code (88, 0x58), got '" + words[1] + "'");
    return steps::SendKey{*key, lowerCase(words[0]) == "release"};
}

StepAction parseWait(const LineParser& parser, const Words& words) {
    parser.expectWordCount(words, 2, 2, "wait DURATION (50ms, 30s)");
    return steps::Wait{parser.milliseconds(words[1])};
}

StepAction parseTick(const LineParser& parser, const Words& words) {
    parser.expectWordCount(words, 1, 2, "tick' or 'tick COUNT");
    const std::int64_t count = words.size() == 2 ? parser.integer(words[1], "a tick count") : 1;
    if (count < 1 || count > 1000000) parser.fail("tick count must be from 1 to 1000000");
    return steps::RunTicks{static_cast<std::int32_t>(count)};
}

StepAction parseExpect(const LineParser& parser, const Words& words) {
    parser.expectWordCount(words, 2, SIZE_MAX, "expect nothing' or 'expect MOVE [on HANDLE...]");
    if (lowerCase(words[1]) == "nothing") {
        if (words.size() != 2) parser.fail("expected nothing after 'expect nothing'");
        return steps::ExpectNothing{};
    }
    const auto action = parseMeleeAction(words[1]);
    if (!action) parser.fail("expected a move name such as GrappleThrowFront or Knockout, got '" + words[1] + "'");
    steps::ExpectMove step{*action, std::nullopt};
    if (words.size() == 2) return step;
    if (lowerCase(words[2]) != "on" || words.size() < 4)
        parser.fail("expected 'expect " + words[1] + " on HANDLE...' (or 'on none')");
    const bool none = words.size() == 4 && lowerCase(words[3]) == "none";
    step.receivers = none ? std::vector<std::int32_t>{} : parser.handles(words, 3);
    return step;
}

using StepParser = StepAction (*)(const LineParser&, const Words&);

StepParser parserFor(const std::string& command) {
    static const std::pair<const char*, StepParser> table[] = {
        {"peds", parsePeds},
        {"player", parsePlayer},
        {"unqualified", parseQualifying},
        {"qualified", parseQualifying},
        {"reported-count", parseReportedCount},
        {"time", parseTime},
        {"press", parseKeyMessage},
        {"release", parseKeyMessage},
        {"wait", parseWait},
        {"tick", parseTick},
        {"expect", parseExpect},
    };
    for (const auto& [name, parser] : table)
        if (command == name) return parser;
    return nullptr;
}

// "settings delete", or "settings" with the file's lines up to "end"; moves index past the block.
StepAction parseSettings(const LineParser& parser, const Words& words, const std::vector<std::string>& lines,
                         std::size_t& index) {
    parser.expectWordCount(words, 1, 2, "settings' (file lines follow, then 'end') or 'settings delete");
    if (words.size() == 2) {
        if (lowerCase(words[1]) != "delete")
            parser.fail("expected 'settings' or 'settings delete', got 'settings " + words[1] + "'");
        return steps::DeleteSettings{};
    }
    steps::WriteSettings step;
    std::size_t end = index + 1;
    for (; end < lines.size() && splitWords(lines[end]) != Words{"end"}; ++end) step.text += lines[end] + "\n";
    if (end == lines.size()) parser.fail("'settings' block has no closing 'end' line");
    index = end;
    return step;
}

std::vector<std::string> splitScenarioLines(const std::string& text) { return textLines(text); }

}  // namespace

std::optional<MeleeAction> parseMeleeAction(const std::string& name) {
    for (int index = 0; index < meleeActionCount; ++index) {
        const auto action = static_cast<MeleeAction>(index);
        if (lowerCase(meleeActionName(action)) == lowerCase(name)) return action;
    }
    return std::nullopt;
}

Scenario parseScenario(const std::string& text, const std::string& fileName) {
    Scenario scenario{fileName, {}};
    const std::vector<std::string> lines = splitScenarioLines(text);
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const int lineNumber = static_cast<int>(index + 1);
        const LineParser parser(scenario.fileName, lineNumber);
        const Words words = splitWords(lines[index]);
        if (words.empty()) continue;
        const std::string command = lowerCase(words[0]);
        if (command == "settings") {
            scenario.steps.push_back({lineNumber, parseSettings(parser, words, lines, index)});
        } else if (const StepParser parse = parserFor(command)) {
            scenario.steps.push_back({lineNumber, parse(parser, words)});
        } else {
            parser.fail("unknown step '" + words[0] +
                        "'; expected peds, player, unqualified, qualified, reported-count, time, press, release, "
                        "wait, tick, settings or expect");
        }
    }
    return scenario;
}

Scenario loadScenarioFile(const std::string& path) {
    const std::optional<std::string> text = readWholeFile(pathFromText(path));
    if (!text) throw ScenarioError(path + ": cannot open the scenario file");
    return parseScenario(*text, path);
}
