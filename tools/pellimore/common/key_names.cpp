#include "pellimore/common/key_names.h"
#include "pellimore/common/text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>
#include <utility>

namespace {

const std::map<std::uint32_t, std::string>& namedKeys() {
    static const std::map<std::uint32_t, std::string> names = [] {
        std::map<std::uint32_t, std::string> table = {
            {8, "Backspace"},     {9, "Tab"},          {13, "Enter"},         {16, "Shift"},       {17, "Ctrl"},
            {18, "Alt"},          {19, "Pause"},       {20, "CapsLock"},      {27, "Escape"},      {32, "Space"},
            {33, "PageUp"},       {34, "PageDown"},    {35, "End"},           {36, "Home"},        {37, "Left"},
            {38, "Up"},           {39, "Right"},       {40, "Down"},          {45, "Insert"},      {46, "Delete"},
            {106, "Multiply"},    {107, "Add"},        {109, "Subtract"},     {110, "Decimal"},    {111, "Divide"},
            {144, "NumLock"},     {145, "ScrollLock"}, {160, "LeftShift"},    {161, "RightShift"}, {162, "LeftCtrl"},
            {163, "RightCtrl"},   {164, "LeftAlt"},    {165, "RightAlt"},     {186, "Semicolon"},  {187, "Plus"},
            {188, "Comma"},       {189, "Minus"},      {190, "Period"},       {191, "Slash"},      {192, "Backquote"},
            {219, "LeftBracket"}, {220, "Backslash"},  {221, "RightBracket"}, {222, "Quote"},      {44, "PrintScreen"},
            {91, "LeftWin"},      {92, "RightWin"},    {93, "Apps"},
        };
        for (char letter = 'A'; letter <= 'Z'; ++letter)
            table[static_cast<std::uint32_t>(letter)] = std::string(1, letter);
        for (char digit = '0'; digit <= '9'; ++digit) table[static_cast<std::uint32_t>(digit)] = std::string(1, digit);
        for (int number = 0; number <= 9; ++number)
            table[firstKeypadDigitCode + number] = "Numpad" + std::to_string(number);
        for (int number = 1; number <= 24; ++number)
            table[firstFunctionKeyCode + number - 1] = "F" + std::to_string(number);
        return table;
    }();
    return names;
}

}  // namespace

bool isKeypadDigitCode(std::int64_t code) { return code >= firstKeypadDigitCode && code < firstKeypadDigitCode + 10; }

std::int32_t keypadCodeWithoutNumLock(std::int32_t keypadDigitCode) {
    // By keypad digit: Insert, End, Down, PageDown, Left, Clear, Right, Home, Up, PageUp.
    static constexpr std::int32_t withoutNumLock[10] = {45, 35, 40, 34, 37, 12, 39, 36, 38, 33};
    return withoutNumLock[keypadDigitCode - firstKeypadDigitCode];
}

std::string keyName(std::int64_t code) {
    if (code < 0) return "";
    const auto found = namedKeys().find(static_cast<std::uint32_t>(code));
    return found == namedKeys().end() ? "" : found->second;
}

std::string keyLabel(std::int64_t code) {
    const std::string name = keyName(code);
    return name.empty() ? std::to_string(code) : name + " (" + std::to_string(code) + ")";
}

namespace {

bool isWindowsKeyName(const std::string& text);

// A key's name folded for comparison: lower case, without spaces, '_' or '-',
// and without Windows' "VK_" prefix, so "Num 9", "NUMPAD9" and "VK_NUMPAD9" meet.
std::string foldedKeyName(const std::string& text) {
    std::string folded;
    for (char byte : lowerCase(text))
        if (byte != ' ' && byte != '_' && byte != '-') folded += byte;
    if (isWindowsKeyName(text)) folded.erase(0, 2);
    return folded;
}

bool isWindowsKeyName(const std::string& text) { return text.size() > 3 && lowerCase(text).starts_with("vk_"); }

// Names only Windows' headers use, some of which mean other keys elsewhere (VK_MENU is Alt).
std::optional<std::uint32_t> windowsAliasCode(const std::string& folded) {
    static const std::pair<const char*, std::uint32_t> aliases[] = {
        {"menu", 18},     {"lmenu", 164},  {"rmenu", 165}, {"prior", 33},     {"next", 34},      {"capital", 20},
        {"snapshot", 44}, {"scroll", 145}, {"back", 8},    {"lcontrol", 162}, {"rcontrol", 163}, {"lshift", 160},
        {"rshift", 161},  {"lwin", 91},    {"rwin", 92},   {"apps", 93},
    };
    for (const auto& [alias, code] : aliases)
        if (folded == alias) return code;
    return std::nullopt;
}

// Other names players, the editor page, the readmes and Windows' headers use.
std::optional<std::uint32_t> aliasCode(const std::string& folded) {
    static const std::pair<const char*, std::uint32_t> aliases[] = {
        {"control", 17},   {"esc", 27},        {"return", 13},      {"uparrow", 38},     {"downarrow", 40},
        {"leftarrow", 37}, {"rightarrow", 39}, {"del", 46},         {"ins", 45},         {"pgup", 33},
        {"pgdn", 34},      {"caps", 20},       {"prtsc", 44},       {"printscreen", 44}, {"scrlk", 145},
        {"spacebar", 32},  {"menu", 93},       {"contextmenu", 93}, {"win", 91},         {"lock", 144},
    };
    for (const auto& [alias, code] : aliases)
        if (folded == alias) return code;
    // Keypad digits as the page ("Num 9"), the readmes ("Numpad 9", "numeric keypad 9") and Windows ("NUMPAD9") write them.
    for (const char* prefix : {"numpad", "numerickeypad", "keypad", "num"})
        if (folded.size() == std::string_view(prefix).size() + 1 && folded.starts_with(prefix) &&
            std::isdigit(static_cast<unsigned char>(folded.back())))
            return static_cast<std::uint32_t>(firstKeypadDigitCode + (folded.back() - '0'));
    return std::nullopt;
}

}  // namespace

std::optional<std::uint32_t> parseKey(const std::string& text) {
    if (text.empty()) return std::nullopt;
    const std::string folded = foldedKeyName(text);
    for (const auto& [code, name] : namedKeys())
        if (lowerCase(name) == folded) return code;
    if (const auto alias = isWindowsKeyName(text) ? windowsAliasCode(folded) : std::nullopt) return alias;
    if (const auto alias = aliasCode(folded)) return alias;

    int base = 10;
    std::string digits = lowerCase(text);
    if (digits.size() > 2 && digits.compare(0, 2, "0x") == 0) {
        base = 16;
        digits = digits.substr(2);
    }
    std::uint32_t code = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code, base);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return code;
}

bool looksLikeAKeyName(const std::string& text) {
    if (text.empty() || text.size() > 24 || std::isdigit(static_cast<unsigned char>(text[0]))) return false;
    bool letter = false;
    for (unsigned char byte : text) {
        if (byte < 0x80 && !std::isalnum(byte) && byte != ' ' && byte != '_' && byte != '-') return false;
        letter = letter || byte >= 0x80 || std::isalpha(byte);
    }
    return letter;
}
