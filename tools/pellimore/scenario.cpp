#include "pellimore/scenario.h"
#include "pellimore/text.h"

#include "pellimore/key_names.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <sstream>

namespace {

std::vector<std::string> splitWords(const std::string& line) {
    std::istringstream stream(line);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

std::string withoutComment(const std::string& line) {
    const std::size_t hash = line.find('#');
    return hash == std::string::npos ? line : line.substr(0, hash);
}


class LineParser {
public:
    LineParser(const std::string& fileName, int line) : fileName(fileName), line(line) {}

    [[noreturn]] void fail(const std::string& message) const {
        throw ScenarioError(fileName + ":" + std::to_string(line) + ": " + message);
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

    std::vector<std::int32_t> handles(const std::vector<std::string>& words, std::size_t from) const {
        std::vector<std::int32_t> result;
        for (std::size_t index = from; index < words.size(); ++index) result.push_back(handle(words[index]));
        return result;
    }

    std::int64_t milliseconds(const std::string& word) const {
        std::string digits = lowerCase(word);
        std::int64_t scale = 1;
        if (digits.size() > 2 && digits.ends_with("ms")) digits.resize(digits.size() - 2);
        else if (digits.size() > 1 && digits.ends_with("s")) {
            digits.resize(digits.size() - 1);
            scale = 1000;
        }
        const std::int64_t value = integer(digits, "a duration such as 50ms or 30s");
        if (value < 0 || value > 0xFFFFFFFFll / scale) fail("duration '" + word + "' is out of range");
        return value * scale;
    }

    const std::string& fileName;
    int line;
};

void expectWordCount(const LineParser& parser, const std::vector<std::string>& words, std::size_t minimum,
                     std::size_t maximum, const char* usage) {
    if (words.size() < minimum || words.size() > maximum) parser.fail(std::string("expected '") + usage + "'");
}

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
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }

    for (std::size_t index = 0; index < lines.size(); ++index) {
        const int lineNumber = static_cast<int>(index + 1);
        const LineParser parser(scenario.fileName, lineNumber);
        const auto words = splitWords(withoutComment(lines[index]));
        if (words.empty()) continue;
        const std::string command = lowerCase(words[0]);
        ScenarioStep step{};
        step.line = lineNumber;

        if (command == "peds") {
            step.kind = StepKind::SetPeds;
            step.handles = parser.handles(words, 1);
        } else if (command == "player") {
            expectWordCount(parser, words, 2, 2, "player HANDLE' or 'player none");
            step.kind = StepKind::SetPlayer;
            step.number = lowerCase(words[1]) == "none" ? 0 : parser.handle(words[1]);
        } else if (command == "unqualified" || command == "qualified") {
            expectWordCount(parser, words, 2, SIZE_MAX, "unqualified HANDLE...' or 'qualified HANDLE...");
            step.kind = StepKind::SetQualifying;
            step.flag = command == "qualified";
            step.handles = parser.handles(words, 1);
        } else if (command == "reported-count") {
            expectWordCount(parser, words, 2, 2, "reported-count N' or 'reported-count off");
            step.kind = StepKind::SetReportedCount;
            step.flag = lowerCase(words[1]) != "off";
            if (step.flag) step.number = parser.handle(words[1]);
        } else if (command == "time") {
            expectWordCount(parser, words, 2, 2, "time MILLISECONDS");
            step.kind = StepKind::SetTime;
            step.number = parser.milliseconds(words[1]);
        } else if (command == "press" || command == "release") {
            expectWordCount(parser, words, 2, 2, "press KEY' or 'release KEY");
            const auto key = parseKey(words[1]);
            if (!key) parser.fail("expected a key name (X, Up, Numpad8, Ctrl, ...) or code (88, 0x58), got '" + words[1] + "'");
            step.kind = command == "press" ? StepKind::PressKey : StepKind::ReleaseKey;
            step.number = *key;
            step.text = words[1];
        } else if (command == "wait") {
            expectWordCount(parser, words, 2, 2, "wait DURATION (50ms, 30s)");
            step.kind = StepKind::Wait;
            step.number = parser.milliseconds(words[1]);
        } else if (command == "tick") {
            expectWordCount(parser, words, 1, 2, "tick' or 'tick COUNT");
            step.kind = StepKind::Tick;
            step.number = words.size() == 2 ? parser.integer(words[1], "a tick count") : 1;
            if (step.number < 1 || step.number > 1000000) parser.fail("tick count must be from 1 to 1000000");
        } else if (command == "settings") {
            expectWordCount(parser, words, 1, 2, "settings' (file lines follow, then 'end') or 'settings delete");
            if (words.size() == 2) {
                if (lowerCase(words[1]) != "delete") parser.fail("expected 'settings' or 'settings delete', got 'settings " + words[1] + "'");
                step.kind = StepKind::DeleteSettings;
            } else {
                step.kind = StepKind::WriteSettings;
                std::size_t end = index + 1;
                while (end < lines.size() && splitWords(lines[end]) != std::vector<std::string>{"end"}) {
                    step.text += lines[end] + "\n";
                    ++end;
                }
                if (end == lines.size()) parser.fail("'settings' block has no closing 'end' line");
                index = end;
            }
        } else if (command == "expect") {
            expectWordCount(parser, words, 2, SIZE_MAX, "expect nothing' or 'expect MOVE [on HANDLE...]");
            if (lowerCase(words[1]) == "nothing") {
                if (words.size() != 2) parser.fail("expected nothing after 'expect nothing'");
                step.kind = StepKind::ExpectNothing;
            } else {
                const auto action = parseMeleeAction(words[1]);
                if (!action) parser.fail("expected a move name such as GrappleThrowFront or Knockout, got '" + words[1] + "'");
                step.kind = StepKind::ExpectMove;
                step.action = *action;
                if (words.size() > 2) {
                    if (lowerCase(words[2]) != "on" || words.size() < 4)
                        parser.fail("expected 'expect " + words[1] + " on HANDLE...' (or 'on none')");
                    step.flag = true;
                    if (!(words.size() == 4 && lowerCase(words[3]) == "none")) step.handles = parser.handles(words, 3);
                }
            }
        } else {
            parser.fail("unknown step '" + words[0] +
                        "'; expected peds, player, unqualified, qualified, reported-count, time, press, release, "
                        "wait, tick, settings or expect");
        }
        scenario.steps.push_back(std::move(step));
    }
    return scenario;
}

Scenario loadScenarioFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) throw ScenarioError(path + ": cannot open the scenario file");
    std::stringstream text;
    text << file.rdbuf();
    if (file.bad()) throw ScenarioError(path + ": cannot read the scenario file");
    return parseScenario(text.str(), path);
}
